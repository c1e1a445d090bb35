// Start-up, the remembered choice and closing, driven through the window's own controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include "connection/Profiles.h"
#include "platform/settings/IniFile.h"
#include "platform/ui/RadioGroup.h"
#include "support/BoardFixture.h"

using namespace Qt::StringLiterals;

namespace {

int itemOf(BoardFixture& f, const char* group) {
  return static_cast<RadioGroup*>(f.control(group))->itemIndex();
}

QString saved(BoardFixture& f, const QString& name) {
  return IniFile(f.settingsPath()).readString(u"Skylpr"_s, name, u"<missing>"_s);
}

class StartupTest : public ::testing::TestWithParam<Engine> {};

TEST_P(StartupTest, WithoutSettingsFileConnectsInterbaseLocalAndRemembersItOnClose) {
  BoardFixture f{GetParam()};
  f.schema.setOnly("hon", {{"hon", "1"}});
  f.start();
  TFedit& board = f.board();

  EXPECT_TRUE(board.database().connected());
  EXPECT_EQ(board.database().aliasName(), u"Jump"_s);
  EXPECT_EQ(board.database().params(), Profiles::interbase());
  EXPECT_EQ(itemOf(f, "RGdbi"), 0);
  EXPECT_EQ(itemOf(f, "RGdb"), -1);
  EXPECT_TRUE(board.timer()->isActive());
  EXPECT_EQ(board.timer()->interval(), 2000);
  EXPECT_TRUE(f.visible("Panel5"));
  EXPECT_EQ(f.text("lHon"), u"１本目"_s);  // the first refresh ran
  EXPECT_TRUE(f.dialogs.shown.empty());

  f.click("CuteButton1");
  EXPECT_FALSE(f.visible("Panel5"));
  EXPECT_EQ(f.text("Linfo"), u"SERVER NAME=C:\\IB_data\\Jump.GDB"_s);

  f.click("Button4");
  EXPECT_TRUE(f.closed());
  const QString file = f.readSettings();
  EXPECT_TRUE(file.contains(u"[Skylpr]"_s)) << file.toStdString();
  EXPECT_TRUE(file.contains(u"DbType=Interbase"_s)) << file.toStdString();
  EXPECT_TRUE(file.contains(u"Dbdir=local"_s)) << file.toStdString();
  EXPECT_LT(file.indexOf(u"DbType"_s), file.indexOf(u"Dbdir"_s));
}

TEST_P(StartupTest, UnreachableInterbaseLeavesTheTimerOffAndTheStoredTexts) {
  BoardFixture f{GetParam(), {}, DbLayerMap{.interbaseLocal = false}};
  f.start();
  TFedit& board = f.board();

  EXPECT_FALSE(board.database().connected());
  EXPECT_FALSE(board.timer()->isActive());
  EXPECT_EQ(itemOf(f, "RGdbi"), 0);
  EXPECT_TRUE(board.isVisible());
  // The selection's failure is dropped; opening the first query tries again and reports it.
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);
  EXPECT_TRUE(f.dialogs.texts(Dialogs::Kind::Message).isEmpty());
  for (const char* name : {"eZek", "eCode", "eAA", "eTotal1", "Erankt"}) EXPECT_EQ(f.text(name), QString()) << name;
  for (const char* name : {"etno", "tkno", "ezeknx", "etnonx", "tknonx"}) EXPECT_EQ(f.text(name), u"888"_s) << name;
  EXPECT_EQ(f.text("lHon"), u"１本目"_s);
  EXPECT_EQ(f.text("Linfo"), u"Linfo"_s);

  board.close();
  EXPECT_EQ(saved(f, u"DbType"_s), u"Interbase"_s);
  EXPECT_EQ(saved(f, u"DbDir"_s), u"local"_s);
}

TEST_P(StartupTest, MissingCompetitionTableAtStartIsReportedAndTheWindowStillShows) {
  BoardFixture f{GetParam(), {.omit = {"newzek"}}};
  f.start();
  EXPECT_TRUE(f.board().database().connected());
  EXPECT_TRUE(f.board().timer()->isActive());
  EXPECT_TRUE(f.board().isVisible());
  ASSERT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);
  EXPECT_TRUE(f.dialogs.texts(Dialogs::Kind::Error).first().contains(u"newzek"_s, Qt::CaseInsensitive));
  // No first refresh: the panels stay where the layout put them.
  EXPECT_EQ(f.control("Panel3")->pos(), QPoint(88, 56));
}

INSTANTIATE_TEST_SUITE_P(Engines, StartupTest, ::testing::ValuesIn(testEngines()), engineTestName);

// What the settings file says, what start-up makes of it, and what closing writes back.
struct RememberedChoice {
  const char* name;
  const char* settings;
  int rgdb;
  int rgdbi;
  const char* dbType;
  const char* dbDir;
};

class RememberedChoiceTest : public ::testing::TestWithParam<RememberedChoice> {};

TEST_P(RememberedChoiceTest, IsSelectedAndWrittenBack) {
  const RememberedChoice& c = GetParam();
  BoardFixture f{Engine::SQLite, {}, DbLayerMap{.interbaseLocal = true, .interbaseServer = true}};
  f.writeSettings(QString::fromUtf8(c.settings));
  f.start();

  EXPECT_EQ(itemOf(f, "RGdb"), c.rgdb);
  EXPECT_EQ(itemOf(f, "RGdbi"), c.rgdbi);
  EXPECT_EQ(f.board().dbType(), QString::fromUtf8(c.dbType));
  EXPECT_EQ(f.board().dbDir(), QString::fromUtf8(c.dbDir));
  f.board().close();
  ASSERT_TRUE(f.closed());
  EXPECT_EQ(saved(f, u"DbType"_s), QString::fromUtf8(c.dbType));
  EXPECT_EQ(saved(f, u"DbDir"_s), QString::fromUtf8(c.dbDir));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RememberedChoiceTest,
    ::testing::Values(
        RememberedChoice{"NoFile", "", -1, 0, "Interbase", "local"},
        RememberedChoice{"InterbaseServer", "[Skylpr]\nDbType=Interbase\nDbDir=server\n", -1, 1, "Interbase", "server"},
        // Only the exact "MySQL" selects the MySQL profiles; any other kind is kept as it was read.
        RememberedChoice{"MysqlInSmallLetters", "[Skylpr]\nDbType=mysql\nDbDir=local\n", -1, 0, "mysql", "local"},
        // Only the exact "local" is local.
        RememberedChoice{"LocalWithCapital", "[Skylpr]\nDbType=Interbase\nDbDir=Local\n", -1, 1, "Interbase", "server"},
        RememberedChoice{"NamesInMixedCase", "[sKYLPR]\ndbtype=Interbase\nDBDIR=server\n", -1, 1, "Interbase",
                         "server"},
        RememberedChoice{"MySqlServer", "[Skylpr]\nDbType=MySQL\nDbDir=server\n", 1, -1, "MySQL", "server"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SettingsFile, OtherSectionsEntriesAndCommentsSurviveARun) {
  BoardFixture f{Engine::SQLite};
  f.writeSettings(
      u"; settings of the whole suite\n[Scoring]\nHill=K120\n\n[Skylpr]\n; the board's choice\nDbType=Interbase\n"
      "DbDir=local\nLanguage=日本語\n"_s);
  f.start();
  f.board().close();
  ASSERT_TRUE(f.closed());
  const QString file = f.readSettings();
  for (const QString& kept : {u"; settings of the whole suite"_s, u"[Scoring]"_s, u"Hill=K120"_s,
                              u"; the board's choice"_s, u"Language=日本語"_s}) {
    EXPECT_TRUE(file.contains(kept)) << kept.toStdString() << "\n" << file.toStdString();
  }
  // The entry read as "DbDir" is the one written as "Dbdir": one entry, not two.
  EXPECT_EQ(file.count(u"dbdir"_s, Qt::CaseInsensitive), 1) << file.toStdString();
}

TEST(SettingsFile, AnUnwritableFileStopsTheCloseWithTheErrorDialog) {
  BoardFixture f{Engine::SQLite};
  f.start();
  // A folder where the file should be: it cannot be written, whoever runs the test.
  ASSERT_TRUE(QDir().mkpath(f.settingsPath()));

  f.click("Button4");
  EXPECT_FALSE(f.closed());
  ASSERT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);
  EXPECT_TRUE(f.dialogs.texts(Dialogs::Kind::Error).first().contains(f.settingsPath()));

  f.click("Button4");  // fails the same way while the file cannot be written
  EXPECT_FALSE(f.closed());
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 2);

  ASSERT_TRUE(QDir(f.settingsPath()).removeRecursively());
  f.click("Button4");
  EXPECT_TRUE(f.closed());
  EXPECT_EQ(saved(f, u"Dbdir"_s), u"local"_s);
}

// A tick during the error of a close that cannot save runs no refresh inside that box.
TEST(SettingsFile, TicksWhileTheCloseCannotSaveStartNothing) {
  BoardFixture f{Engine::SQLite};
  f.schema.setOnly("hon", {{"hon", "1"}});
  f.start();
  QFile::remove(f.settingsPath());
  ASSERT_TRUE(QDir().mkpath(f.settingsPath()));
  int ticks = 0;
  f.dialogs.whileShown = [&] {
    if (++ticks <= 3) f.board().Timer1Timer();  // bounded, so that a fault shows as extra boxes
  };
  f.db.exec("drop table hon");

  f.refresh();
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Message), QStringList{u"データベースが稼動していません。"_s});
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);
  EXPECT_FALSE(f.closed());
}

// The program's own start: a MySQL choice whose data source is down closes the board at the first
// tick, which falls while the start-up error is up. That must end the program, not leave it running
// without a window.
TEST(ProgramStart, AStartUpThatClosesTheBoardEndsTheProgram) {
  BoardFixture f{Engine::SQLite};
  f.writeSettings(u"[Skylpr]\nDbType=MySQL\nDbDir=server\n"_s);
  f.create();
  bool ticked = false;
  f.dialogs.whileShown = [&] {
    if (ticked) return;
    ticked = true;
    f.board().Timer1Timer();
  };
  bool gaveUp = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    gaveUp = true;
    QCoreApplication::exit(1);
  });
  guard.start(30000);  // only against a hang; the loop ends at once when all is well
  QApplication::setQuitOnLastWindowClosed(true);
  // As the program starts: shown, then the event loop.
  f.board().show();
  const int status = QApplication::exec();
  QApplication::setQuitOnLastWindowClosed(false);

  EXPECT_FALSE(gaveUp);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(f.closed());
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Message), QStringList{u"データベースが稼動していません。"_s});
}

TEST(MySqlAtStart, UnreachableDataSourceIsSilentThenTheFirstTickClosesTheBoard) {
  BoardFixture f{Engine::SQLite};
  f.writeSettings(u"[Skylpr]\nDbType=MySQL\nDbDir=server\n"_s);
  f.start();
  TFedit& board = f.board();

  EXPECT_EQ(board.database().aliasName(), u"JumpLocal"_s);
  EXPECT_EQ(board.database().params(), Profiles::mySql(1));
  EXPECT_FALSE(board.database().connected());
  EXPECT_TRUE(board.timer()->isActive());  // the MySQL handler drops its own failure
  EXPECT_EQ(f.text("Linfo"), u"ODBC DSN=JumpServer"_s);
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);  // opening the first query

  f.refresh();
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Message), QStringList{u"データベースが稼動していません。"_s});
  EXPECT_TRUE(f.closed());
  EXPECT_EQ(saved(f, u"DbType"_s), u"MySQL"_s);
  EXPECT_EQ(saved(f, u"DbDir"_s), u"server"_s);
}

}  // namespace
