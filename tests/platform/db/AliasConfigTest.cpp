#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/db/AliasConfig.h"

namespace {

class DbAliasConfig : public ::testing::Test {
 protected:
  QString write(const char* utf8) {
    const QString path = dir.filePath(QStringLiteral("dblayer.ini"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(utf8);
    return path;
  }

  QTemporaryDir dir;
};

TEST_F(DbAliasConfig, KeysKeepBackslashesAndColons) {
  const QString path = write(
      "[Jump]\n"
      "Driver=QIBASE\n"
      "C:\\IB_data\\Jump.GDB=/srv/jump/Jump.fdb\n"
      "G:\\Jump.GDB=127.0.0.1/3051:/srv/jump/Server.fdb\n");
  const AliasConfig config = AliasConfig::load(path, QStringLiteral("Jump"));

  EXPECT_EQ(config.driver, QStringLiteral("QIBASE"));
  EXPECT_EQ(config.mapName(QStringLiteral("C:\\IB_data\\Jump.GDB")), QStringLiteral("/srv/jump/Jump.fdb"));
  EXPECT_EQ(config.mapName(QStringLiteral("G:\\Jump.GDB")), QStringLiteral("127.0.0.1/3051:/srv/jump/Server.fdb"));
  ASSERT_EQ(config.names.size(), 2);
  EXPECT_EQ(config.names.at(0).first, QStringLiteral("C:\\IB_data\\Jump.GDB"));
  EXPECT_EQ(config.names.at(1).first, QStringLiteral("G:\\Jump.GDB"));
}

TEST_F(DbAliasConfig, SectionsKeysAndValuesMatchWithoutCase) {
  const QString path = write(
      "[jump]\n"
      "driver=QSQLITE\n"
      "c:\\ib_data\\jump.gdb=/data/jump.sqlite\n");
  const AliasConfig config = AliasConfig::load(path, QStringLiteral("JUMP"));

  EXPECT_EQ(config.driver, QStringLiteral("QSQLITE"));
  EXPECT_EQ(config.mapName(QStringLiteral("C:\\IB_data\\Jump.GDB")), QStringLiteral("/data/jump.sqlite"));
  EXPECT_EQ(config.mapName(QStringLiteral("C:\\IB_DATA\\JUMP.GDB")), QStringLiteral("/data/jump.sqlite"));
}

TEST_F(DbAliasConfig, UnmappedValuesPassThroughUnchanged) {
  const QString path = write("[Jump]\nDriver=QIBASE\nC:\\IB_data\\Jump.GDB=/srv/jump/Jump.fdb\n");
  const AliasConfig config = AliasConfig::load(path, QStringLiteral("Jump"));

  EXPECT_EQ(config.mapName(QStringLiteral("G:\\Jump.GDB")), QStringLiteral("G:\\Jump.GDB"));
  EXPECT_EQ(config.mapName(QStringLiteral("C:\\IB_data\\Jump")), QStringLiteral("C:\\IB_data\\Jump"));
  EXPECT_EQ(config.mapName(QString()), QString());
}

TEST_F(DbAliasConfig, ReadsOnlyItsOwnSectionWithOptionsAndConnectionStrings) {
  const QString path = write(
      "; profiles of the board\n"
      "[Jump]\n"
      "Driver=QIBASE\n"
      "JumpLocal=/wrong/section\n"
      "\n"
      "[JumpLocal]\n"
      "Driver=QODBC\n"
      "Options=SQL_ATTR_CONNECTION_TIMEOUT=5;SQL_ATTR_LOGIN_TIMEOUT=5\n"
      "# the server data source as a whole connection string\n"
      "JumpServer=DRIVER={MariaDB Unicode};SERVER=127.0.0.1;PORT=3307;DATABASE=jump\n"
      "JumpLocal=JumpLocalDsn\n");
  const AliasConfig config = AliasConfig::load(path, QStringLiteral("JumpLocal"));

  EXPECT_EQ(config.driver, QStringLiteral("QODBC"));
  EXPECT_EQ(config.options, QStringLiteral("SQL_ATTR_CONNECTION_TIMEOUT=5;SQL_ATTR_LOGIN_TIMEOUT=5"));
  EXPECT_EQ(config.mapName(QStringLiteral("JumpServer")),
            QStringLiteral("DRIVER={MariaDB Unicode};SERVER=127.0.0.1;PORT=3307;DATABASE=jump"));
  EXPECT_EQ(config.mapName(QStringLiteral("JumpLocal")), QStringLiteral("JumpLocalDsn"));
  EXPECT_EQ(config.names.size(), 2);
}

TEST_F(DbAliasConfig, UnicodeValuesSurvive) {
  const QString path = write("[Jump]\nDriver=QSQLITE\nC:\\IB_data\\Jump.GDB=/データ/ジャンプ.sqlite\n");
  EXPECT_EQ(AliasConfig::load(path, QStringLiteral("Jump")).mapName(QStringLiteral("C:\\IB_data\\Jump.GDB")),
            QStringLiteral("/データ/ジャンプ.sqlite"));
}

// Missing configuration of every kind falls back to the drivers the two aliases have always named.
struct DefaultCase {
  const char* description;
  const char* fileText;  // nullptr: no file at all; "": an empty path
  const char* alias;
  const char* driver;
};
void PrintTo(const DefaultCase& c, std::ostream* os) {
  *os << c.description;
}

class DbAliasConfigDefaults : public DbAliasConfig, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DbAliasConfigDefaults, GivesTheBuiltInDriver) {
  const DefaultCase& c = GetParam();
  QString path;
  if (c.fileText == nullptr) {
    path = dir.filePath(QStringLiteral("missing.ini"));
  } else if (*c.fileText != '\0') {
    path = write(c.fileText);
  }
  const AliasConfig config = AliasConfig::load(path, QString::fromUtf8(c.alias));

  EXPECT_EQ(config.driver, QString::fromUtf8(c.driver));
  EXPECT_TRUE(config.options.isEmpty());
  EXPECT_EQ(config.mapName(QStringLiteral("C:\\IB_data\\Jump.GDB")), QStringLiteral("C:\\IB_data\\Jump.GDB"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DbAliasConfigDefaults,
    ::testing::Values(DefaultCase{"NoPathJump", "", "Jump", "QIBASE"},
                      DefaultCase{"NoPathJumpLocal", "", "JumpLocal", "QODBC"},
                      DefaultCase{"MissingFileJump", nullptr, "Jump", "QIBASE"},
                      DefaultCase{"MissingFileJumpLocal", nullptr, "JumpLocal", "QODBC"},
                      DefaultCase{"MissingFileOtherAlias", nullptr, "Other", ""},
                      DefaultCase{"MissingSection", "[Other]\nDriver=QSQLITE\n", "Jump", "QIBASE"},
                      DefaultCase{"SectionWithoutDriver", "[JumpLocal]\nNothing=here\n", "JumpLocal", "QODBC"},
                      DefaultCase{"EmptyFile", "\n", "JumpLocal", "QODBC"}),
    [](const ::testing::TestParamInfo<DefaultCase>& p) { return std::string(p.param.description); });

}  // namespace

namespace {

TEST_F(DbAliasConfig, TimeoutsHaveDefaultsAndTakeWholeSeconds) {
  const QString path = write(
      "[Jump]\nDriver=QIBASE\nConnectTimeout=3\nReadTimeout=0\n"
      "[JumpLocal]\nDriver=QODBC\nConnectTimeout=soon\nReadTimeout=-4\n"
      "[Other]\nDriver=QSQLITE\n");
  const AliasConfig jump = AliasConfig::load(path, QStringLiteral("Jump"));
  EXPECT_EQ(jump.connectTimeout, 3);
  EXPECT_EQ(jump.readTimeout, 0);
  EXPECT_TRUE(jump.names.isEmpty()) << "timeouts are no profile names";

  const AliasConfig odbc = AliasConfig::load(path, QStringLiteral("JumpLocal"));
  EXPECT_EQ(odbc.connectTimeout, AliasConfig::kDefaultConnectTimeout);
  EXPECT_EQ(odbc.readTimeout, AliasConfig::kDefaultReadTimeout);

  const AliasConfig none = AliasConfig::load(QString(), QStringLiteral("Jump"));
  EXPECT_EQ(none.connectTimeout, 5);
  EXPECT_EQ(none.readTimeout, 10);
}

}  // namespace
