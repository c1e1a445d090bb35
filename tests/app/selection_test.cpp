// The database selection panel: the operator's clicks, the profile each leaves in the connection,
// and what a failed choice does.
#include <gtest/gtest.h>

#include <QFile>

#include "connection/Profiles.h"
#include "platform/db/Query.h"
#include "platform/settings/SettingsPaths.h"
#include "platform/ui/RadioGroup.h"
#include "support/BoardFixture.h"

using namespace Qt::StringLiterals;

namespace {

int itemOf(BoardFixture& f, const char* group) { return static_cast<RadioGroup*>(f.control(group))->itemIndex(); }

QStringList interbaseServer() {
  QStringList lines = Profiles::interbase();
  lines[0] = Profiles::kInterbaseServerFile;
  return lines;
}

struct Click {
  const char* group;
  int item;
  QStringList params;
  const char* alias;
  const char* linfo;
  const char* dbType;
  const char* dbDir;
  int rgdb;
  int rgdbi;
};

class SelectionTest : public ::testing::TestWithParam<Engine> {};

// The operator's round trip through all four choices, checked after every click.
TEST_P(SelectionTest, EveryClickPutsItsProfileInPlace) {
  BoardFixture f{GetParam(), {}, DbLayerMap{.interbaseLocal = true, .interbaseServer = true}};
  f.start();
  f.click("CuteButton1");

  const Click clicks[] = {
      {"RGdbi", 1, interbaseServer(), "Jump", "SERVER NAME=G:\\Jump.GDB", "Interbase", "server", -1, 1},
      {"RGdb", 0, Profiles::mySql(0), "JumpLocal", "ODBC DSN=JumpLocal", "MySQL", "local", 0, -1},
      {"RGdb", 1, Profiles::mySql(1), "JumpLocal", "ODBC DSN=JumpServer", "MySQL", "server", 1, -1},
      {"RGdbi", 0, Profiles::interbase(), "Jump", "SERVER NAME=C:\\IB_data\\Jump.GDB", "Interbase", "local", -1, 0},
  };
  for (const Click& c : clicks) {
    SCOPED_TRACE(std::string(c.group) + " item " + std::to_string(c.item));
    f.clickItem(c.group, c.item);
    EXPECT_EQ(f.board().database().params(), c.params);
    EXPECT_EQ(f.board().database().aliasName(), QString::fromUtf8(c.alias));
    EXPECT_EQ(f.text("Linfo"), QString::fromUtf8(c.linfo));
    EXPECT_EQ(f.board().dbType(), QString::fromUtf8(c.dbType));
    EXPECT_EQ(f.board().dbDir(), QString::fromUtf8(c.dbDir));
    EXPECT_EQ(itemOf(f, "RGdb"), c.rgdb);
    EXPECT_EQ(itemOf(f, "RGdbi"), c.rgdbi);
    // The InterBase choices reach the fixture's database; the MySQL data sources do not exist here.
    EXPECT_EQ(f.board().database().connected(), QString::fromUtf8(c.alias) == u"Jump"_s);
  }
  EXPECT_TRUE(f.dialogs.shown.empty()) << f.dialogs.shown.front().text.toStdString();
}

TEST_P(SelectionTest, ClickingTheSelectedItemDoesNotReconnect) {
  BoardFixture f{GetParam()};
  f.start();
  Query probe(f.board().database());
  probe.setSql({u"select hon from hon"_s});
  probe.open();

  f.clickItem("RGdbi", 0);
  EXPECT_TRUE(probe.active());  // a reconnection would have closed it
  EXPECT_EQ(itemOf(f, "RGdbi"), 0);
  EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST_P(SelectionTest, UnreachableInterbaseChoiceReportsAndTheNextTickClosesTheBoard) {
  BoardFixture f{GetParam()};
  f.start();
  // The server variant leads to a file that is not there.
  QFile ini(dbLayerConfigPath(f.settingsPath()));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ini.write(QStringLiteral("[Jump]\nDriver=%1\nC:\\IB_data\\Jump.GDB=%2\nG:\\Jump.GDB=%3\n")
                .arg(f.db.driver(), f.db.databaseName(), f.db.filePath(u"missing.fdb"_s))
                .toUtf8());
  ini.close();
  const QString before = f.text("Linfo");

  f.clickItem("RGdbi", 1);
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);
  EXPECT_EQ(f.text("Linfo"), before);
  EXPECT_EQ(itemOf(f, "RGdbi"), 1);
  EXPECT_EQ(f.board().dbDir(), u"server"_s);
  EXPECT_FALSE(f.board().database().connected());

  f.refresh();
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Message), QStringList{u"データベースが稼動していません。"_s});
  EXPECT_TRUE(f.closed());
  EXPECT_TRUE(f.readSettings().contains(u"Dbdir=server"_s));
}

TEST_P(SelectionTest, UnreachableMySqlChoiceIsSilentAndShowsItsLine) {
  BoardFixture f{GetParam()};
  f.start();
  f.clickItem("RGdb", 0);
  EXPECT_TRUE(f.dialogs.shown.empty());
  EXPECT_EQ(f.text("Linfo"), u"ODBC DSN=JumpLocal"_s);
  EXPECT_EQ(itemOf(f, "RGdb"), 0);
  EXPECT_EQ(itemOf(f, "RGdbi"), -1);
  EXPECT_FALSE(f.board().database().connected());
}

INSTANTIATE_TEST_SUITE_P(Engines, SelectionTest, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
