#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Query.h"
#include "support/CompetitionSchema.h"
#include "support/EngineDb.h"

// The connection "DB": profiles mapped through dblayer.ini, connect and disconnect, and what they do
// to the queries on it.
namespace {

QString s(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// The profiles exactly as the board hands them over (written out here, independent of the program's own).
QStringList interbaseList(const char* serverName) {
  return {s(serverName),
          s("USER NAME=SYSDBA"),
          s("OPEN MODE=READ/WRITE"),
          s("SCHEMA CACHE SIZE=8"),
          s("LANGDRIVER="),
          s("SQLQRYMODE="),
          s("SQLPASSTHRU MODE=SHARED AUTOCOMMIT"),
          s("SCHEMA CACHE TIME=-1"),
          s("MAX ROWS=-1"),
          s("BATCH COUNT=200"),
          s("ENABLE SCHEMA CACHE=FALSE"),
          s("SCHEMA CACHE DIR="),
          s("ENABLE BCD=FALSE"),
          s("BLOBS TO CACHE=64"),
          s("BLOB SIZE=32"),
          s("WAIT ON LOCKS=FALSE"),
          s("COMMIT RETAIN=FALSE"),
          s("ROLE NAME="),
          s("PASSWORD=quillbarn")};
}

QStringList mySqlList(bool local) {
  return {local ? s("SERVER NAME=JumpLocal") : s("DATABASE NAME="),
          s("USER NAME=root"),
          local ? s("ODBC DSN=JumpLocal") : s("ODBC DSN=JumpServer"),
          s("OPEN MODE=READ/WRITE"),
          s("BATCH COUNT=200"),
          s("LANGDRIVER="),
          s("MAX ROWS=-1"),
          s("SCHEMA CACHE DIR="),
          s("SCHEMA CACHE SIZE=8"),
          s("SCHEMA CACHE TIME=-1"),
          s("SQLPASSTHRU MODE=SHARED NOAUTOCOMMIT"),
          local ? s("SQLQRYMODE=SERVER") : s("SQLQRYMODE="),
          s("ENABLE SCHEMA CACHE=FALSE"),
          s("ENABLE BCD=FALSE"),
          s("ROWSET SIZE=20"),
          s("BLOBS TO CACHE=64"),
          s("BLOB SIZE=32"),
          s("PASSWORD=tolpe")};
}

class DbConnection : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    schema.setOnly("hon", {{"hon", "1"}});
    db.configure(board);
  }

  // Reads HON through `database`, proving that the connection reaches the fixture's file.
  static QString readHon(Database& database) {
    Query q{database};
    q.setSql({s("SELECT HON FROM HON")});
    q.open();
    return q.fieldText(s("HON"));
  }

  EngineDb db{GetParam()};
  CompetitionSchema schema{db};
  Database board;
};

// --- profiles through dblayer.ini -----------------------------------------------------------------

struct ProfileCase {
  const char* description;
  bool mySql;
  bool local;
  DbLayerMap map;
  bool connects;
};
void PrintTo(const ProfileCase& c, std::ostream* os) {
  *os << c.description;
}

class DbConnectionProfile : public ::testing::TestWithParam<std::tuple<Engine, ProfileCase>> {
 protected:
  EngineDb db{std::get<0>(GetParam())};
  CompetitionSchema schema{db};
  Database board;
};

TEST_P(DbConnectionProfile, ConnectsWhereDbLayerIniMapsIt) {
  const ProfileCase& c = std::get<1>(GetParam());
  schema.setOnly("hon", {{"hon", "3"}});
  board.setConfigPath(db.writeDbLayerIni(c.map));
  board.setAliasName(c.mySql ? s("JumpLocal") : s("Jump"));
  board.setParams(c.mySql ? mySqlList(c.local)
                          : interbaseList(c.local ? "SERVER NAME=C:\\IB_data\\Jump.GDB" : "SERVER NAME=G:\\Jump.GDB"));

  if (c.connects) {
    board.connect();
    EXPECT_TRUE(board.connected());
    EXPECT_EQ(board.driverName(), db.driver());
    Query q{board};
    q.setSql({s("SELECT HON FROM HON")});
    q.open();
    EXPECT_EQ(q.fieldText(s("hon")), s("3"));
  } else {
    try {
      board.connect();
      ADD_FAILURE() << "connected without a mapping";
    } catch (const DatabaseError& e) {
      // An InterBase profile's Windows path says where to map it.
      if (!c.mySql) {
        EXPECT_TRUE(e.message().contains(c.local ? s("C:\\IB_data\\Jump.GDB") : s("G:\\Jump.GDB"))) << e.what();
        EXPECT_TRUE(e.message().contains(board.configPath())) << e.what();
      }
    }
    EXPECT_FALSE(board.connected());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Engines, DbConnectionProfile,
    ::testing::Combine(
        ::testing::ValuesIn(testEngines()),
        ::testing::Values(
            ProfileCase{"InterbaseLocal", false, true, {.interbaseLocal = true}, true},
            ProfileCase{"InterbaseServer", false, false, {.interbaseLocal = false, .interbaseServer = true}, true},
            ProfileCase{"InterbaseServerUnmapped", false, false, {.interbaseLocal = true}, false},
            ProfileCase{
                "InterbaseLocalUnmapped", false, true, {.interbaseLocal = false, .interbaseServer = true}, false},
            ProfileCase{"MySqlLocal", true, true, {.interbaseLocal = false, .mySqlLocal = true}, true},
            ProfileCase{"MySqlServer", true, false, {.interbaseLocal = false, .mySqlServer = true}, true},
            ProfileCase{"MySqlServerUnmapped", true, false, {.mySqlLocal = true}, false})),
    [](const ::testing::TestParamInfo<std::tuple<Engine, ProfileCase>>& p) {
      return std::string(engineName(std::get<0>(p.param))) + "_" + std::get<1>(p.param).description;
    });

// --- failures to connect ----------------------------------------------------------------------------

TEST_P(DbConnection, AMissingDatabaseFileFailsWithoutCreatingIt) {
  const QString missing = db.filePath(s("missing.gdb"));
  QFile ini(db.filePath(s("missing.ini")));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(s("[Jump]\nDriver=%1\nC:\\IB_data\\Jump.GDB=%2\n").arg(db.driver(), missing).toUtf8());
  ini.close();
  board.setConfigPath(ini.fileName());

  try {
    board.connect();
    FAIL() << "connected to a missing file";
  } catch (const DatabaseError& e) {
    EXPECT_FALSE(e.message().isEmpty());
  }
  EXPECT_FALSE(board.connected());
  EXPECT_FALSE(QFile::exists(missing));

  // The same Database connects once the profile names a real file: nothing is left of the failure.
  board.setConfigPath(db.writeDbLayerIni());
  board.connect();
  EXPECT_EQ(readHon(board), s("1"));
}

TEST_P(DbConnection, AFailedConnectLeavesTheQueryClosed) {
  board.setParam(0, s("SERVER NAME=C:\\IB_data\\Nowhere.GDB"));
  Query q{board};
  q.setSql({s("SELECT HON FROM HON")});
  EXPECT_THROW(q.open(), DatabaseError);
  EXPECT_FALSE(q.active());
  EXPECT_FALSE(board.connected());
}

TEST(DbConnectionFailure, UnknownDriverOrAliasFails) {
  QTemporaryDir dir;
  const QString path = dir.filePath(s("dblayer.ini"));
  QFile ini(path);
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[Jump]\nDriver=QNOSUCHDRIVER\nC:\\IB_data\\Jump.GDB=/tmp/x.gdb\n");
  ini.close();

  Database board;
  board.setConfigPath(path);
  board.setAliasName(s("Jump"));
  board.setParams(interbaseList("SERVER NAME=C:\\IB_data\\Jump.GDB"));
  try {
    board.connect();
    FAIL() << "connected through an unknown driver";
  } catch (const DatabaseError& e) {
    EXPECT_TRUE(e.message().contains(s("driver"), Qt::CaseInsensitive)) << e.message().toStdString();
  }
  EXPECT_FALSE(board.connected());

  board.setAliasName(s("NoSuchAlias"));
  EXPECT_THROW(board.connect(), DatabaseError);
  EXPECT_FALSE(board.connected());
}

// --- connected state ----------------------------------------------------------------------------------

TEST_P(DbConnection, AliasAndParametersChangeOnlyWhileDisconnected) {
  board.connect();
  const QStringList before = board.params();
  EXPECT_THROW(board.setAliasName(s("JumpLocal")), DatabaseError);
  EXPECT_THROW(board.setParams(mySqlList(true)), DatabaseError);
  EXPECT_THROW(board.setParam(0, s("SERVER NAME=G:\\Jump.GDB")), DatabaseError);
  EXPECT_EQ(board.aliasName(), s("Jump"));
  EXPECT_EQ(board.params(), before);
  EXPECT_TRUE(board.connected());

  board.disconnect();
  board.setParam(0, s("SERVER NAME=G:\\Jump.GDB"));
  EXPECT_EQ(board.params().at(0), s("SERVER NAME=G:\\Jump.GDB"));
  EXPECT_EQ(board.paramValue(s("server name")), s("G:\\Jump.GDB"));
  EXPECT_THROW(board.setParam(19, s("X=1")), DatabaseError);
  board.setAliasName(s("JumpLocal"));
  EXPECT_EQ(board.aliasName(), s("JumpLocal"));
}

TEST_P(DbConnection, DisconnectClosesEveryQuery) {
  Query first{board};
  Query second{board};
  Query neverOpened{board};
  first.setSql({s("SELECT HON FROM HON")});
  second.setSql({s("select * from race")});
  first.open();
  second.open();
  ASSERT_TRUE(board.connected());

  board.disconnect();
  EXPECT_FALSE(board.connected());
  EXPECT_FALSE(first.active());
  EXPECT_FALSE(second.active());
  EXPECT_FALSE(neverOpened.active());
  EXPECT_THROW(first.fieldText(s("HON")), DatabaseError);
  EXPECT_EQ(first.sql(), QStringList{s("SELECT HON FROM HON")}) << "the statement stays";

  board.disconnect();  // no effect a second time
  EXPECT_FALSE(board.connected());
}

TEST_P(DbConnection, OpeningAQueryConnectsWithTheProfileHeldNow) {
  EXPECT_FALSE(board.connected());
  EXPECT_EQ(readHon(board), s("1"));
  EXPECT_TRUE(board.connected());

  board.disconnect();
  schema.setOnly("hon", {{"hon", "X"}});
  EXPECT_EQ(readHon(board), s("X"));
  EXPECT_TRUE(board.connected());

  // A profile changed while disconnected is the one the next open uses.
  board.disconnect();
  board.setParam(0, s("SERVER NAME=G:\\Jump.GDB"));
  EXPECT_THROW(readHon(board), DatabaseError);
  EXPECT_FALSE(board.connected());
}

TEST_P(DbConnection, SeveralConnectionsLiveSideBySide) {
  Database second;
  db.configure(second);
  board.connect();
  second.connect();
  EXPECT_EQ(readHon(board), s("1"));
  EXPECT_EQ(readHon(second), s("1"));
  board.disconnect();
  EXPECT_TRUE(second.connected());
  EXPECT_EQ(readHon(second), s("1"));
}

// --- literals by engine -----------------------------------------------------------------------------

TEST_P(DbConnection, LiteralTextDoublesQuotesAndKeepsBackslashes) {
  // MariaDB reads a backslash in a literal as an escape, so there it is doubled as well.
  const QString backslashed = GetParam() == Engine::MariaDb ? s("c:\\\\d;e") : s("c:\\d;e");
  for (bool connected : {false, true}) {
    if (connected) board.connect();
    EXPECT_EQ(board.literalText(s("a'b''c")), s("a''b''''c"));
    EXPECT_EQ(board.literalText(s("c:\\d;e")), backslashed);
    EXPECT_EQ(board.literalText(s("ジャンプ")), s("ジャンプ"));
  }
}

TEST(DbLiteral, MariaDbLiteralsDoubleBackslashesToo) {
  QTemporaryDir dir;
  const QString path = dir.filePath(s("dblayer.ini"));
  QFile ini(path);
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[JumpLocal]\nDriver=QODBC\n[Other]\nDriver=QMYSQL\n[Jump]\nDriver=QIBASE\n");
  ini.close();

  Database board;
  board.setConfigPath(path);
  for (const char* alias : {"JumpLocal", "Other"}) {
    board.setAliasName(s(alias));
    EXPECT_EQ(board.literalText(s("a\\'b")), s("a\\\\''b")) << alias;
    EXPECT_EQ(board.literalText(s("\\")), s("\\\\")) << alias;
  }
  board.setAliasName(s("Jump"));
  EXPECT_EQ(board.literalText(s("a\\'b")), s("a\\''b"));
}

TEST(DbLiteral, ANulCharacterIsRefused) {
  Database board;
  QString value = s("12");
  value.append(QChar(0));
  EXPECT_THROW(board.literalText(value), DatabaseError);
}

INSTANTIATE_TEST_SUITE_P(Engines, DbConnection, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
