// The refresh's first steps: competition and team number, layout, round state, the competitor on the
// hill, and what a database failure does.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTimer>

#include "platform/settings/SettingsPaths.h"
#include "platform/ui/Looks.h"
#include "support/BoardFixture.h"

using namespace Qt::StringLiterals;

namespace {

const QString kDatabaseDown = u"データベースが稼動していません。"_s;
const char* const kClearedFields[] = {
    "eZek", "eCode", "eName", "eSyoz", "eAA", "eAL", "eAO", "eAT", "eBA", "eBL", "eBO", "eBT", "eCA",
    "eCL", "eCO", "eCT", "eDA", "eDL", "eDO", "eDT", "eEA", "eEL", "eEO", "eET", "eSpeed1", "eDist1",
    "eDistP1", "eJudge1", "eTotal1", "eSpeed2", "eDist2", "eDistP2", "eJudge2", "eTotal2", "eSougou",
    "Erank1", "Erank2", "Erankt"};
const char* const kTeamFields[] = {"etmp1", "etmp2", "etmpt", "etms1", "etms2", "etmst"};
const char* const kNextFields[] = {"ezeknx", "Enamenx", "Enameenx", "Esyoznx", "Enameknx", "etnonx", "tknonx"};

// A board on a competition in the given round with one jumper on the hill.
struct Competition {
  explicit Competition(Engine engine, const char* tstno = "", const char* hon = "1") : f(engine) {
    f.schema.setOnly("newzek", {{"tcode", "T1"}, {"tstno", tstno}, {"nzek", "7"}, {"sumi", std::nullopt}});
    f.schema.setOnly("hon", {{"hon", hon}});
    f.start();
  }
  void fill(const char* const* names, std::size_t count, const QString& text) {
    for (std::size_t i = 0; i < count; ++i) qobject_cast<QLineEdit*>(f.control(names[i]))->setText(text);
  }
  template <std::size_t N>
  void fill(const char* const (&names)[N], const QString& text) { fill(names, N, text); }

  BoardFixture f;
};

class RefreshStateTest : public ::testing::TestWithParam<Engine> {};

struct TeamNumber {
  const char* tstno;
  const char* team;
  const char* member;
};

TEST_P(RefreshStateTest, TstnoSplitsIntoTeamAndMemberAndChoosesTheLayout) {
  const TeamNumber cases[] = {{"3-2", "3", "2"}, {"12-10", "12", "1"}, {"2", "", "2"}, {"-4", "", "4"}, {"", "", ""}};
  Competition c{GetParam()};
  for (const TeamNumber& n : cases) {
    SCOPED_TRACE(std::string("tstno ") + n.tstno);
    c.f.schema.update("newzek", {{"tstno", n.tstno}});
    EXPECT_EQ(c.f.refresh(), 0);
    EXPECT_EQ(c.f.text("etno"), QString::fromUtf8(n.team));
    EXPECT_EQ(c.f.text("tkno"), QString::fromUtf8(n.member));
    const bool team = *n.team != '\0';
    EXPECT_EQ(c.f.visible("Panel2"), team);
    EXPECT_EQ(c.f.visible("Panel3"), team);
    EXPECT_EQ(c.f.visible("Panel6"), team);
    EXPECT_EQ(c.f.visible("eCode"), !team);
    EXPECT_EQ(c.f.control("Panel4")->height(), team ? 385 : 257);
    EXPECT_EQ(c.f.control("Panel1")->y(), team ? 474 : 344);
    EXPECT_EQ(c.f.board().frameGeometry().height(), team ? 610 : 475);
  }
}

struct RoundLabel {
  const char* hon;
  const char* label;  // nullptr: the label keeps the previous round's text
};

TEST_P(RefreshStateTest, RoundCodeSetsTheLabel) {
  const RoundLabel cases[] = {{"1", "１本目"}, {"2", "２本目"}, {"3", "試技"}, {"x", nullptr},
                              {" 1", nullptr}, {"", nullptr},     {"X", "準備中"}};
  Competition c{GetParam()};
  for (const RoundLabel& r : cases) {
    SCOPED_TRACE(std::string("HON '") + r.hon + "'");
    c.f.schema.update("hon", {{"hon", "3"}});
    c.f.refresh();
    c.f.schema.update("hon", {{"hon", r.hon}});
    EXPECT_EQ(c.f.refresh(), 0);
    EXPECT_EQ(c.f.text("lHon"), r.label ? QString::fromUtf8(r.label) : u"試技"_s);
  }
  EXPECT_TRUE(c.f.dialogs.shown.empty());
}

TEST_P(RefreshStateTest, NoRoundEmptiesTheResultsAndKeepsTeamAndNext) {
  Competition c{GetParam(), "3-2"};
  c.fill(kClearedFields, u"99"_s);
  c.fill(kTeamFields, u"88"_s);
  c.fill(kNextFields, u"77"_s);
  c.fill({"Enamek", "Enamee"}, u"カサイ"_s);
  c.f.schema.clear("hon");

  EXPECT_EQ(c.f.refresh(), -1);
  EXPECT_EQ(c.f.text("lHon"), u"システム異常です。計算室に連絡してください。"_s);
  for (const char* name : kClearedFields) EXPECT_EQ(c.f.text(name), QString()) << name;
  for (const char* name : kTeamFields) EXPECT_EQ(c.f.text(name), u"88"_s) << name;
  for (const char* name : kNextFields) EXPECT_EQ(c.f.text(name), u"77"_s) << name;
  EXPECT_EQ(c.f.text("Enamek"), QString());
  EXPECT_EQ(c.f.text("Enamee"), QString());
  EXPECT_TRUE(c.f.visible("Panel2"));  // the layout still follows NEWZEK
  EXPECT_TRUE(c.f.dialogs.shown.empty());
}

TEST_P(RefreshStateTest, PreparingEmptiesResultsTeamFiguresAndNames) {
  Competition c{GetParam(), "3-2", "X"};
  c.fill(kClearedFields, u"99"_s);
  c.fill(kTeamFields, u"88"_s);
  c.fill(kNextFields, u"77"_s);
  c.fill({"Enamek", "Enamee"}, u"カサイ"_s);

  EXPECT_EQ(c.f.refresh(), 0);
  EXPECT_EQ(c.f.text("lHon"), u"準備中"_s);
  for (const char* name : kClearedFields) EXPECT_EQ(c.f.text(name), QString()) << name;
  for (const char* name : kTeamFields) EXPECT_EQ(c.f.text(name), QString()) << name;
  for (const char* name : kNextFields) EXPECT_EQ(c.f.text(name), u"77"_s) << name;
  EXPECT_EQ(c.f.text("Enamek"), QString());
  EXPECT_EQ(c.f.text("Enamee"), QString());
}

TEST_P(RefreshStateTest, WithoutACompetitorOnTheHillTheBoardWaitsAsItIs) {
  Competition c{GetParam(), "3-2", "2"};
  c.fill(kClearedFields, u"99"_s);
  c.f.schema.clear("newzek");
  c.f.schema.update("hon", {{"hon", "1"}});

  EXPECT_EQ(c.f.refresh(), 0);
  EXPECT_EQ(c.f.text("lHon"), u"１本目"_s);
  EXPECT_FALSE(c.f.visible("Panel3"));  // individual layout
  for (const char* name : kClearedFields) EXPECT_EQ(c.f.text(name), u"99"_s) << name;
}

TEST_P(RefreshStateTest, FirstRoundColoursTheFrameByTheJudgedMark) {
  Competition c{GetParam()};
  c.f.schema.update("newzek", {{"sumi", "D"}});
  c.f.refresh();
  EXPECT_EQ(c.f.colour("Panel4"), BoardColor::ResultsFrameDone);

  c.f.schema.update("hon", {{"hon", "2"}});
  c.f.schema.update("newzek", {{"sumi", ""}});
  c.f.refresh();
  EXPECT_EQ(c.f.colour("Panel4"), BoardColor::ResultsFrameDone);  // only the first round sets it

  c.f.schema.update("hon", {{"hon", "1"}});
  c.f.refresh();
  EXPECT_EQ(c.f.colour("Panel4"), BoardColor::ResultsFrame);
}

TEST_P(RefreshStateTest, LostTableShowsTheMessageOnceAndClosesTheBoard) {
  Competition c{GetParam()};
  int ticksDuringMessage = 0;
  c.f.dialogs.whileShown = [&] {
    ++ticksDuringMessage;
    c.f.board().Timer1Timer();  // the timer keeps ticking while the box is up
  };
  c.f.db.exec("drop table hon");

  EXPECT_EQ(c.f.refresh(), 0);
  EXPECT_EQ(ticksDuringMessage, 1);
  EXPECT_EQ(c.f.dialogs.texts(Dialogs::Kind::Message), QStringList{kDatabaseDown});
  EXPECT_TRUE(c.f.closed());
  EXPECT_TRUE(c.f.readSettings().contains(u"DbType=Interbase"_s));
}

TEST_P(RefreshStateTest, LostConnectionShowsTheMessageAndClosesTheBoard) {
  Competition c{GetParam()};
  c.f.board().database().disconnect();
  // The database is gone: its name no longer leads anywhere.
  c.f.db.writeDbLayerIni(DbLayerMap{.interbaseLocal = false}, dbLayerConfigPath(c.f.settingsPath()));

  c.f.refresh();
  EXPECT_EQ(c.f.dialogs.texts(Dialogs::Kind::Message), QStringList{kDatabaseDown});
  EXPECT_TRUE(c.f.closed());
}

INSTANTIATE_TEST_SUITE_P(Engines, RefreshStateTest, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
