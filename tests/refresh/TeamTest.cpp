// Steps 14, 18, 20 and 22: the team's points and rank, read in RACE and counted by the database.
#include <optional>
#include <tuple>

#include "refresh/RefreshFixture.h"

namespace {

using Points = std::optional<QString>;

Col points(const char* column, const Points& p) {
  return p ? Col(column, *p) : Col(column, std::nullopt);
}

const char* const kSecondAndTotal[] = {"Label38", "Label39", "etmp2", "etms2", "etmpt", "etmst"};

template <typename Param>
class TeamBase : public RefreshFixture<Param> {
 protected:
  // Member `kno` of team `tno` in competition T1, bib tno*10+kno, carrying the team's points.
  void member(int tno, int kno, const Points& p1, const Points& p2 = {}, const Points& pt = {}) {
    this->jumper({{"zek", QString::number(tno * 10 + kno)},
                  {"class1", "A"},
                  {"tno", QString::number(tno)},
                  {"kno", QString::number(kno)},
                  points("tpoint1", p1),
                  points("tpoint2", p2),
                  points("tpointt", pt),
                  {"st1", tno * 10 + kno},
                  {"st2", tno * 10 + kno}});
  }
  void team(int tno, const Points& p1, const Points& p2 = {}, const Points& pt = {}) {
    member(tno, 1, p1, p2, pt);
    member(tno, 2, p1, p2, pt);
  }
  void dantai(int tno, const Points& p1) {
    this->schema().insert("dantai", {{"tcode", "T1"}, {"tno", QString::number(tno)}, points("tpoint1", p1)});
  }
  // Member 1 of team `tno` on the hill in round `hon`, and one refresh.
  void onHillOf(const char* hon, int tno) {
    this->round(hon);
    this->onHill(QString::number(tno * 10 + 1), QString::number(tno) + u"-1"_s);
    this->show();
  }
  QStringList teamFields() {
    return {this->text("etmp1"), this->text("etms1"), this->text("etmp2"),
            this->text("etms2"), this->text("etmpt"), this->text("etmst")};
  }
  void expectSecondAndTotalColumns(bool shown) {
    for (const char* n : kSecondAndTotal) EXPECT_EQ(this->visible(n), shown) << n;
  }
};

class Team : public TeamBase<Engine> {};

// Teams with 250, 240, 240 and 230 points rank 1, 2, 2 and 4, whatever their number of members.
TEST_P(Team, FirstRoundTeamsWithEqualPointsShareARank) {
  team(1, u"250.0"_s);
  team(2, u"240.0"_s);
  team(3, u"240.0"_s);
  team(4, u"230.0"_s);
  member(4, 3, u"230.0"_s);
  const char* const expected[][2] = {{"250.0", "1"}, {"240.0", "2"}, {"240.0", "2"}, {"230.0", "4"}};
  for (int tno = 1; tno <= 4; ++tno) {
    SCOPED_TRACE(tno);
    onHillOf("1", tno);
    EXPECT_EQ(text("etmp1"), QString::fromUtf8(expected[tno - 1][0]));
    EXPECT_EQ(text("etms1"), QString::fromUtf8(expected[tno - 1][1]));
    EXPECT_TRUE(visible("Panel2"));
    EXPECT_TRUE(visible("etmp1"));
    expectSecondAndTotalColumns(false);
  }
}

// The first round hides the second and total columns but keeps their texts.
TEST_P(Team, FirstRoundHidesTheLaterColumnsKeepingTheirTexts) {
  team(1, u"250.0"_s, u"240.0"_s, u"490.0"_s);
  dantai(1, u"250.0"_s);
  onHillOf("2", 1);
  const QStringList afterSecond = teamFields();
  ASSERT_EQ(afterSecond, (QStringList{u"250.0"_s, u"1"_s, u"240.0"_s, u"1"_s, u"490.0"_s, u"1"_s}));
  expectSecondAndTotalColumns(true);
  onHillOf("1", 1);
  expectSecondAndTotalColumns(false);
  EXPECT_EQ(teamFields(), afterSecond);
}

// During the second round the first-round points come from RACE and the rank from DANTAI.
TEST_P(Team, SecondRoundFirstRankCountsDantai) {
  team(1, u"230.0"_s);
  team(2, u"240.0"_s);
  team(3, u"235.0"_s);
  dantai(1, u"250.0"_s);
  dantai(2, u"240.0"_s);
  dantai(3, u"245.0"_s);
  onHillOf("2", 2);
  EXPECT_EQ(text("etmp1"), u"240.0"_s);
  EXPECT_EQ(text("etms1"), u"3"_s);  // RACE alone would make it 1
}

// A team without first-round points during the second round shows "0" and the teams above 0.
TEST_P(Team, SecondRoundWithoutFirstRoundPointsShowsZero) {
  team(1, u"250.0"_s);
  team(2, std::nullopt);
  dantai(1, u"250.0"_s);
  dantai(3, u"0"_s);
  dantai(4, std::nullopt);
  onHillOf("2", 2);
  EXPECT_EQ(text("etmp1"), u"0"_s);
  EXPECT_EQ(text("etms1"), u"2"_s);
}

// A team number without RACE rows reads as points "0".
TEST_P(Team, TeamWithoutRowsReadsAsZero) {
  team(1, u"250.0"_s, u"240.0"_s, u"490.0"_s);
  dantai(1, u"250.0"_s);
  round("2");
  onHill(u"11"_s, u"7-1"_s);
  show();
  EXPECT_EQ(teamFields(), (QStringList{u"0"_s, u"2"_s, {}, {}, {}, {}}));
}

// Second-round points missing: neither second-round nor total figures, whatever tpointt holds.
TEST_P(Team, NoSecondRoundPointsEmptiesSecondAndTotal) {
  team(1, u"250.0"_s, u"240.0"_s, u"490.0"_s);
  team(2, u"240.0"_s, u"230.0"_s, u"470.0"_s);
  dantai(1, u"250.0"_s);
  dantai(2, u"240.0"_s);
  onHillOf("2", 2);
  ASSERT_EQ(teamFields(), (QStringList{u"240.0"_s, u"2"_s, u"230.0"_s, u"2"_s, u"470.0"_s, u"2"_s}));
  schema().update("race", {{"tpoint2", std::nullopt}}, {{"tno", "2"}});
  show();
  EXPECT_EQ(teamFields(), (QStringList{u"240.0"_s, u"2"_s, {}, {}, {}, {}}));
  expectSecondAndTotalColumns(true);
}

// A team event followed by an individual one: the team area hides with its last figures.
TEST_P(Team, IndividualEventAfterTeamEventHidesTheTeamArea) {
  team(1, u"250.0"_s, u"240.0"_s, u"490.0"_s);
  dantai(1, u"250.0"_s);
  onHillOf("2", 1);
  const QStringList before = teamFields();
  ASSERT_EQ(before.first(), u"250.0"_s);
  schema().update("race", {{"tpoint1", "1.0"}, {"tpoint2", "1.0"}, {"tpointt", "2.0"}});
  onHill(u"11"_s);
  show();
  EXPECT_FALSE(visible("Panel2"));
  EXPECT_EQ(teamFields(), before);
}

INSTANTIATE_TEST_SUITE_P(Engines, Team, ::testing::ValuesIn(testEngines()), engineTestName);

// Points by how they are stored: NULL, the text "0", and a number zero (which reads "0.0").
struct ZeroPoints {
  const char* name;
  bool textTotals;
  Points stored;
  QString shown;  // "" when the field stays empty
  QString rank;
};
void PrintTo(const ZeroPoints& c, std::ostream* os) {
  *os << c.name;
}

class TeamZero : public TeamBase<std::tuple<Engine, ZeroPoints>> {
 protected:
  const ZeroPoints& zero() { return std::get<1>(GetParam()); }
};

// First round: a team that has not jumped shows nothing.
TEST_P(TeamZero, FirstRoundPoints) {
  options.textTotals = zero().textTotals;
  team(1, u"250.0"_s, u"240.0"_s, u"490.0"_s);
  team(2, u"240.0"_s, u"230.0"_s, u"470.0"_s);
  dantai(1, u"250.0"_s);
  dantai(2, u"240.0"_s);
  onHillOf("2", 2);  // fills every team field
  schema().update("race", {points("tpoint1", zero().stored)}, {{"tno", "2"}});
  onHillOf("1", 2);
  EXPECT_EQ(text("etmp1"), zero().shown);
  EXPECT_EQ(text("etms1"), zero().rank);
  expectSecondAndTotalColumns(false);
}

// Second round: second-round points of "0" empty the second-round and the total figures.
TEST_P(TeamZero, SecondRoundPoints) {
  options.textTotals = zero().textTotals;
  team(1, u"250.0"_s, u"240.0"_s, u"490.0"_s);
  team(2, u"240.0"_s, u"230.0"_s, u"470.0"_s);
  dantai(1, u"250.0"_s);
  dantai(2, u"240.0"_s);
  onHillOf("2", 2);
  schema().update("race", {points("tpoint2", zero().stored)}, {{"tno", "2"}});
  show();
  EXPECT_EQ(text("etmp2"), zero().shown);
  EXPECT_EQ(text("etms2"), zero().rank);
  // The total shows only beside second-round points.
  EXPECT_EQ(text("etmpt"), zero().shown.isEmpty() ? QString() : u"470.0"_s);
  EXPECT_EQ(text("etmst"), zero().shown.isEmpty() ? QString() : u"2"_s);
  EXPECT_EQ(text("etmp1"), u"240.0"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TeamZero,
    ::testing::Combine(::testing::ValuesIn(testEngines()),
                       ::testing::Values(ZeroPoints{"Null", false, std::nullopt, {}, {}},
                                         ZeroPoints{"TextZero", true, u"0"_s, {}, {}},
                                         ZeroPoints{"TextEmpty", true, u""_s, {}, {}},
                                         // Any other spelling of zero is points like any other.
                                         ZeroPoints{"TextZeroWithDecimal", true, u"0.0"_s, u"0.0"_s, u"2"_s},
                                         ZeroPoints{"NumericZero", false, u"0"_s, u"0.0"_s, u"2"_s})),
    engineCaseName<ZeroPoints>);

}  // namespace
