// Step 23: the competitor after the one on the hill, in the start order of the round, within his class.
#include <tuple>

#include "refresh/RefreshFixture.h"

namespace {

const char* const kPanel[] = {"ezeknx", "Enamenx", "Enameenx", "Esyoznx", "Enameknx"};

template <typename Param>
class NextBase : public RefreshFixture<Param> {
 protected:
  // Bib `zek` of class `cls`, member `kno` of team `tno`, with names that tell the bib.
  void entrant(const char* zek, const char* cls, int st1, int st2, const char* tno = "", const char* kno = "") {
    const QString z = QString::fromUtf8(zek);
    this->jumper({{"zek", z},
                  {"class1", cls},
                  {"name", u"選手"_s + z},
                  {"namee", u"Player "_s + z},
                  {"syozoku", u"Club "_s + z},
                  {"namek", u"センシュ"_s + z},
                  {"tno", tno},
                  {"kno", kno},
                  {"st1", st1},
                  {"st2", st2}});
  }
  // Class A of T1: start order 21, 22, 23 in the first round, 22, 23, 21 in the second; class B and
  // competition T2 would come between them if the list ignored class or competition.
  void startList() {
    entrant("21", "A", 1, 5, "2", "1");
    entrant("22", "A", 3, 1, "2", "2");
    entrant("23", "A", 5, 3, "3", "1");
    entrant("31", "B", 2, 2, "3", "2");
    this->jumper({{"tcode", "T2"}, {"zek", "41"}, {"class1", "A"}, {"st1", 4}, {"st2", 4}});
  }
  QStringList panel() {
    QStringList out;
    for (const char* n : kPanel) out << this->text(n);
    return out;
  }
  static QStringList panelOf(const QString& zek) {
    if (zek.isEmpty()) return {{}, {}, {}, {}, {}};
    return {zek, u"選手"_s + zek, u"Player "_s + zek, u"Club "_s + zek, u"センシュ"_s + zek};
  }
  QStringList teamNext() { return {this->text("etnonx"), this->text("tknonx")}; }
};

// Who follows whom, by round and layout.
struct NextCase {
  const char* name;
  const char* hon;
  const char* zek;
  const char* tstno;
  const char* next;  // "" when the panel empties
  QStringList team;  // etnonx, tknonx after the refresh
};
void PrintTo(const NextCase& c, std::ostream* os) {
  *os << c.name;
}

class NextCompetitor : public NextBase<std::tuple<Engine, NextCase>> {};

TEST_P(NextCompetitor, FollowsTheStartOrderOfTheRound) {
  const NextCase& c = std::get<1>(GetParam());
  startList();
  // A first refresh fills the panel and the team fields, so that emptying shows.
  round("1");
  onHill(u"21"_s, u"2-1"_s);
  show();
  ASSERT_EQ(panel(), panelOf(u"22"_s));
  ASSERT_EQ(teamNext(), (QStringList{u"2"_s, u"2"_s}));

  round(c.hon);
  onHill(QString::fromUtf8(c.zek), QString::fromUtf8(c.tstno));
  show();
  EXPECT_EQ(panel(), panelOf(QString::fromUtf8(c.next)));
  EXPECT_EQ(teamNext(), c.team);
  EXPECT_EQ(visible("Panel6"), QString::fromUtf8(c.tstno).contains(u'-'));
  EXPECT_TRUE(noDialog());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextCompetitor,
    ::testing::Combine(
        ::testing::ValuesIn(testEngines()),
        ::testing::Values(NextCase{"FirstRoundBySt1", "1", "22", "", "23", {u"2"_s, u"2"_s}},
                          NextCase{"SecondRoundBySt2", "2", "23", "", "21", {u"2"_s, u"2"_s}},
                          // The last of the list: the panel empties; the team fields only in the team layout.
                          NextCase{"LastInFirstRound", "1", "23", "", "", {u"2"_s, u"2"_s}},
                          NextCase{"LastInSecondRound", "2", "21", "", "", {u"2"_s, u"2"_s}},
                          NextCase{"LastInTeamLayout", "1", "23", "3-1", "", {{}, {}}},
                          // Team layout: team and member number of the next competitor.
                          NextCase{"LastInTeamLayoutBySt2", "2", "21", "2-1", "", {{}, {}}},
                          NextCase{"TeamLayout", "2", "22", "2-2", "23", {u"3"_s, u"1"_s}},
                          // Trial round: his class, in first-round order.
                          NextCase{"TrialRoundHisClass", "3", "22", "1", "23", {u"2"_s, u"2"_s}},
                          NextCase{"TrialRoundOnlyOneOfHisClass", "3", "31", "2", "", {u"2"_s, u"2"_s}})),
    engineCaseName<NextCase>);

class NextPanel : public NextBase<Engine> {};

// The only one of his class: as for the last of the list.
TEST_P(NextPanel, OnlyOneInTheListEmpties) {
  startList();
  entrant("51", "C", 9, 9, "5", "1");
  round("1");
  onHill(u"21"_s, u"2-1"_s);
  show();
  onHill(u"51"_s, u"5-1"_s);
  show();
  EXPECT_EQ(panel(), panelOf({}));
  EXPECT_EQ(teamNext(), (QStringList{{}, {}}));
}

// An empty list (his class1 is NULL and no one has the empty class): the five fields empty, the team
// fields keep their text.
TEST_P(NextPanel, EmptyListKeepsTheTeamFields) {
  startList();
  entrant("51", "C", 9, 9, "5", "1");
  schema().update("race", {{"class1", std::nullopt}}, {{"zek", "51"}});
  round("1");
  onHill(u"21"_s, u"2-1"_s);
  show();
  onHill(u"51"_s, u"5-1"_s);
  show();
  EXPECT_EQ(panel(), panelOf({}));
  EXPECT_EQ(teamNext(), (QStringList{u"2"_s, u"2"_s}));
}

// Not in a list that has rows (no RACE row, so the class is empty and the list holds the competitors
// without a class): no arbitrary row is shown as the next jumper.
TEST_P(NextPanel, MissingFromTheListEmptiesThePanel) {
  startList();
  entrant("61", "", 1, 1, "6", "1");
  entrant("62", "", 2, 2, "6", "2");
  round("1");
  onHill(u"21"_s, u"2-1"_s);
  show();
  onHill(u"99"_s, u"9-1"_s);
  show();
  EXPECT_EQ(panel(), panelOf({}));
  EXPECT_EQ(teamNext(), (QStringList{{}, {}}));
  // The same in the individual layout, where the team fields stay as they were.
  onHill(u"21"_s, u"2-1"_s);
  show();
  onHill(u"99"_s);
  show();
  EXPECT_EQ(panel(), panelOf({}));
  EXPECT_EQ(teamNext(), (QStringList{u"2"_s, u"2"_s}));
}

// The individual layout neither fills nor empties the team fields.
TEST_P(NextPanel, IndividualLayoutLeavesTheTeamFields) {
  startList();
  round("1");
  onHill(u"22"_s, u"2-2"_s);
  show();
  ASSERT_EQ(teamNext(), (QStringList{u"3"_s, u"1"_s}));
  onHill(u"21"_s);
  show();
  EXPECT_EQ(panel(), panelOf(u"22"_s));
  EXPECT_EQ(teamNext(), (QStringList{u"3"_s, u"1"_s}));
  EXPECT_FALSE(visible("Panel6"));
}

INSTANTIATE_TEST_SUITE_P(Engines, NextPanel, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
