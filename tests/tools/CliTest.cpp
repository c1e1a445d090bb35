// jumpsim run as a program, the way the demo and a user run it.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <map>

#include "FirebirdClassic.h"
#include "SimTarget.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "support/EngineDb.h"

namespace {

// jumpsim and this test attach to the same Firebird files.
const QString kFirebirdConfig = useClassicFirebird();

struct Outcome {
  int exitCode = -1;
  QString out;
  QString err;
};

Outcome jumpsim(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(JUMPSIM_EXE), arguments);
  process.closeWriteChannel();
  if (!process.waitForFinished(120000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "jumpsim did not finish: " << arguments.join(u' ').toStdString();
  }
  Outcome run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromUtf8(process.readAllStandardOutput());
  run.err = QString::fromUtf8(process.readAllStandardError());
  return run;
}

std::string describe(const Outcome& run) {
  return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(run.exitCode).arg(run.out, run.err).toStdString();
}

// Every table's rows as text, sorted, read through the board's own layer.
QStringList dump(Database& db) {
  QStringList lines;
  for (const char* table : {"race", "dantai", "hon", "newzek", "judgea", "judgeb", "judgec", "judged", "judgee"}) {
    Query q(db);
    q.setSql({QStringLiteral("select * from %1").arg(QString::fromUtf8(table))});
    q.open();
    QStringList rows;
    for (int r = 0; r < q.recordCount(); ++r, q.next()) {
      QStringList values;
      for (const QString& column : {QStringLiteral("tcode"), QStringLiteral("zek"), QStringLiteral("name"),
                                    QStringLiteral("totalp1"), QStringLiteral("totalp2"), QStringLiteral("tp"),
                                    QStringLiteral("hon"), QStringLiteral("nzek"), QStringLiteral("tpoint1")}) {
        try {
          values << q.fieldText(column);
        } catch (const std::exception&) {
          values << QStringLiteral("-");
        }
      }
      rows << QString::fromUtf8(table) + u':' + values.join(u'|');
    }
    rows.sort();
    lines << rows;
  }
  return lines;
}

TEST(JumpsimCli, HelpTellsTheOptionsAndSucceeds) {
  const Outcome run = jumpsim({QStringLiteral("--help")});
  EXPECT_EQ(run.exitCode, 0) << describe(run);
  for (const char* option : {"--profile", "--driver", "--database", "--replace", "--keep", "--seed", "--pace", "--step",
                             "--event", "--create-database"}) {
    EXPECT_TRUE(run.out.contains(QString::fromUtf8(option))) << option;
  }
}

struct BadArguments {
  QStringList arguments;
  const char* says;
};

void PrintTo(const BadArguments& c, std::ostream* os) {
  *os << c.arguments.join(u' ').toStdString();
}

class JumpsimBadArguments : public ::testing::TestWithParam<BadArguments> {};

TEST_P(JumpsimBadArguments, StopBeforeTouchingAnyDatabase) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("never.sqlite"));
  QStringList arguments = GetParam().arguments;
  arguments.replaceInStrings(QStringLiteral("@db"), file);
  const Outcome run = jumpsim(arguments);
  EXPECT_EQ(run.exitCode, 2) << describe(run);
  EXPECT_TRUE(run.err.startsWith(QStringLiteral("jumpsim: "))) << describe(run);
  EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().says))) << describe(run);
  EXPECT_FALSE(QFile::exists(file));
}

const QString kSqlite = QStringLiteral("QSQLITE");

INSTANTIATE_TEST_SUITE_P(
    Arguments, JumpsimBadArguments,
    ::testing::Values(
        BadArguments{{QStringLiteral("--pace"), QStringLiteral("fast")}, "--pace takes seconds"},
        BadArguments{{QStringLiteral("--pace"), QStringLiteral("-1")}, "--pace takes seconds"},
        BadArguments{{QStringLiteral("--event"), QStringLiteral("relay")}, "--event takes individual, team or both"},
        BadArguments{{QStringLiteral("--trials"), QStringLiteral("4")}, "--trials takes 0, 1, 2 or 3"},
        BadArguments{{QStringLiteral("--seed"), QStringLiteral("x1")}, "--seed takes a whole number"},
        BadArguments{{QStringLiteral("--seed"), QStringLiteral("4294967296")}, "--seed takes a whole number"},
        BadArguments{{QStringLiteral("--profile"), QStringLiteral("oracle")}, "unknown profile 'oracle'"},
        BadArguments{{QStringLiteral("--driver"), kSqlite}, "--driver needs --database"},
        BadArguments{{QStringLiteral("--database"), QStringLiteral("@db")}, "--database needs --driver"},
        BadArguments{{QStringLiteral("--profile"), QStringLiteral("interbase-local"), QStringLiteral("--driver"),
                      kSqlite, QStringLiteral("--database"), QStringLiteral("@db")},
                     "exclude each other"},
        BadArguments{{QStringLiteral("--driver"), kSqlite, QStringLiteral("--database"), QStringLiteral("@db"),
                      QStringLiteral("--create-database"), QStringLiteral("--replace"), QStringLiteral("--keep")},
                     "--replace and --keep exclude each other"},
        BadArguments{{QStringLiteral("--driver"), QStringLiteral("QNOSUCH"), QStringLiteral("--database"),
                      QStringLiteral("@db"), QStringLiteral("--create-database")},
                     "QNOSUCH is not available"},
        BadArguments{{QStringLiteral("--step"), QStringLiteral("--no-play")}, "exclude each other"},
        BadArguments{{QStringLiteral("--frobnicate")}, "Unknown option 'frobnicate'"},
        BadArguments{{QStringLiteral("extra")}, "unexpected argument: extra"}));

struct Unreachable {
  const char* what;
  QString driver;
  QString database;  // @dir is the test's temp folder
};

void PrintTo(const Unreachable& c, std::ostream* os) {
  *os << c.what;
}

class JumpsimUnreachable : public ::testing::TestWithParam<Unreachable> {};

TEST_P(JumpsimUnreachable, FailsWithTheDriversMessage) {
  QTemporaryDir dir;
  QString database = GetParam().database;
  database.replace(QStringLiteral("@dir"), dir.path());
  const Outcome run = jumpsim({QStringLiteral("--driver"), GetParam().driver, QStringLiteral("--database"), database,
                               QStringLiteral("--pace"), QStringLiteral("0")});
  EXPECT_EQ(run.exitCode, 1) << describe(run);
  EXPECT_TRUE(run.err.contains(QStringLiteral("jumpsim: cannot reach %1 database %2").arg(GetParam().driver, database)))
      << describe(run);
  EXPECT_GT(run.err.size(), QStringLiteral("jumpsim: cannot reach  database : ").size() + database.size() + 20)
      << "the driver says why: " << describe(run);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing.sqlite")))) << "no database made without asking";
}

INSTANTIATE_TEST_SUITE_P(Databases, JumpsimUnreachable,
                         ::testing::Values(Unreachable{"SQLite file missing", kSqlite,
                                                       QStringLiteral("@dir/missing.sqlite")},
                                           Unreachable{"Firebird file missing", QStringLiteral("QIBASE"),
                                                       QStringLiteral("@dir/missing.fdb")},
                                           Unreachable{"Firebird server not listening", QStringLiteral("QIBASE"),
                                                       QStringLiteral("127.0.0.1/1:@dir/missing.fdb")}));

TEST(JumpsimCli, ReachesTheDatabaseOfTheBoardsRememberedProfileThroughDbLayerIni) {
  QTemporaryDir dir;
  const QString settings = dir.filePath(QStringLiteral("Skycfg.ini"));
  const QString database = dir.filePath(QStringLiteral("nowhere/Jump.fdb"));
  QFile ini(dir.filePath(QStringLiteral("dblayer.ini")));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(QStringLiteral("[Jump]\nDriver=QIBASE\nG:\\Jump.GDB=%1\n").arg(database).toUtf8());
  ini.close();
  QFile cfg(settings);
  ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
  cfg.write("[Skylpr]\nDbType=Interbase\nDbdir=server\n");
  cfg.close();

  const Outcome run = jumpsim({QStringLiteral("--settings"), settings});
  EXPECT_EQ(run.exitCode, 1) << describe(run);
  EXPECT_TRUE(run.err.contains(QStringLiteral("QIBASE database %1 (alias Jump)").arg(database))) << describe(run);
}

// The start lists and a played meeting, on each engine; jumpsim writes as SimTarget.h tells, the test reads
// as the board does.
class JumpsimOnEngine : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override { dbLayer = db.writeDbLayerIni(); }

  Outcome run(const QStringList& arguments) { return jumpsim(jumpsimTarget(db, dbLayer) + arguments); }

  // A fresh connection each time: Firebird will not drop a table another attachment has used.
  template <typename F>
  auto withBoardConnection(F&& f) {
    Database board;
    db.configure(board);
    return f(board);
  }

  int count(const QString& sql) {
    return withBoardConnection([&](Database& board) {
      Query q(board);
      q.setSql({sql});
      q.open();
      return q.fieldInt(QStringLiteral("n"));
    });
  }

  EngineDb db{GetParam()};
  QString dbLayer;
};

TEST_P(JumpsimOnEngine, RefusesExistingTablesUnlessToldToReplaceOrKeepThem) {
  const Outcome first = run({QStringLiteral("--no-play")});
  ASSERT_EQ(first.exitCode, 0) << describe(first);
  const int rows = count(QStringLiteral("select count(*) as n from race"));
  EXPECT_EQ(rows, 42 + 24);

  const Outcome again = run({QStringLiteral("--no-play")});
  EXPECT_EQ(again.exitCode, 1) << describe(again);
  EXPECT_TRUE(again.err.contains(QStringLiteral("already exist"))) << describe(again);
  EXPECT_TRUE(again.err.contains(QStringLiteral("RACE"))) << describe(again);
  EXPECT_TRUE(again.err.contains(QStringLiteral("--replace"))) << describe(again);
  EXPECT_EQ(count(QStringLiteral("select count(*) as n from race")), rows) << "nothing was written";

  for (const char* option : {"--replace", "--keep"}) {
    const Outcome told = run({QString::fromUtf8(option), QStringLiteral("--no-play")});
    EXPECT_EQ(told.exitCode, 0) << option << describe(told);
    EXPECT_EQ(count(QStringLiteral("select count(*) as n from race")), rows) << option << ": one start list, not two";
  }
}

TEST_P(JumpsimOnEngine, FillsBothStartListsWithDantaiRowsAndPreparingState) {
  const Outcome filled = run({QStringLiteral("--no-play")});
  ASSERT_EQ(filled.exitCode, 0) << describe(filled);
  EXPECT_EQ(count(QStringLiteral("select count(*) as n from race where tcode='101' and class1='少年'")), 10);
  EXPECT_EQ(count(QStringLiteral("select count(*) as n from race where tcode='101' and class1='成年'")), 32);
  EXPECT_EQ(
      count(QStringLiteral("select count(*) as n from race where tcode='201' and tno='3' and kno='2' and zek='32'")),
      1);
  EXPECT_EQ(count(QStringLiteral("select count(*) as n from dantai where tcode='201'")), 6);
  EXPECT_EQ(count(QStringLiteral("select count(*) as n from hon where hon='X'")), 1);
  EXPECT_EQ(count(QStringLiteral("select count(*) as n from newzek")), 0);
  EXPECT_EQ(count(QStringLiteral("select count(*) as n from race where totalp1 is not null or st2 is not null")), 0);
}

TEST_P(JumpsimOnEngine, PlaysTheSecondRoundBestThirtyReversedAndTeamPointsAsSums) {
  const Outcome played =
      run({QStringLiteral("--pace"), QStringLiteral("0"), QStringLiteral("--trials"), QStringLiteral("0"),
           QStringLiteral("--seed"), QStringLiteral("3"), QStringLiteral("--quiet")});
  ASSERT_EQ(played.exitCode, 0) << describe(played);

  Database board;
  db.configure(board);
  {
    // Individual: per class the qualifiers' st2 runs from the lowest first-round points to the highest.
    for (const auto& [cls, qualifiers] :
         std::map<QString, int>{{QStringLiteral("少年"), 10}, {QStringLiteral("成年"), 30}}) {
      Query q(board);
      q.setSql({QStringLiteral("select zek, st2, totalp1, totalp2, totalpt from race where tcode='101' and class1='%1'")
                    .arg(cls),
                QStringLiteral("order by st2")});
      q.open();
      QList<double> firstRound;
      double bestOut = -1;
      for (int r = 0; r < q.recordCount(); ++r, q.next()) {
        const double p1 = q.fieldText(QStringLiteral("totalp1")).toDouble();
        if (q.fieldText(QStringLiteral("st2")).isEmpty()) {
          bestOut = std::max(bestOut, p1);
          EXPECT_TRUE(q.fieldText(QStringLiteral("totalp2")).isEmpty());
          EXPECT_EQ(q.fieldText(QStringLiteral("totalpt")), q.fieldText(QStringLiteral("totalp1")));
        } else {
          firstRound << p1;
          EXPECT_DOUBLE_EQ(q.fieldText(QStringLiteral("totalpt")).toDouble(),
                           p1 + q.fieldText(QStringLiteral("totalp2")).toDouble());
        }
      }
      EXPECT_GE(firstRound.size(), qualifiers) << qPrintable(cls);
      EXPECT_TRUE(std::is_sorted(firstRound.cbegin(), firstRound.cend())) << qPrintable(cls) << ": lowest first";
      if (bestOut >= 0) {
        EXPECT_LE(bestOut, firstRound.first()) << "nobody better left out";
      }
    }

    // Team: every member's row carries the team's sums; DANTAI the first round's.
    Query teams(board);
    teams.setSql({QStringLiteral("select tno, tpoint1 from dantai where tcode='201'")});
    teams.open();
    ASSERT_EQ(teams.recordCount(), 6);
    for (int t = 0; t < 6; ++t, teams.next()) {
      Query members(board);
      members.setSql(
          {QStringLiteral("select totalp1, totalp2, tpoint1, tpoint2, tpointt from race where tcode='201' and tno='%1'")
               .arg(teams.fieldText(QStringLiteral("tno")))});
      members.open();
      ASSERT_EQ(members.recordCount(), 4);
      double sum1 = 0, sum2 = 0;
      for (int m = 0; m < 4; ++m, members.next()) {
        sum1 += members.fieldText(QStringLiteral("totalp1")).toDouble();
        sum2 += members.fieldText(QStringLiteral("totalp2")).toDouble();
      }
      members.open();
      for (int m = 0; m < 4; ++m, members.next()) {
        EXPECT_NEAR(members.fieldText(QStringLiteral("tpoint1")).toDouble(), sum1, 0.01);
        EXPECT_NEAR(members.fieldText(QStringLiteral("tpoint2")).toDouble(), sum2, 0.01);
        EXPECT_NEAR(members.fieldText(QStringLiteral("tpointt")).toDouble(), sum1 + sum2, 0.01);
      }
      EXPECT_NEAR(teams.fieldText(QStringLiteral("tpoint1")).toDouble(), sum1, 0.01);
    }
  }
}

// Firebird's client library would answer SIGTERM by cutting the connection under a running write.
TEST_P(JumpsimOnEngine, EndsBetweenTwoWritesOnSigterm) {
  for (const char* mode : {"--pace", "--step"}) {
    const bool live = QByteArray(mode) == "--pace";
    const QString waitFor = live ? QStringLiteral(" trial 1: ") : QStringLiteral("next: ");
    QProcess process;
    QStringList arguments =
        jumpsimTarget(db, dbLayer) + QStringList{QStringLiteral("--replace"), QString::fromUtf8(mode)};
    if (live) arguments << QStringLiteral("0.2");
    process.start(QStringLiteral(JUMPSIM_EXE), arguments);
    // Live, it is stopped in the middle of the trial round; step by step, while it waits for a line.
    QDeadlineTimer deadline(60000);
    while (!QString::fromUtf8(process.peek(1 << 20)).contains(waitFor) && !deadline.hasExpired() &&
           process.state() != QProcess::NotRunning) {
      process.waitForReadyRead(100);
    }
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(30000)) << mode << ": still running after SIGTERM";
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << mode;
    EXPECT_EQ(process.exitCode(), 0) << mode << process.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("jumpsim: stopped after"))) << mode << out.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, JumpsimOnEngine, ::testing::ValuesIn(testEngines()), engineTestName);

TEST(JumpsimCli, PlaysTheSameMeetingForTheSameSeed) {
  QTemporaryDir dir;
  auto play = [&](const QString& file, const QString& seed) {
    const Outcome run = jumpsim({QStringLiteral("--driver"), kSqlite, QStringLiteral("--database"), dir.filePath(file),
                                 QStringLiteral("--create-database"), QStringLiteral("--pace"), QStringLiteral("0"),
                                 QStringLiteral("--seed"), seed, QStringLiteral("--quiet")});
    EXPECT_EQ(run.exitCode, 0) << describe(run);
    Database db;
    db.setConfigPath(dir.filePath(QStringLiteral("dblayer.ini")));
    QFile ini(db.configPath());
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Jump]\nDriver=QSQLITE\n").toUtf8());
    ini.close();
    db.setAliasName(QStringLiteral("Jump"));
    db.setParams({QStringLiteral("SERVER NAME=") + dir.filePath(file)});
    return dump(db);
  };
  const QStringList first = play(QStringLiteral("a.sqlite"), QStringLiteral("7"));
  const QStringList second = play(QStringLiteral("b.sqlite"), QStringLiteral("7"));
  const QStringList other = play(QStringLiteral("c.sqlite"), QStringLiteral("8"));
  EXPECT_GT(first.size(), 66 + 6 + 1);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, other);
}

}  // namespace
