// Steps 8 to 16: the competitor's identity and the results columns of each round.
#include <optional>
#include <tuple>

#include "platform/ui/Looks.h"
#include "refresh/RefreshFixture.h"

namespace {

// Every figure of bib 12 distinct, so that a field filled from the wrong column shows.
// clang-format off
Row bib12() {
  return {{"zek", "12"}, {"code", "C-0012"}, {"name", "山田 太郎"}, {"namek", "ヤマダ タロウ"}, {"namee", "YAMADA Taro"},
          {"syozoku", "O'Neill スキー部"}, {"class1", "A"},
          {"speed1", "88.1"}, {"dist1", "101.5"}, {"distp1", "63.0"}, {"h1t", "54.5"}, {"totalp1", "117.5"},
          {"speed2", "88.4"}, {"dist2", "98.0"},  {"distp2", "56.0"}, {"h2t", "53.5"}, {"totalp2", "109.5"},
          {"totalpt", "227.0"},
          {"tspeed1", "85.1"}, {"tspeed2", "85.2"}, {"tspeed3", "85.3"},
          {"tdist1", "91.0"},  {"tdist2", "92.0"},  {"tdist3", "93.0"},
          {"st1", 1}, {"st2", 1}};
}
// clang-format on

class Rounds : public RefreshTest {
 protected:
  void competition(const char* hon, const QString& tstno = {}) {
    round(hon);
    onHill(u"12"_s, tstno);
    jumper(bib12());
  }
  void expectHidden(std::initializer_list<const char*> names) {
    for (const char* n : names) EXPECT_FALSE(visible(n)) << n;
  }
  void expectShown(std::initializer_list<const char*> names) {
    for (const char* n : names) EXPECT_TRUE(visible(n)) << n;
  }
  void expectEmpty(std::initializer_list<const char*> names) {
    for (const char* n : names) EXPECT_EQ(text(n), QString()) << n;
  }
};

TEST_P(Rounds, IdentityOfTheCompetitorOnTheHill) {
  competition("1");
  show();
  EXPECT_EQ(text("eZek"), u"12"_s);
  EXPECT_EQ(text("eCode"), u"C-0012"_s);
  EXPECT_EQ(text("eName"), u"山田 太郎"_s);
  EXPECT_EQ(text("Enamek"), u"ヤマダ タロウ"_s);
  EXPECT_EQ(text("Enamee"), u"YAMADA Taro"_s);
  EXPECT_EQ(text("eSyoz"), u"O'Neill スキー部"_s);
  EXPECT_TRUE(noDialog());
}

// In the team layout the bib's place shows the team number.
TEST_P(Rounds, TeamLayoutShowsTheTeamNumberInTheBibField) {
  competition("1", u"3-2"_s);
  show();
  EXPECT_EQ(text("eZek"), u"3"_s);
  EXPECT_EQ(text("eName"), u"山田 太郎"_s);
}

// Bib and competition code holding a quote still find their row and count their ranks.
TEST_P(Rounds, ValuesHoldingAQuoteStayText) {
  round("2");
  onHill(u"1'2"_s, {}, u"T'1"_s);
  Row row = bib12();
  row[0] = Col("zek", "1'2");
  row.insert(row.begin(), Col("tcode", "T'1"));
  jumper(row);
  jumper({{"tcode", "T'1"},
          {"zek", "7"},
          {"class1", "A"},
          {"totalp1", "120.0"},
          {"totalp2", "110.0"},
          {"totalpt", "230.0"},
          {"st1", 2},
          {"st2", 2}});
  show();
  EXPECT_EQ(text("eZek"), u"1'2"_s);
  EXPECT_EQ(text("eName"), u"山田 太郎"_s);
  EXPECT_EQ(text("Erank1"), u"2"_s);
  EXPECT_EQ(text("Erank2"), u"2"_s);
  EXPECT_EQ(text("Erankt"), u"2"_s);
  EXPECT_EQ(text("ezeknx"), u"7"_s);
  EXPECT_TRUE(noDialog());
}

TEST_P(Rounds, FirstRoundShowsTheFirstColumnOnly) {
  competition("2");
  show();  // a second round first: the second column shown and filled, window-coloured total
  ASSERT_EQ(text("eSpeed2"), u"88.4"_s);
  round("1");
  show();
  EXPECT_EQ(text("Lbhon1"), u"1st"_s);
  EXPECT_EQ(text("eSpeed1"), u"88.1"_s);
  EXPECT_EQ(text("eDist1"), u"101.5"_s);
  EXPECT_EQ(text("eDistP1"), u"63.0"_s);
  EXPECT_EQ(text("eJudge1"), u"54.5"_s);
  EXPECT_EQ(text("eTotal1"), u"117.5"_s);
  EXPECT_EQ(text("Erank1"), u"1"_s);
  expectEmpty({"eSpeed2", "eDist2", "eDistP2", "eJudge2", "eTotal2", "eSougou", "Erank2"});
  expectHidden({"eSpeed2", "eDist2", "eDistP2", "eJudge2", "eTotal2", "eSougou", "Lb2hon", "lSou", "Erank2", "Erankt"});
  expectShown({"eSpeed1", "eDist1", "eDistP1", "eJudge1", "eTotal1", "Erank1", "Lbhon1"});
  EXPECT_EQ(colour("eTotal1"), BoardColor::LightYellow);
  EXPECT_EQ(colour("Erank1"), BoardColor::LightYellow);
}

// A jump without style points shows neither first-round total nor rank.
TEST_P(Rounds, FirstRoundWithoutStylePointsEmptiesTotalAndRank) {
  competition("1");
  show();
  ASSERT_EQ(text("Erank1"), u"1"_s);
  schema().update("race", {{"h1t", std::nullopt}});
  show();
  EXPECT_EQ(text("eJudge1"), QString());
  EXPECT_EQ(text("eTotal1"), QString());
  EXPECT_EQ(text("Erank1"), QString());
  EXPECT_EQ(text("eDistP1"), u"63.0"_s);
}

TEST_P(Rounds, SecondRoundShowsBothColumnsAndTheTotal) {
  competition("1");
  show();  // light-yellow first-round colours, second column hidden
  round("2");
  show();
  EXPECT_EQ(text("Lbhon1"), u"1st"_s);
  EXPECT_EQ(text("eSpeed1"), u"88.1"_s);
  EXPECT_EQ(text("eDist1"), u"101.5"_s);
  EXPECT_EQ(text("eDistP1"), u"63.0"_s);
  EXPECT_EQ(text("eJudge1"), u"54.5"_s);
  EXPECT_EQ(text("eTotal1"), u"117.5"_s);
  EXPECT_EQ(text("eSpeed2"), u"88.4"_s);
  EXPECT_EQ(text("eDist2"), u"98.0"_s);
  EXPECT_EQ(text("eDistP2"), u"56.0"_s);
  EXPECT_EQ(text("eJudge2"), u"53.5"_s);
  EXPECT_EQ(text("eTotal2"), u"109.5"_s);
  EXPECT_EQ(text("eSougou"), u"227.0"_s);
  EXPECT_EQ(text("Erank1"), u"1"_s);
  EXPECT_EQ(text("Erank2"), u"1"_s);
  EXPECT_EQ(text("Erankt"), u"1"_s);
  expectShown({"eSpeed2", "eDist2", "eDistP2", "eJudge2", "eTotal2", "eSougou", "Lb2hon", "lSou", "Erank2", "Erankt"});
  EXPECT_EQ(colour("eTotal1"), windowBackground());
  EXPECT_EQ(colour("Erank1"), windowBackground());
}

// The second round makes no test on style points.
TEST_P(Rounds, SecondRoundShowsTotalsWithoutStylePoints) {
  competition("2");
  schema().update("race", {{"h1t", std::nullopt}, {"h2t", std::nullopt}});
  show();
  EXPECT_EQ(text("eJudge2"), QString());
  EXPECT_EQ(text("eTotal1"), u"117.5"_s);
  EXPECT_EQ(text("eTotal2"), u"109.5"_s);
  EXPECT_EQ(text("Erank2"), u"1"_s);
}

// Round codes that are neither "X", "1", "2" nor "3" take the second-round path.
TEST_P(Rounds, OtherRoundCodesTakeTheSecondRoundPath) {
  for (const char* hon : {"4", "x", " 2", ""}) {
    SCOPED_TRACE(hon);
    competition("1");
    show();
    round(hon);
    show();
    EXPECT_EQ(text("eSpeed2"), u"88.4"_s);
    EXPECT_EQ(text("eSougou"), u"227.0"_s);
    EXPECT_EQ(text("Erankt"), u"1"_s);
    expectShown({"eSpeed2", "Lb2hon", "lSou", "Erank2", "Erankt"});
    schema().clear("race");
  }
}

// No RACE row for the bib: everything the round writes is empty, the bib stays.
TEST_P(Rounds, NoRaceRowEmptiesIdentityAndFigures) {
  for (const char* hon : {"1", "2"}) {
    SCOPED_TRACE(hon);
    competition(hon);
    show();
    ASSERT_EQ(text("eName"), u"山田 太郎"_s);
    schema().clear("race");
    show();
    EXPECT_EQ(text("eZek"), u"12"_s);
    expectEmpty({"eCode", "eName", "Enamek", "Enamee", "eSyoz", "eSpeed1", "eDist1", "eDistP1", "eJudge1", "eTotal1",
                 "Erank1", "eSpeed2", "eDist2", "eDistP2", "eJudge2", "eTotal2", "eSougou", "Erank2", "Erankt"});
    EXPECT_TRUE(noDialog());
  }
}

// Figures show with exactly the characters the database hands over.
TEST_P(Rounds, NumbersShowAsTheDatabasePrintsThem) {
  competition("1");
  schema().update("race", {{"totalp1", "95"}, {"speed1", "90"}});
  show();
  EXPECT_EQ(text("eTotal1"), u"95.0"_s);
  EXPECT_EQ(text("eSpeed1"), u"90.0"_s);
}

INSTANTIATE_TEST_SUITE_P(Engines, Rounds, ::testing::ValuesIn(testEngines()), engineTestName);

// Second round by the text of TOTALP2: only the one-character "0" means "no second jump yet".
struct ZeroCase {
  const char* name;
  bool textTotals;
  std::optional<QString> totalp2;
  QString eTotal2;
  QString eSougou;
  QString Erank2;
  QString Erankt;
};
void PrintTo(const ZeroCase& c, std::ostream* os) {
  *os << c.name;
}

class SecondRoundTotal : public RefreshFixture<std::tuple<Engine, ZeroCase>> {};

TEST_P(SecondRoundTotal, ZeroMeansNotJumpedYet) {
  const ZeroCase& c = std::get<1>(GetParam());
  options.textTotals = c.textTotals;
  round("2");
  onHill(u"12"_s);
  // A first refresh with a full second round leaves ranks that the case must clear or replace.
  Row row = bib12();
  jumper(row);
  jumper({{"zek", "13"}, {"class1", "A"}, {"totalp1", "99.0"}, {"totalp2", "99.0"}, {"totalpt", "300.0"}});
  show();
  ASSERT_EQ(text("Erankt"), u"2"_s);
  schema().update("race", {c.totalp2 ? Col("totalp2", *c.totalp2) : Col("totalp2", std::nullopt)}, {{"zek", "12"}});
  show();
  EXPECT_EQ(text("eTotal2"), c.eTotal2);
  EXPECT_EQ(text("eSougou"), c.eSougou);
  EXPECT_EQ(text("Erank2"), c.Erank2);
  EXPECT_EQ(text("Erankt"), c.Erankt);
  for (const char* n : {"eTotal2", "eSougou", "Erank2", "Erankt"}) EXPECT_TRUE(visible(n)) << n;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondRoundTotal,
    ::testing::Combine(::testing::ValuesIn(testEngines()),
                       ::testing::Values(ZeroCase{"TextZero", true, u"0"_s, {}, {}, {}, {}},
                                         ZeroCase{"TextZeroWithDecimal", true, u"0.0"_s, u"0.0"_s, u"227.0"_s, u"2"_s,
                                                  u"2"_s},
                                         ZeroCase{"NumericZero", false, u"0"_s, u"0.0"_s, u"227.0"_s, u"2"_s, u"2"_s},
                                         ZeroCase{"Null", false, std::nullopt, {}, u"227.0"_s, {}, u"2"_s},
                                         ZeroCase{"TextEmpty", true, u""_s, {}, u"227.0"_s, {}, u"2"_s})),
    engineCaseName<ZeroCase>);

// Trial round: the trial jump's speed and distance by the number in NEWZEK's tstno.
struct TrialCase {
  const char* tstno;
  const char* speed;
  const char* dist;
  const char* ordinal;
};
void PrintTo(const TrialCase& c, std::ostream* os) {
  *os << "tstno '" << c.tstno << "'";
}

class TrialRound : public RefreshFixture<std::tuple<Engine, TrialCase>> {};

TEST_P(TrialRound, ShowsTheTrialJumpAndHidesTheRest) {
  const TrialCase& c = std::get<1>(GetParam());
  round("1");
  onHill(u"12"_s);
  jumper(bib12());
  show();  // first round: first column filled, ranks set
  round("3");
  onHill(u"12"_s, QString::fromUtf8(c.tstno));
  show();
  EXPECT_EQ(text("eSpeed1"), QString::fromUtf8(c.speed));
  EXPECT_EQ(text("eDist1"), QString::fromUtf8(c.dist));
  // A value that is no trial jump number leaves what the first round wrote.
  EXPECT_EQ(text("Lbhon1"), c.ordinal[0] ? QString::fromUtf8(c.ordinal) : u"1st"_s);
  // Not written in the trial round.
  EXPECT_EQ(text("eDistP1"), u"63.0"_s);
  EXPECT_EQ(text("eJudge1"), u"54.5"_s);
  EXPECT_EQ(text("eTotal1"), u"117.5"_s);
  EXPECT_EQ(colour("eTotal1"), BoardColor::LightYellow);
  // Emptied: the third name form although namee holds one, and the ranks.
  for (const char* n : {"Enamee", "Erank1", "Erank2", "Erankt", "eTotal2", "eSougou"})
    EXPECT_EQ(text(n), QString()) << n;
  EXPECT_EQ(text("eName"), u"山田 太郎"_s);
  for (const char* n :
       {"Lb2hon", "eSpeed2", "eDist2", "eDistP2", "eJudge2", "eTotal2", "lSou", "eSougou", "Erank2", "Erankt"})
    EXPECT_FALSE(visible(n)) << n;
}

// After a trial jump "2", a value that is no trial jump number leaves the first column as it was.
TEST_P(TrialRound, OtherTrialNumbersKeepTheFirstColumn) {
  const TrialCase& c = std::get<1>(GetParam());
  round("3");
  onHill(u"12"_s, u"2"_s);
  jumper(bib12());
  show();
  ASSERT_EQ(text("eSpeed1"), u"85.2"_s);
  onHill(u"12"_s, QString::fromUtf8(c.tstno));
  show();
  const bool isTrialJump = QString::fromUtf8(c.ordinal) != QString();
  EXPECT_EQ(text("eSpeed1"), isTrialJump ? QString::fromUtf8(c.speed) : u"85.2"_s);
  EXPECT_EQ(text("eDist1"), isTrialJump ? QString::fromUtf8(c.dist) : u"92.0"_s);
  EXPECT_EQ(text("Lbhon1"), isTrialJump ? QString::fromUtf8(c.ordinal) : u"2nd"_s);
  // Visible in the window's design, and the trial round leaves their visibility alone.
  EXPECT_TRUE(visible("Erank2"));
  EXPECT_TRUE(visible("Erankt"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrialRound,
    ::testing::Combine(::testing::ValuesIn(testEngines()),
                       ::testing::Values(TrialCase{"1", "85.1", "91.0", "1st"}, TrialCase{"2", "85.2", "92.0", "2nd"},
                                         TrialCase{"3", "85.3", "93.0", "3rd"},
                                         // Not a trial jump number: the first column keeps its texts.
                                         TrialCase{"4", "88.1", "101.5", ""}, TrialCase{"", "88.1", "101.5", ""},
                                         TrialCase{"2 ", "88.1", "101.5", ""}, TrialCase{"3-2", "88.1", "101.5", ""})),
    [](const ::testing::TestParamInfo<std::tuple<Engine, TrialCase>>& p) {
      const TrialCase& c = std::get<1>(p.param);
      std::string n = std::string(engineName(std::get<0>(p.param))) + "_";
      n += c.ordinal[0] ? std::string("jump") + c.tstno : std::string("other") + std::to_string(p.index);
      return n;
    });

// Only the columns of the current round and trial jump are read: a column missing there fails the
// refresh, the same column missing in another round does no harm.
struct MissingCase {
  const char* name;
  const char* omit;
  const char* hon;
  const char* tstno;
  bool fails;
};
void PrintTo(const MissingCase& c, std::ostream* os) {
  *os << c.name;
}

class MissingColumn : public RefreshFixture<std::tuple<Engine, MissingCase>> {};

TEST_P(MissingColumn, FailsOnlyInTheRoundThatReadsIt) {
  const MissingCase& c = std::get<1>(GetParam());
  options.omit = {c.omit};
  round(c.hon);
  onHill(u"12"_s, QString::fromUtf8(c.tstno));
  Row row;
  const QString omitted = QString::fromUtf8(c.omit).section(u'.', 1);
  for (const Col& col : bib12())
    if (col.name.compare(omitted, Qt::CaseInsensitive) != 0) row.push_back(col);
  jumper(row);
  show();
  if (c.fails) {
    EXPECT_TRUE(failedAsDatabaseDown());
    // Written before the failure, kept.
    EXPECT_EQ(text("eName"), u"山田 太郎"_s);
  } else {
    EXPECT_TRUE(noDialog());
    EXPECT_FALSE(board().closed());
    EXPECT_EQ(text("eName"), u"山田 太郎"_s);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingColumn,
    ::testing::Combine(::testing::ValuesIn(testEngines()),
                       ::testing::Values(MissingCase{"Tspeed3InTrialJump3", "race.tspeed3", "3", "3", true},
                                         MissingCase{"Tspeed3InTrialJump1", "race.tspeed3", "3", "1", false},
                                         MissingCase{"Tspeed3InFirstRound", "race.tspeed3", "1", "", false},
                                         MissingCase{"H2tInSecondRound", "race.h2t", "2", "", true},
                                         MissingCase{"H2tInFirstRound", "race.h2t", "1", "", false},
                                         MissingCase{"TotalptInSecondRound", "race.totalpt", "2", "", true},
                                         MissingCase{"NameeInTrialRound", "race.namee", "3", "1", true},
                                         MissingCase{"St2InSecondRound", "race.st2", "2", "", true},
                                         MissingCase{"St2InFirstRound", "race.st2", "1", "", false})),
    engineCaseName<MissingCase>);

}  // namespace
