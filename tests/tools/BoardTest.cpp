// The board showing what jumpsim plays: in one process step by step, and with jumpsim as a process of
// its own writing while the board reads, as in the demo.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>

#include "FirebirdClassic.h"
#include "Jumpsim.h"
#include "Player.h"
#include "Schema.h"
#include "SimTarget.h"
#include "Writer.h"
#include "platform/ui/Looks.h"
#include "support/BoardFixture.h"

namespace {

const QString kFirebirdConfig = useClassicFirebird();

// The board's fixture without its own tables: jumpsim makes them.
SchemaOptions noTables() {
  SchemaOptions options;
  for (const QString& table : Schema::tables()) options.omit.push_back(table.toStdString());
  return options;
}

class JumpsimBoardBase : public ::testing::TestWithParam<Engine> {
 protected:
  BoardFixture f{GetParam(), noTables()};
};

class JumpsimBoardStepByStep : public JumpsimBoardBase {
 protected:
  void SetUp() override {
    configureWriter(simDb, f.db, scratch.path());
    writer.skipDiskSync();
    Schema::prepare(writer, Schema::Existing::Refuse);
    player.fillStartLists();
    f.start();
  }

  // Plays on until a write that `wanted` accepts has been made.
  template <typename Wanted>
  Step playUntil(Wanted wanted) {
    while (!player.atEnd()) {
      Step step = player.play();
      if (wanted(step)) return step;
    }
    ADD_FAILURE() << "the meeting ended first";
    return {};
  }
  static auto is(Write kind, const char* hon, int event = 0) {
    return [=](const Step& s) { return s.kind == kind && s.hon == QLatin1String(hon) && s.event == event; };
  }

  const Competitor& competitor(const Step& s) const { return player.events().at(s.event).competitors.at(s.competitor); }
  const CompetitorResult& result(const Step& s) const { return player.result(s.event, s.competitor); }

  QTemporaryDir scratch;
  Database simDb;
  Writer writer{simDb};
  Random random{3};
  Player player{writer, random, makeEvents(random, Options::Events::Both), 1};
};

TEST_P(JumpsimBoardStepByStep, ShowsTheTrialJumpOfTheCompetitorOnTheHill) {
  EXPECT_EQ(f.text("lHon"), QStringLiteral("準備中"));
  const Step step = playUntil(is(Write::Distance, "3"));
  f.refresh();
  const Competitor& c = competitor(step);
  EXPECT_EQ(f.text("lHon"), QStringLiteral("試技"));
  EXPECT_EQ(f.text("Lbhon1"), QStringLiteral("1st"));
  EXPECT_EQ(f.text("eZek"), c.zek);
  EXPECT_EQ(f.text("eCode"), c.code);
  EXPECT_EQ(f.text("eName"), c.name);
  EXPECT_EQ(f.text("Enamek"), c.namek);
  EXPECT_EQ(f.text("eSyoz"), c.syozoku);
  EXPECT_EQ(f.text("eSpeed1"), tenthsText(result(step).trial[0]->speed));
  EXPECT_EQ(f.text("eDist1"), tenthsText(result(step).trial[0]->distance));
}

TEST_P(JumpsimBoardStepByStep, ShowsAFirstRoundJumpBeingJudgedThenComplete) {
  const Step judging =
      playUntil([](const Step& s) { return s.kind == Write::Judge && s.hon == QLatin1String("1") && s.judge == 2; });
  f.refresh();
  EXPECT_EQ(f.text("lHon"), QStringLiteral("１本目"));
  EXPECT_EQ(f.text("eAA"), QString()) << "two judges still to give their marks";
  EXPECT_EQ(f.text("eCT"), QString());
  EXPECT_FALSE(f.text("eDistP1").isEmpty()) << "distance points come before the marks";
  EXPECT_EQ(f.text("eJudge1"), QString());

  const Step total = playUntil(is(Write::Total, "1"));
  ASSERT_EQ(total.competitor, judging.competitor);
  f.refresh();
  const JumpResult& jump = *result(total).round[0];
  const QString judges = QStringLiteral("ABCDE");
  for (int j = 0; j < 5; ++j) {
    const QByteArray e = "e" + QByteArray(1, char(judges.at(j).unicode()));
    EXPECT_EQ(f.text(e + "A"), tenthsText(jump.marks[j].flight)) << e.constData();
    EXPECT_EQ(f.text(e + "O"), tenthsText(jump.marks[j].landing)) << e.constData();
    EXPECT_EQ(f.text(e + "L"), tenthsText(jump.marks[j].outrun)) << e.constData();
    EXPECT_EQ(f.text(e + "T"), tenthsText(jump.marks[j].total())) << e.constData();
  }
  EXPECT_EQ(f.text("eSpeed1"), tenthsText(jump.speed));
  EXPECT_EQ(f.text("eDist1"), tenthsText(jump.distance));
  EXPECT_EQ(f.text("eDistP1"), tenthsText(jump.distancePoints));
  EXPECT_EQ(f.text("eJudge1"), tenthsText(jump.stylePoints));
  EXPECT_EQ(f.text("eTotal1"), tenthsText(jump.total));
  EXPECT_EQ(f.text("Erank1"), QStringLiteral("1")) << "the first to finish leads";
  EXPECT_EQ(f.colour("Panel4"), BoardColor::ResultsFrame);
  EXPECT_EQ(f.text("ezeknx"), player.events().at(0).competitors.at(total.competitor + 1).zek);

  playUntil(is(Write::Done, "1"));
  f.refresh();
  EXPECT_EQ(f.colour("Panel4"), BoardColor::ResultsFrameDone) << "sumi D: the jump is complete";

  const Step second = playUntil(is(Write::Total, "1"));
  f.refresh();
  const Tenths mine = result(second).round[0]->total;
  EXPECT_EQ(f.text("Erank1"), mine >= jump.total ? QStringLiteral("1") : QStringLiteral("2"));
}

TEST_P(JumpsimBoardStepByStep, ShowsTheSecondRoundInItsOrderWithBothTotals) {
  const Step total = playUntil(is(Write::Total, "2"));
  f.refresh();
  const CompetitorResult& r = result(total);
  EXPECT_EQ(f.text("lHon"), QStringLiteral("２本目"));
  EXPECT_EQ(f.text("eTotal1"), tenthsText(r.round[0]->total));
  EXPECT_EQ(f.text("eDist2"), tenthsText(r.round[1]->distance));
  EXPECT_EQ(f.text("eTotal2"), tenthsText(r.round[1]->total));
  EXPECT_EQ(f.text("eSougou"), tenthsText(r.round[0]->total + r.round[1]->total));
  EXPECT_EQ(f.text("Erank2"), QStringLiteral("1"));
  EXPECT_EQ(f.text("Erankt"), QStringLiteral("1"));

  // The first to jump again is the lowest of the qualified juniors; the next one follows by st2.
  ASSERT_EQ(r.st2, 1);
  const QList<Competitor>& list = player.events().at(0).competitors;
  int next = -1;
  for (int i = 0; i < list.size(); ++i) {
    if (player.result(0, i).st2 == 2) next = i;
  }
  ASSERT_GE(next, 0);
  EXPECT_EQ(f.text("ezeknx"), list.at(next).zek);
  EXPECT_EQ(list.at(next).class1, competitor(total).class1);
  EXPECT_GE(player.result(0, next).round[0]->total, r.round[0]->total);
}

TEST_P(JumpsimBoardStepByStep, ShowsTheTeamAndItsPointsInTheTeamEvent) {
  const Step first = playUntil(is(Write::TeamPoints, "1", 1));
  f.refresh();
  const Competitor& c = competitor(first);
  EXPECT_TRUE(f.visible("Panel2"));
  EXPECT_EQ(f.text("etno"), c.tno);
  EXPECT_EQ(f.text("tkno"), c.kno);
  EXPECT_EQ(f.text("eZek"), c.tno) << "team layout: the team number in place of the bib";
  EXPECT_EQ(f.text("etmp1"), tenthsText(*player.teamPoints(1, c.tno, 1)));
  EXPECT_EQ(f.text("etms1"), QStringLiteral("1"));

  const Step second = playUntil(is(Write::TeamPoints, "2", 1));
  f.refresh();
  const QString tno = competitor(second).tno;
  EXPECT_EQ(f.text("etno"), tno);
  EXPECT_EQ(f.text("etmp2"), tenthsText(*player.teamPoints(1, tno, 2)));
  EXPECT_EQ(f.text("etmpt"), tenthsText(*player.teamPoints(1, tno, 0)));
  auto rank = [&](int round) {
    int ahead = 0;
    for (const Team& team : player.events().at(1).teams) {
      if (player.teamPoints(1, team.tno, round).value_or(0) > player.teamPoints(1, tno, round).value_or(0)) ++ahead;
    }
    return QString::number(ahead + 1);
  };
  EXPECT_EQ(f.text("etms1"), rank(1));
  EXPECT_EQ(f.text("etms2"), QStringLiteral("1"));
  EXPECT_EQ(f.text("etmst"), rank(0));
}

INSTANTIATE_TEST_SUITE_P(Engines, JumpsimBoardStepByStep, ::testing::ValuesIn(testEngines()), engineTestName);

// jumpsim as its own process in step mode, reaching the database through the board's dblayer.ini.
class JumpsimBesideBoard : public JumpsimBoardBase {
 protected:
  void TearDown() override {
    if (sim.state() != QProcess::NotRunning) {
      sim.kill();
      sim.waitForFinished();
    }
  }

  QString readLine() {
    QDeadlineTimer deadline(60000);
    while (!sim.canReadLine()) {
      if (deadline.hasExpired() || sim.state() == QProcess::NotRunning) {
        ADD_FAILURE() << "no line from jumpsim: " << sim.readAllStandardError().toStdString();
        return {};
      }
      sim.waitForReadyRead(100);
    }
    return QString::fromUtf8(sim.readLine()).trimmed();
  }

  // Lets jumpsim make one write and returns its log line ("12 201 first round ...: points 113.3").
  QString step() {
    sim.write("\n");
    for (;;) {
      const QString line = readLine();
      if (line.isEmpty() || !line.startsWith(QLatin1String("next: "))) return line;
    }
  }

  QString stepUntil(const QString& what) {
    for (int i = 0; i < 200; ++i) {
      const QString line = step();
      if (line.isEmpty() || line.contains(what)) return line;
    }
    ADD_FAILURE() << "no write like " << what.toStdString();
    return {};
  }

  QProcess sim;
};

TEST_P(JumpsimBesideBoard, SeesEveryCommittedWriteAtItsNextRefresh) {
  // Through the board's own settings file and dblayer.ini; on MariaDB, whose board accounts only read,
  // with an account of its own (SimTarget.h).
  const QStringList target = f.db.engine() == Engine::MariaDb
                                 ? jumpsimTarget(f.db, {})
                                 : QStringList{QStringLiteral("--settings"), f.settingsPath()};
  sim.start(QStringLiteral(JUMPSIM_EXE),
            target + QStringList{QStringLiteral("--event"), QStringLiteral("team"), QStringLiteral("--trials"),
                                 QStringLiteral("0"), QStringLiteral("--seed"), QStringLiteral("5"),
                                 QStringLiteral("--step")});
  QString line;
  do {
    line = readLine();
  } while (!line.isEmpty() && !line.startsWith(QLatin1String("next: ")));
  ASSERT_FALSE(line.isEmpty());
  f.start();
  EXPECT_EQ(f.text("lHon"), QStringLiteral("準備中"));

  const QString points = stepUntil(QStringLiteral(": points ")).section(QStringLiteral(": points "), 1);
  ASSERT_FALSE(points.isEmpty());
  f.refresh();
  EXPECT_EQ(f.text("lHon"), QStringLiteral("１本目"));
  EXPECT_EQ(f.text("etno"), QStringLiteral("1"));
  EXPECT_EQ(f.text("tkno"), QStringLiteral("1"));
  EXPECT_EQ(f.text("eTotal1"), points);
  EXPECT_EQ(f.text("etmp1"), QString()) << "team points come after the jumper's";

  const QString team = stepUntil(QStringLiteral(": team 1 points "));
  f.refresh();
  EXPECT_EQ(f.text("etmp1"), team.section(QStringLiteral(" points "), 1).section(u',', 0, 0));
  EXPECT_EQ(f.text("etms1"), QStringLiteral("1"));

  // The next jumper comes onto the hill: the board follows.
  const QString onHill = stepUntil(QStringLiteral(": on the hill"));
  f.refresh();
  EXPECT_TRUE(onHill.contains(QStringLiteral("team 2-1"))) << onHill.toStdString();
  EXPECT_EQ(f.text("etno"), QStringLiteral("2"));
  EXPECT_EQ(f.text("eTotal1"), QString());

  sim.write("q\n");
  ASSERT_TRUE(sim.waitForFinished(30000));
  EXPECT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();
  EXPECT_TRUE(f.dialogs.shown.empty()) << "no database failure on the board";
}

INSTANTIATE_TEST_SUITE_P(Engines, JumpsimBesideBoard, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
