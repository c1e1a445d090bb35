// Steps 12, 17, 19 and 21: the ranks the database counts, by its own comparison of the totals.
#include <tuple>
#include <vector>

#include "refresh/RefreshFixture.h"

namespace {

class Ranking : public RefreshTest {
 protected:
  // A class-A competitor of T1 with the same figure as first, second and overall total.
  void competitor(const char* zek, std::optional<QString> total, const char* cls = "A") {
    const auto value = [&](const char* column) { return total ? Col(column, *total) : Col(column, std::nullopt); };
    jumper({{"zek", zek}, {"class1", cls}, {"h1t", "50.0"}, value("totalp1"), value("totalp2"), value("totalpt")});
  }
  void onHillIn(const char* hon, const char* zek) {
    round(hon);
    onHill(QString::fromUtf8(zek));
    show();
  }
};

// The first round counts the competitor's own class only; the second round and the total count all
// classes; other competitions never count.
TEST_P(Ranking, FirstRoundCountsTheOwnClassOnly) {
  jumper({{"zek", "12"},
          {"class1", "A"},
          {"h1t", "50.0"},
          {"totalp1", "100.0"},
          {"totalp2", "100.0"},
          {"totalpt", "200.0"}});
  jumper({{"zek", "13"},
          {"class1", "B"},
          {"h1t", "50.0"},
          {"totalp1", "120.0"},
          {"totalp2", "120.0"},
          {"totalpt", "210.0"}});
  jumper({{"zek", "14"},
          {"class1", "A"},
          {"h1t", "50.0"},
          {"totalp1", "110.0"},
          {"totalp2", "90.0"},
          {"totalpt", "150.0"}});
  jumper({{"tcode", "T2"},
          {"zek", "15"},
          {"class1", "A"},
          {"h1t", "50.0"},
          {"totalp1", "200.0"},
          {"totalp2", "200.0"},
          {"totalpt", "400.0"}});
  onHillIn("1", "12");
  EXPECT_EQ(text("Erank1"), u"2"_s);  // 14 of class A; not 13 of class B
  onHillIn("2", "12");
  EXPECT_EQ(text("Erank1"), u"2"_s);
  EXPECT_EQ(text("Erank2"), u"2"_s);  // 13 of class B
  EXPECT_EQ(text("Erankt"), u"2"_s);  // 13 of class B
  onHillIn("2", "13");
  EXPECT_EQ(text("Erank1"), u"1"_s);
  EXPECT_EQ(text("Erank2"), u"1"_s);
  EXPECT_EQ(text("Erankt"), u"1"_s);
}

// A NULL total is never ahead of anyone; a competitor without a total shows no rank.
TEST_P(Ranking, NullTotalsNeverCount) {
  competitor("12", u"50.0"_s);
  competitor("13", std::nullopt);
  onHillIn("1", "12");
  EXPECT_EQ(text("Erank1"), u"1"_s);
  onHillIn("2", "12");
  EXPECT_EQ(text("Erank1"), u"1"_s);
  EXPECT_EQ(text("Erank2"), u"1"_s);
  EXPECT_EQ(text("Erankt"), u"1"_s);
  onHillIn("1", "13");
  EXPECT_EQ(text("Erank1"), QString());
  onHillIn("2", "13");
  EXPECT_EQ(text("Erank1"), QString());
  EXPECT_EQ(text("Erank2"), QString());
  EXPECT_EQ(text("Erankt"), QString());
}

// A competitor whose class is NULL is ranked among the rows whose class is the empty text.
TEST_P(Ranking, NullClassCountsTheEmptyClass) {
  jumper({{"zek", "12"}, {"class1", std::nullopt}, {"h1t", "50.0"}, {"totalp1", "100.0"}});
  jumper({{"zek", "13"}, {"class1", ""}, {"h1t", "50.0"}, {"totalp1", "120.0"}});
  jumper({{"zek", "14"}, {"class1", std::nullopt}, {"h1t", "50.0"}, {"totalp1", "130.0"}});
  onHillIn("1", "12");
  EXPECT_EQ(text("Erank1"), u"2"_s);
}

// Second round with a second-round total but no overall total: no rank of an earlier competitor stays.
TEST_P(Ranking, NoOverallTotalEmptiesTheOverallRank) {
  competitor("12", u"100.0"_s);
  competitor("13", u"90.0"_s);
  onHillIn("2", "13");
  ASSERT_EQ(text("Erankt"), u"2"_s);
  schema().update("race", {{"totalpt", std::nullopt}}, {{"zek", "13"}});
  show();
  EXPECT_EQ(text("eTotal2"), u"90.0"_s);
  EXPECT_EQ(text("Erank2"), u"2"_s);
  EXPECT_EQ(text("Erankt"), QString());
}

INSTANTIATE_TEST_SUITE_P(Engines, Ranking, ::testing::ValuesIn(testEngines()), engineTestName);

// Equal totals share a rank; the next lower total counts every row above it.
struct TieCase {
  const char* name;
  std::vector<const char*> totals;  // bibs 11, 12, ... in this order
  std::vector<const char*> ranks;
};
void PrintTo(const TieCase& c, std::ostream* os) {
  *os << c.name;
}

class RankTies : public RefreshFixture<std::tuple<Engine, const char*, TieCase>> {
 protected:
};

TEST_P(RankTies, EqualTotalsShareARank) {
  const char* hon = std::get<1>(GetParam());
  const TieCase& c = std::get<2>(GetParam());
  for (size_t i = 0; i < c.totals.size(); ++i) {
    const QString t = QString::fromUtf8(c.totals[i]);
    jumper({{"zek", QString::number(11 + i)},
            {"class1", "A"},
            {"h1t", "50.0"},
            {"totalp1", t},
            {"totalp2", t},
            {"totalpt", t}});
  }
  round(hon);
  const bool second = hon[0] == '2';
  for (size_t i = 0; i < c.totals.size(); ++i) {
    SCOPED_TRACE(c.totals[i]);
    onHill(QString::number(11 + i));
    show();
    const QString rank = QString::fromUtf8(c.ranks[i]);
    EXPECT_EQ(text("Erank1"), rank);
    EXPECT_EQ(text("Erank2"), second ? rank : QString());
    if (second) {
      EXPECT_EQ(text("Erankt"), rank);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RankTies,
    ::testing::Combine(::testing::ValuesIn(testEngines()), ::testing::Values("1", "2"),
                       ::testing::Values(TieCase{"TwoTied", {"250.0", "240.0", "240.0", "230.0"}, {"1", "2", "2", "4"}},
                                         TieCase{"ThreeTied",
                                                 {"250.0", "240.0", "240.0", "240.0", "230.0"},
                                                 {"1", "2", "2", "2", "5"}})),
    [](const ::testing::TestParamInfo<std::tuple<Engine, const char*, TieCase>>& p) {
      return std::string(engineName(std::get<0>(p.param))) + "_round" + std::get<1>(p.param) + "_" +
             std::get<2>(p.param).name;
    });

// Totals stored as text compare by characters (9.5 above 10.0); stored as numbers, by value.
class TotalsOrder : public RefreshFixture<std::tuple<Engine, bool>> {};

TEST_P(TotalsOrder, DatabaseComparisonDecides) {
  const bool textTotals = std::get<1>(GetParam());
  options.textTotals = textTotals;
  jumper({{"zek", "12"}, {"class1", "A"}, {"h1t", "5.0"}, {"totalp1", "9.5"}, {"totalp2", "9.5"}, {"totalpt", "9.5"}});
  jumper(
      {{"zek", "13"}, {"class1", "A"}, {"h1t", "5.0"}, {"totalp1", "10.0"}, {"totalp2", "10.0"}, {"totalpt", "10.0"}});
  round("2");
  const auto ranksOf = [&](const char* zek) {
    onHill(QString::fromUtf8(zek));
    show();
    return QStringList{text("Erank1"), text("Erank2"), text("Erankt")};
  };
  const QStringList first{u"1"_s, u"1"_s, u"1"_s};
  const QStringList second{u"2"_s, u"2"_s, u"2"_s};
  EXPECT_EQ(ranksOf("12"), textTotals ? first : second);
  EXPECT_EQ(ranksOf("13"), textTotals ? second : first);
  round("1");
  onHill(u"12"_s);
  show();
  EXPECT_EQ(text("Erank1"), textTotals ? u"1"_s : u"2"_s);
}

INSTANTIATE_TEST_SUITE_P(Cases, TotalsOrder, ::testing::Combine(::testing::ValuesIn(testEngines()), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<Engine, bool>>& p) {
                           return std::string(engineName(std::get<0>(p.param))) +
                                  (std::get<1>(p.param) ? "_textTotals" : "_numericTotals");
                         });

}  // namespace
