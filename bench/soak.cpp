// jumpboard_soak: the board over a long run, and what it costs while it waits.
//
//   jumpboard_soak [--engines=...] [--refreshes=20000] [--rows=60]
//       refreshes back to back, without the 2000 ms wait, while a simulated competition goes on
//       (one write every --write-every refreshes); prints resident memory, heap in use and open
//       descriptors at the first refresh and their peaks over the second and the last quarter of the
//       run, and the refreshes per second. --trace prints them as the run goes.
//   jumpboard_soak --idle [--engines=...] [--seconds=60] [--rows=500]
//       the board shown (offscreen) and ticking every 2000 ms as it does at the hill; prints its CPU
//       use and resident memory.
//
// The exit status is 1 when memory or descriptors grew from the second quarter to the last, or the
// board failed.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "Common.h"
#include "Field.h"
#include "ProcessStats.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Query.h"
#include "support/BoardFixture.h"

namespace {

QTextStream out(stdout);

struct Sample {
  long refreshes = 0;
  long rssKiB = 0;
  long heapKiB = 0;
  int fds = 0;
};

Sample sample(long refreshes) {
  return {refreshes, processStats::residentKiB(), processStats::heapInUseKiB(), processStats::openDescriptors()};
}

// Growth from the second quarter's peak to the last quarter's that is still flat: allocator noise.
// A leak of 64 bytes a refresh goes past the heap's within a soak of 20,000 refreshes.
constexpr long kHeapSlackKiB = 256;
constexpr long kRssSlackKiB = 1024;

// Why the board could not go on, as a fresh connection finds the database.
QString probe(const EngineDb& db) {
  Database again;
  db.configure(again);
  Query q(again);
  q.setSql({selectOneStatement(db.driver())});
  try {
    q.open();
    return QStringLiteral("a new connection gets its answer");
  } catch (const DatabaseError& e) {
    return QStringLiteral("a new connection fails: ") + e.message();
  }
}

bool soak(Engine engine, long refreshes, int rows, int writeEvery, bool trace) {
  BoardFixture f{engine};
  Field field{f.schema, rows};
  field.setIndexes(Indexes::Lookup);
  Simulation simulation{field};
  f.start();
  TFedit& board = f.board();
  board.timer()->stop();  // as fast as it can: the loop below is the timer

  // The heap in use rises and falls with the competition's phase (a longer start list read, a team
  // event's rows), so the middle and the end are the peaks of the second and the last quarter: a leak
  // lifts the later peak, a phase does not.
  Sample first, middle, last;
  const long every = std::max(1L, refreshes / 200);
  const auto peak = [](Sample& kept, const Sample& now) {
    kept.refreshes = now.refreshes;
    kept.rssKiB = std::max(kept.rssKiB, now.rssKiB);
    kept.heapKiB = std::max(kept.heapKiB, now.heapKiB);
    kept.fds = std::max(kept.fds, now.fds);
  };
  double refreshNs = 0;
  QElapsedTimer wall;
  QElapsedTimer one;
  const std::uint64_t statements0 = Query::statementsSent();
  wall.start();
  for (long i = 1; i <= refreshes; ++i) {
    if (i % writeEvery == 0) simulation.step();
    one.start();
    board.UpdateDisplay();
    refreshNs += double(one.nsecsElapsed());
    QCoreApplication::processEvents();  // the window paints what the refresh changed
    if (f.closed() || !f.dialogs.shown.empty()) {
      out << engineName(engine) << ": the board failed at refresh " << i << ": "
          << (f.dialogs.shown.empty() ? QString() : f.dialogs.shown.back().text) << " (" << probe(f.db) << ")"
          << Qt::endl;
      return false;
    }
    if (i == 1) first = sample(i);
    if (i % every != 0) continue;
    const Sample now = sample(i);
    if (trace && i % (every * 10) == 0) {
      out << "  " << engineName(engine) << " " << i << ": RSS " << now.rssKiB << " KiB, heap " << now.heapKiB
          << " KiB, fds " << now.fds << Qt::endl;
    }
    if (i > refreshes / 4 && i <= refreshes / 2) peak(middle, now);
    if (i > refreshes - refreshes / 4) peak(last, now);
  }
  const double seconds = double(wall.nsecsElapsed()) / 1e9;
  const double statements = double(Query::statementsSent() - statements0) / double(refreshes);

  const long heapGrowth = last.heapKiB - middle.heapKiB;
  const long rssGrowth = last.rssKiB - middle.rssKiB;
  const bool flat = heapGrowth <= kHeapSlackKiB && rssGrowth <= kRssSlackKiB && last.fds <= middle.fds;
  out << cell(QString::fromUtf8(engineName(engine)), -15) << cell(double(refreshes), 8, 0)
      << cell(double(refreshes) / seconds, 9, 0) << cell(refreshNs / double(refreshes) / 1000.0, 9, 0)
      << cell(statements, 7, 1) << cell(double(simulation.steps()), 7, 0) << "   "
      << QStringLiteral("%1 / %2 / %3").arg(first.rssKiB / 1024.0, 0, 'f', 1).arg(middle.rssKiB / 1024.0, 0, 'f', 1)
             .arg(last.rssKiB / 1024.0, 0, 'f', 1)
      << "   " << QStringLiteral("%1 / %2 / %3").arg(first.heapKiB).arg(middle.heapKiB).arg(last.heapKiB) << "   "
      << QStringLiteral("%1 / %2 / %3").arg(first.fds).arg(middle.fds).arg(last.fds) << "   "
      << (flat ? "flat" : "GROWS") << Qt::endl;
  return flat;
}

void soakHeader() {
  out << "Soak: refreshes back to back while the simulated competition writes; memory at the first refresh,"
         " and its peaks over the second quarter (mid) and the last quarter (end)\n"
      << cell(QStringLiteral("engine"), -15) << cell(QStringLiteral("refresh"), 8) << cell(QStringLiteral("per s"), 9)
      << cell(QStringLiteral("mean us"), 9) << cell(QStringLiteral("stmts"), 7) << cell(QStringLiteral("writes"), 7)
      << "   RSS MiB start/mid/end   heap KiB start/mid/end   fds start/mid/end" << Qt::endl;
}

void idleHeader(int rows) {
  out << "Idle: the board shown (offscreen), ticking every 2000 ms on " << rows << " rows, first round\n"
      << cell(QStringLiteral("engine"), -15) << cell(QStringLiteral("seconds"), 8) << cell(QStringLiteral("ticks"), 7)
      << cell(QStringLiteral("CPU s"), 9) << cell(QStringLiteral("CPU %"), 8) << cell(QStringLiteral("RSS MiB"), 9)
      << Qt::endl;
}

void idle(Engine engine, int seconds, int rows) {
  BoardFixture f{engine};
  Field field{f.schema, rows};
  field.setIndexes(Indexes::Lookup);
  field.show(Layout::Individual, Round::First);
  f.start();
  TFedit& board = f.board();

  // Statements of one refresh, to tell the ticks from the statements sent.
  const std::uint64_t before = Query::statementsSent();
  board.UpdateDisplay();
  const double perRefresh = double(Query::statementsSent() - before);
  QCoreApplication::processEvents();

  const std::uint64_t statements0 = Query::statementsSent();
  const double cpu0 = processStats::cpuSeconds();
  QElapsedTimer wall;
  wall.start();
  QEventLoop loop;
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
  const double cpu = processStats::cpuSeconds() - cpu0;
  const double elapsed = double(wall.elapsed()) / 1000.0;
  const double ticks = double(Query::statementsSent() - statements0) / perRefresh;

  out << cell(QString::fromUtf8(engineName(engine)), -15) << cell(elapsed, 8, 1) << cell(ticks, 7, 0)
      << cell(cpu, 9, 3) << cell(100.0 * cpu / elapsed, 8, 2) << cell(processStats::residentKiB() / 1024.0, 9, 1)
      << (f.closed() || !f.dialogs.shown.empty() ? "   (the board failed)" : "") << Qt::endl;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  prepareBoardApplication();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("The board over a long run (soak), or ticking idle (--idle)."));
  parser.addHelpOption();
  const QCommandLineOption idleMode(QStringLiteral("idle"), QStringLiteral("Measure the idle cost instead."));
  const QCommandLineOption engines(QStringLiteral("engines"), QStringLiteral("Engines, comma-separated."),
                                   QStringLiteral("names"));
  const QCommandLineOption refreshes(QStringLiteral("refreshes"), QStringLiteral("Refreshes of the soak."),
                                     QStringLiteral("n"), QStringLiteral("20000"));
  const QCommandLineOption writeEvery(QStringLiteral("write-every"),
                                      QStringLiteral("Refreshes between two writes of the competition."),
                                      QStringLiteral("n"), QStringLiteral("5"));
  const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Length of the idle run."),
                                   QStringLiteral("s"), QStringLiteral("60"));
  const QCommandLineOption rows(QStringLiteral("rows"),
                                QStringLiteral("RACE rows per competition (default 60 soak, 500 idle)."),
                                QStringLiteral("n"));
  const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Print memory 20 times during the soak."));
  const QCommandLineOption rowOnly(QStringLiteral("row-only"), QStringLiteral("Print no header (internal)."));
  parser.addOptions({idleMode, engines, refreshes, writeEvery, seconds, rows, trace, rowOnly});
  parser.process(app);

  std::vector<Engine> chosen;
  try {
    chosen = selectEngines(parser.value(engines));
  } catch (const std::exception& e) {
    fprintf(stderr, "%s\n", e.what());
    return 2;
  }
  const bool idleRun = parser.isSet(idleMode);
  const int fieldRows = parser.isSet(rows) ? parser.value(rows).toInt() : idleRun ? 500 : 60;
  if (fieldRows < 10) {
    fprintf(stderr, "--rows takes 10 or more\n");
    return 2;
  }

  // Each engine in a process of its own, so that no engine's memory or descriptors count for another.
  if (chosen.size() > 1) {
    if (idleRun) idleHeader(fieldRows);
    else soakHeader();
    int status = 0;
    for (Engine engine : chosen) {
      QStringList args;
      const QStringList given = QCoreApplication::arguments().mid(1);
      for (qsizetype i = 0; i < given.size(); ++i) {
        if (given.at(i) == QLatin1String("--engines")) ++i;  // and its value
        else if (!given.at(i).startsWith(QLatin1String("--engines="))) args << given.at(i);
      }
      args << QStringLiteral("--engines=") + QString::fromUtf8(engineName(engine)) << QStringLiteral("--row-only");
      QProcess one;
      one.setProcessChannelMode(QProcess::ForwardedChannels);
      one.start(QCoreApplication::applicationFilePath(), args);
      one.waitForFinished(-1);
      if (one.exitStatus() != QProcess::NormalExit || one.exitCode() != 0) status = 1;
    }
    return status;
  }

  try {
    if (idleRun) {
      if (!parser.isSet(rowOnly)) idleHeader(fieldRows);
      for (Engine engine : chosen) idle(engine, parser.value(seconds).toInt(), fieldRows);
      return 0;
    }
    const long n = parser.value(refreshes).toLong();
    const int every = parser.value(writeEvery).toInt();
    if (n < 2 || every < 1) {
      fprintf(stderr, "--refreshes takes 2 or more, --write-every 1 or more\n");
      return 2;
    }
    if (!parser.isSet(rowOnly)) soakHeader();
    bool flat = true;
    for (Engine engine : chosen) flat = soak(engine, n, fieldRows, every, parser.isSet(trace)) && flat;
    return flat ? 0 : 1;
  } catch (const std::exception& e) {
    fprintf(stderr, "%s\n", e.what());
    return 2;
  }
}
