// One whole refresh of a team event's second round, every field against figures worked out by hand.
#include "platform/ui/Looks.h"
#include "refresh/RefreshFixture.h"

namespace {

// A row from parallel lists of columns and values; nullptr is NULL.
Row tableRow(std::initializer_list<const char*> columns, std::initializer_list<const char*> values) {
  Row row;
  auto v = values.begin();
  for (const char* c : columns) {
    row.push_back(*v ? Col(c, *v) : Col(c, std::nullopt));
    ++v;
  }
  return row;
}

class WholeRefresh : public RefreshTest {
 protected:
  void SetUp() override {
    round("2");
    onHill(u"21"_s, u"2-1"_s);
    // clang-format off
    const auto race = {"tcode", "zek", "class1", "totalp1", "totalp2", "totalpt", "tno", "kno", "tpoint1", "tpoint2", "tpointt", "st1", "st2"};
    schema().insert("race", tableRow(race, {"T1",   "11",  "A",      "120.0",   "115.0",   "235.0",   "1",   "1",   "230.0",   "220.0",   "450.0",   "1",   "4"}));
    schema().insert("race", tableRow(race, {"T1",   "12",  "A",      "110.0",   "105.0",   "228.0",   "1",   "2",   "230.0",   "220.0",   "450.0",   "2",   "1"}));
    schema().insert("race", tableRow(race, {"T1",   "21",  "A",      "117.0",   "109.5",   "226.5",   "2",   "1",   "240.0",   "215.5",   "455.5",   "3",   "2"}));
    schema().insert("race", tableRow(race, {"T1",   "22",  "A",      "123.0",   nullptr,   nullptr,   "2",   "2",   "240.0",   "215.5",   "455.5",   "4",   "3"}));
    schema().insert("race", tableRow(race, {"T1",   "31",  "B",      "130.0",   "112.0",   "242.0",   "3",   "1",   "235.0",   "230.0",   "465.0",   "5",   "5"}));
    // The same bib in another competition, ahead of everyone: never shown, never counted.
    schema().insert("race", tableRow(race, {"T2",   "21",  "A",      "200.0",   "200.0",   "400.0",   "2",   "1",   "999.0",   "999.0",   "999.0",   "0",   "0"}));

    const auto figures = {"code", "name",      "namek",         "namee",       "syozoku",       "speed1", "dist1", "distp1", "h1t",  "speed2", "dist2", "distp2", "h2t"};
    schema().update("race", tableRow(figures, {"C21", "山田 太郎", "ヤマダ タロウ", "YAMADA Taro", "北星 スキー部", "88.1",   "101.5", "63.0",   "54.0", "88.4",   "98.0",  "56.0",   "53.5"}), {{"tcode", "T1"}, {"zek", "21"}});
    schema().update("race", tableRow({"name", "namek", "namee", "syozoku"}, {"佐藤 次郎", "サトウ ジロウ", "SATO Jiro", "南 クラブ"}), {{"zek", "22"}});
    schema().update("race", tableRow({"name"}, {"別大会"}), {{"tcode", "T2"}});

    const auto dantai = {"tcode", "tno", "tpoint1"};
    schema().insert("dantai", tableRow(dantai, {"T1", "1", "230.0"}));
    schema().insert("dantai", tableRow(dantai, {"T1", "2", "240.0"}));
    schema().insert("dantai", tableRow(dantai, {"T1", "3", "245.0"}));
    schema().insert("dantai", tableRow(dantai, {"T2", "4", "999.0"}));

    const auto judge = {"sumi", "ap",   "op",   "lp",   "tp"};
    schema().insert("judgea", tableRow(judge, {"1", "18.5", "18.0", "17.5", "54.0"}));
    schema().insert("judgeb", tableRow(judge, {"1", "18.0", "17.5", "18.5", "54.0"}));
    schema().insert("judgec", tableRow(judge, {"1", "17.5", "18.5", "18.0", "54.0"}));
    schema().insert("judged", tableRow(judge, {"1", "19.0", "18.0", "16.5", "53.5"}));
    schema().insert("judgee", tableRow(judge, {"1", "17.0", "16.0", "15.0", "48.0"}));
    // clang-format on
  }
};

TEST_P(WholeRefresh, TeamEventSecondRound) {
  show();
  show();  // a second tick shows the same

  // clang-format off
  const char* const expected[][2] = {
      {"lHon", "２本目"},
      // Team and member number; the bib's place shows the team.
      {"etno", "2"}, {"tkno", "1"}, {"eZek", "2"},
      {"eCode", "C21"}, {"eName", "山田 太郎"}, {"Enamek", "ヤマダ タロウ"}, {"Enamee", "YAMADA Taro"}, {"eSyoz", "北星 スキー部"},
      // Judges: op on "着地", lp on "アウトラン".
      {"eAA", "18.5"}, {"eAO", "18.0"}, {"eAL", "17.5"}, {"eAT", "54.0"},
      {"eBA", "18.0"}, {"eBO", "17.5"}, {"eBL", "18.5"}, {"eBT", "54.0"},
      {"eCA", "17.5"}, {"eCO", "18.5"}, {"eCL", "18.0"}, {"eCT", "54.0"},
      {"eDA", "19.0"}, {"eDO", "18.0"}, {"eDL", "16.5"}, {"eDT", "53.5"},
      {"eEA", "17.0"}, {"eEO", "16.0"}, {"eEL", "15.0"}, {"eET", "48.0"},
      {"Lbhon1", "1st"},
      {"eSpeed1", "88.1"}, {"eDist1", "101.5"}, {"eDistP1", "63.0"}, {"eJudge1", "54.0"}, {"eTotal1", "117.0"},
      {"eSpeed2", "88.4"}, {"eDist2", "98.0"},  {"eDistP2", "56.0"}, {"eJudge2", "53.5"}, {"eTotal2", "109.5"},
      {"eSougou", "226.5"},
      {"Erank1", "3"},  // class A above 117.0: 11 and 22 (31 is class B)
      {"Erank2", "3"},  // all classes above 109.5: 11 and 31 (22 has none)
      {"Erankt", "4"},  // all classes above 226.5: 11, 12 and 31
      // Team 2: points from RACE; the first-round rank from DANTAI (team 3 at 245.0, in RACE 235.0).
      {"etmp1", "240.0"}, {"etms1", "2"},
      {"etmp2", "215.5"}, {"etms2", "3"},  // above 215.5: teams 1 and 3
      {"etmpt", "455.5"}, {"etmst", "2"},  // above 455.5: team 3
      // Class A of T1 by st2: 12, 21, 22, 11.
      {"ezeknx", "22"}, {"Enamenx", "佐藤 次郎"}, {"Enameenx", "SATO Jiro"}, {"Esyoznx", "南 クラブ"},
      {"Enameknx", "サトウ ジロウ"}, {"etnonx", "2"}, {"tknonx", "2"},
  };
  const char* const shown[] = {
      "Panel2", "Panel3", "Panel6", "Label38", "Label39", "etmp1", "etms1", "etmp2", "etms2", "etmpt", "etmst",
      "Lb2hon", "lSou", "eSpeed2", "eDist2", "eDistP2", "eJudge2", "eTotal2", "eSougou", "Erank1", "Erank2", "Erankt"};
  // clang-format on
  for (const auto& [name, value] : expected) EXPECT_EQ(text(name), QString::fromUtf8(value)) << name;
  for (const char* n : shown) EXPECT_TRUE(visible(n)) << n;
  EXPECT_FALSE(visible("eCode"));
  EXPECT_EQ(colour("eTotal1"), windowBackground());
  EXPECT_EQ(colour("Erank1"), windowBackground());
  EXPECT_TRUE(noDialog());
}

INSTANTIATE_TEST_SUITE_P(Engines, WholeRefresh, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
