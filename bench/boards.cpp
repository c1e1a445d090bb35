// jumpboard_boards: many boards on one database server while jumpsim plays a competition into it.
//
//   jumpboard_boards [--engines=MariaDb,FirebirdServer] [--boards=20] [--interval=2000] [--pace=2.5] [--event=team]
//                    [--seconds=300] [--jumpsim=path]
//
// For each engine: a fresh database (a private server where the engine has one), jumpsim's tables and
// start lists, then --boards board processes (this program with --board, offscreen, each with its own
// connection) refreshing every --interval ms, their ticks spread evenly over the interval, while jumpsim
// plays the event at --pace seconds a jump.
// When jumpsim is done (or after --seconds) the boards tick twice more and stop. Printed: the refresh
// time percentiles over every board's refreshes, and whether every board showed every jump that
// jumpsim completed (the jumper's code under the round's label).
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "Common.h"
#include "app/TFedit.h"
#include "connection/Profiles.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/settings/SettingsPaths.h"
#include "platform/ui/Dialogs.h"
#include "support/EngineDb.h"
#include "support/TestServers.h"

#ifndef JUMPBOARD_JUMPSIM
#define JUMPBOARD_JUMPSIM ""
#endif

namespace {

QTextStream out(stdout);

const QString kFirstRound = QStringLiteral("１本目");
const QString kSecondRound = QStringLiteral("２本目");
const QString kTrialRound = QStringLiteral("試技");

// --- one board (child process) -------------------------------------------------------------------

// Refreshes every `intervalMs` until `stopFile` appears; prints "ready" once started, then at the end
// one line per refresh ("t <microseconds>") and per jump seen ("seen <round label>|<code>").
int runBoard(const QString& settingsPath, int intervalMs, int offsetMs, const QString& stopFile) {
  QTextStream err(stderr);
  QString failure;
  Dialogs::setHandler([&failure](Dialogs::Kind, const QString& text) { failure = text; });

  TFedit board(settingsPath);
  board.show();
  board.timer()->stop();  // the loop below ticks instead, and times each refresh
  if (!failure.isEmpty() || !board.isVisible()) {
    out << "failed " << failure << Qt::endl;
    return 1;
  }
  auto* lHon = board.findChild<QLabel*>(QStringLiteral("lHon"));
  auto* eCode = board.findChild<QLineEdit*>(QStringLiteral("eCode"));
  if (!lHon || !eCode) {
    out << "failed no lHon or eCode" << Qt::endl;
    return 1;
  }
  out << "ready" << Qt::endl;

  std::vector<qint64> micros;
  QSet<QString> seen;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.setInterval(intervalMs);
  QElapsedTimer one;
  QEventLoop loop;  // not the application's: quitting that would close the board
  QObject::connect(&tick, &QTimer::timeout, [&] {
    if (QFile::exists(stopFile)) {
      loop.quit();
      return;
    }
    one.start();
    board.UpdateDisplay();
    micros.push_back(one.nsecsElapsed() / 1000);
    if (!failure.isEmpty() || !board.isVisible()) {
      loop.quit();
      return;
    }
    const QString round = lHon->text();
    if (!eCode->text().isEmpty() && (round == kFirstRound || round == kSecondRound || round == kTrialRound)) {
      seen.insert(round + u'|' + eCode->text());
    }
  });
  // Boards started by hand at the hill do not tick in step: each starts its ticks at its own offset.
  QTimer::singleShot(offsetMs, Qt::PreciseTimer, &tick, [&tick] { tick.start(); });
  loop.exec();

  for (qint64 us : micros) out << "t " << us << '\n';
  for (const QString& s : seen) out << "seen " << s << '\n';
  if (!failure.isEmpty() || !board.isVisible()) out << "failed " << failure << '\n';
  out.flush();
  return failure.isEmpty() ? 0 : 1;
}

// --- the run (parent process) --------------------------------------------------------------------

struct RunOptions {
  int boards = 20;
  int intervalMs = 2000;
  double pace = 2.5;
  QString event = QStringLiteral("team");
  int seconds = 300;
  QString jumpsim;
};

QString percentile(std::vector<qint64>& sorted, double p) {
  if (sorted.empty()) return QStringLiteral("-");
  const auto index = std::size_t(p * double(sorted.size() - 1) + 0.5);
  return QString::number(double(sorted.at(index)) / 1000.0, 'f', 2);
}

// The jumps jumpsim completed: a round's total written for the competitor.
QSet<QString> jumpsDone(const QString& settingsPath) {
  Database db;
  db.setConfigPath(dbLayerConfigPath(settingsPath));
  db.setAliasName(Profiles::kInterbaseAlias);
  db.setParams(Profiles::interbase());
  Query q(db);
  q.setSql({QStringLiteral("select code, totalp1, totalp2, tdist1 from race")});
  q.open();
  QSet<QString> done;
  for (int i = 0; i < q.recordCount(); ++i, q.next()) {
    const QString code = q.fieldText(QStringLiteral("code"));
    if (!q.fieldText(QStringLiteral("totalp1")).isEmpty()) done.insert(kFirstRound + u'|' + code);
    if (!q.fieldText(QStringLiteral("totalp2")).isEmpty()) done.insert(kSecondRound + u'|' + code);
  }
  return done;
}

// jumpsim writes as the board reads, through the InterBase local profile, except on MariaDB, where the
// board's accounts may only SELECT: there it logs in as the server's admin.
QStringList jumpsimTarget(const EngineDb& db, const QString& settingsPath) {
  if (db.engine() != Engine::MariaDb) {
    return {QStringLiteral("--settings"), settingsPath, QStringLiteral("--profile"), QStringLiteral("interbase-local")};
  }
  const QString target = db.databaseName();
  const QString database = target.mid(target.indexOf(QStringLiteral("DATABASE=")) + 9);
  return {QStringLiteral("--driver"), QStringLiteral("QODBC"), QStringLiteral("--database"),
          sharedMariaDb().adminConnectionString() + QStringLiteral(";DATABASE=") + database,
          QStringLiteral("--user"), QStringLiteral("root")};
}

bool runJumpsim(const RunOptions& o, const QStringList& target, const QStringList& extra, int timeoutMs,
                QProcess& jumpsim) {
  QStringList args = target;
  args << QStringLiteral("--event") << o.event << QStringLiteral("--trials") << QStringLiteral("0")
       << QStringLiteral("--quiet") << extra;
  jumpsim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  jumpsim.start(o.jumpsim, args);
  if (timeoutMs == 0) return jumpsim.waitForStarted();
  return jumpsim.waitForFinished(timeoutMs) && jumpsim.exitStatus() == QProcess::NormalExit &&
         jumpsim.exitCode() == 0;
}

void many(Engine engine, const RunOptions& o) {
  const QString name = QString::fromUtf8(engineName(engine));
  EngineDb db{engine};
  QTemporaryDir dir;
  const QString settingsPath = dir.filePath(QStringLiteral("Skycfg.ini"));
  const QString stopFile = dir.filePath(QStringLiteral("stop"));
  db.writeDbLayerIni({}, dbLayerConfigPath(settingsPath));
  const QStringList target = jumpsimTarget(db, settingsPath);

  {
    QProcess prepare;
    if (!runJumpsim(o, target, {QStringLiteral("--replace"), QStringLiteral("--no-play")}, 120000, prepare)) {
      out << cell(name, -15) << "   jumpsim could not prepare the database" << Qt::endl;
      return;
    }
  }

  std::vector<std::unique_ptr<QProcess>> boards;
  for (int i = 0; i < o.boards; ++i) {
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationFilePath(),
             {QStringLiteral("--board"), QStringLiteral("--settings"), settingsPath, QStringLiteral("--interval"),
              QString::number(o.intervalMs), QStringLiteral("--offset"), QString::number(o.intervalMs * i / o.boards),
              QStringLiteral("--stop-file"), stopFile});
    boards.push_back(std::move(p));
  }
  int ready = 0;
  for (auto& p : boards) {
    if (p->waitForReadyRead(60000) && p->readLine().trimmed() == "ready") ++ready;
  }

  QElapsedTimer played;
  played.start();
  QProcess jumpsim;
  runJumpsim(o, target, {QStringLiteral("--keep"), QStringLiteral("--pace"), QString::number(o.pace)}, 0, jumpsim);
  const bool finished = jumpsim.waitForFinished(o.seconds * 1000);
  if (!finished) {
    jumpsim.terminate();
    if (!jumpsim.waitForFinished(10000)) jumpsim.kill();
    jumpsim.waitForFinished();
  }
  const double playedSeconds = double(played.elapsed()) / 1000.0;
  QThread::msleep(2 * o.intervalMs + 500);  // every board gets to show the last write
  QFile stop(stopFile);
  if (!stop.open(QIODevice::WriteOnly)) out << name << ": cannot write " << stopFile << Qt::endl;
  stop.close();

  std::vector<qint64> micros;
  std::vector<QSet<QString>> seen(boards.size());
  int failed = 0;
  for (std::size_t i = 0; i < boards.size(); ++i) {
    QProcess& p = *boards[i];
    if (!p.waitForFinished(60000)) p.kill();
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    bool boardFailed = p.exitCode() != 0;
    for (const QByteArray& line : lines) {
      if (line.startsWith("t ")) micros.push_back(line.mid(2).toLongLong());
      else if (line.startsWith("seen ")) seen[i].insert(QString::fromUtf8(line.mid(5)));
      else if (line.startsWith("failed")) boardFailed = true;
    }
    if (boardFailed) ++failed;
  }

  QSet<QString> done;
  try {
    done = jumpsDone(settingsPath);
  } catch (const std::exception& e) {
    out << name << ": cannot read the jumps made: " << e.what() << Qt::endl;
  }
  int sawAll = 0;
  qsizetype fewest = done.size();
  for (const QSet<QString>& s : seen) {
    const qsizetype saw = (done & s).size();
    fewest = std::min(fewest, saw);
    if (saw == done.size()) ++sawAll;
  }

  std::sort(micros.begin(), micros.end());
  out << cell(name, -15) << cell(double(ready), 7, 0) << cell(double(failed), 7, 0) << cell(playedSeconds, 8, 0)
      << cell(double(done.size()), 7, 0) << cell(QStringLiteral("%1/%2").arg(sawAll).arg(boards.size()), 9)
      << cell(double(fewest), 7, 0) << cell(double(micros.size()), 9, 0) << cell(percentile(micros, 0.5), 9)
      << cell(percentile(micros, 0.99), 9) << cell(micros.empty() ? QStringLiteral("-") : percentile(micros, 1.0), 9)
      << (finished ? "" : "   (jumpsim stopped at --seconds)") << Qt::endl;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  prepareBoardApplication();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Many boards on one database server while jumpsim plays."));
  parser.addHelpOption();
  const QCommandLineOption engines(QStringLiteral("engines"), QStringLiteral("Engines, comma-separated."),
                                   QStringLiteral("names"));
  const QCommandLineOption boards(QStringLiteral("boards"), QStringLiteral("Boards."), QStringLiteral("n"),
                                  QStringLiteral("20"));
  const QCommandLineOption interval(QStringLiteral("interval"), QStringLiteral("Milliseconds between refreshes."),
                                    QStringLiteral("ms"), QStringLiteral("2000"));
  const QCommandLineOption pace(QStringLiteral("pace"), QStringLiteral("jumpsim's seconds per jump."),
                                QStringLiteral("s"), QStringLiteral("2.5"));
  const QCommandLineOption event(QStringLiteral("event"), QStringLiteral("jumpsim's event: individual, team, both."),
                                 QStringLiteral("which"), QStringLiteral("team"));
  const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Longest time jumpsim plays."),
                                   QStringLiteral("s"), QStringLiteral("300"));
  const QCommandLineOption jumpsimPath(QStringLiteral("jumpsim"), QStringLiteral("The jumpsim program."),
                                       QStringLiteral("path"), QStringLiteral(JUMPBOARD_JUMPSIM));
  // The board processes this program starts.
  const QCommandLineOption board(QStringLiteral("board"), QStringLiteral("Run one board (internal)."));
  const QCommandLineOption settings(QStringLiteral("settings"), QStringLiteral("Settings file (with --board)."),
                                    QStringLiteral("file"));
  const QCommandLineOption offset(QStringLiteral("offset"), QStringLiteral("Milliseconds before the first tick (--board)."),
                                  QStringLiteral("ms"), QStringLiteral("0"));
  const QCommandLineOption stopFile(QStringLiteral("stop-file"), QStringLiteral("Stop when it exists (--board)."),
                                    QStringLiteral("file"));
  parser.addOptions({engines, boards, interval, pace, event, seconds, jumpsimPath, board, settings, offset, stopFile});
  parser.process(app);

  if (parser.isSet(board)) {
    return runBoard(parser.value(settings), parser.value(interval).toInt(), parser.value(offset).toInt(),
                    parser.value(stopFile));
  }

  RunOptions o;
  o.boards = parser.value(boards).toInt();
  o.intervalMs = parser.value(interval).toInt();
  o.pace = parser.value(pace).toDouble();
  o.event = parser.value(event);
  o.seconds = parser.value(seconds).toInt();
  o.jumpsim = parser.value(jumpsimPath);
  if (o.boards < 1 || o.intervalMs < 1 || o.pace < 0 || o.seconds < 1 || !QFile::exists(o.jumpsim)) {
    fprintf(stderr, "--boards, --interval and --seconds take 1 or more, --pace 0 or more; --jumpsim must exist\n");
    return 2;
  }

  std::vector<Engine> chosen;
  try {
    // Boards share a server; an embedded engine is one process's alone.
    if (parser.isSet(engines)) {
      chosen = selectEngines(parser.value(engines));
    } else {
      for (Engine engine : testEngines())
        if (isServer(engine)) chosen.push_back(engine);
    }
  } catch (const std::exception& e) {
    fprintf(stderr, "%s\n", e.what());
    return 2;
  }
  out << "Many boards: " << o.boards << " boards refreshing every " << o.intervalMs << " ms while jumpsim plays the "
      << o.event << " event at " << o.pace << " s a jump; refresh times in ms over every board\n"
      << cell(QStringLiteral("engine"), -15) << cell(QStringLiteral("ready"), 7) << cell(QStringLiteral("failed"), 7)
      << cell(QStringLiteral("played"), 8) << cell(QStringLiteral("jumps"), 7) << cell(QStringLiteral("saw all"), 9)
      << cell(QStringLiteral("fewest"), 7) << cell(QStringLiteral("refresh"), 9) << cell(QStringLiteral("p50"), 9)
      << cell(QStringLiteral("p99"), 9) << cell(QStringLiteral("max"), 9) << Qt::endl;
  for (Engine engine : chosen) {
    try {
      many(engine, o);
    } catch (const std::exception& e) {
      out << engineName(engine) << ": " << e.what() << Qt::endl;
    }
  }
  return 0;
}
