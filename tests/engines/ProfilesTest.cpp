// Each engine reached the way the board reaches it in production: the MySQL profiles through the ODBC
// data sources JumpLocal and JumpServer to MariaDB as root/tolpe, the InterBase server profile through
// G:\Jump.GDB to a Firebird server as SYSDBA with the profile's password, the InterBase local profile
// through the embedded engine on a file. The board's accounts may only read, and it needs no more.
#include <QFile>
#include <tuple>

#include "connection/Profiles.h"
#include "engines/EngineProfile.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Query.h"
#include "support/BoardFixture.h"

using namespace Qt::StringLiterals;

namespace {

struct ProfileCase {
  const char* name;
  Engine engine;
  bool server;  // the profile's server item, else its local one
};
void PrintTo(const ProfileCase& c, std::ostream* os) {
  *os << c.name;
}

class EngineProfileTest : public ::testing::TestWithParam<ProfileCase> {
 protected:
  Engine engine() const { return GetParam().engine; }
  EngineProfile profile() const {
    return GetParam().server ? serverProfileOf(GetParam().engine) : localProfileOf(GetParam().engine);
  }

  // The board started on its profile, on a competition in the first round with one jumper.
  void startBoard() {
    f.writeSettings(profile().settings);
    f.schema.setOnly("hon", {{"hon", "1"}});
    f.schema.setOnly("newzek", {{"tcode", "T1"}, {"tstno", ""}, {"nzek", "12"}, {"sumi", ""}});
    f.schema.insert(
        "race",
        {{"tcode", "T1"}, {"zek", "12"}, {"name", "Sato"}, {"h1t", "55.0"}, {"totalp1", "120.5"}, {"class1", "A"}});
    f.start();
  }

  // A statement on the board's own connection, as the board would send it.
  void send(const QString& statement) {
    Query q{f.board().database()};
    q.setSql({statement});
    q.open();
  }

  BoardFixture f{engine(), {}, profile().map};
};
class BoardAccount : public EngineProfileTest {};
class ServerPassword : public EngineProfileTest {};

TEST_P(EngineProfileTest, TheProfileReadsTheCompetition) {
  startBoard();
  Database& db = f.board().database();
  EXPECT_TRUE(db.connected());
  EXPECT_EQ(db.driverName(), f.db.driver());
  f.click("CuteButton1");
  EXPECT_EQ(f.text("Linfo"), profile().linfo);
  EXPECT_EQ(f.text("eName"), u"Sato"_s);
  EXPECT_EQ(f.text("eTotal1"), u"120.5"_s);
  EXPECT_EQ(f.text("Erank1"), u"1"_s);
  EXPECT_TRUE(f.dialogs.shown.empty());
}

// The board's account on a server may read and nothing else: were the board to write, its test would fail.
TEST_P(BoardAccount, MayOnlyRead) {
  startBoard();
  ASSERT_TRUE(f.board().database().connected());
  ASSERT_EQ(f.board().database().paramValue(u"USER NAME"_s), u"root"_s);

  const char* writes[] = {"insert into hon (hon) values ('2')", "update hon set hon='2'", "delete from race",
                          "create table extra (x integer)", "drop table race"};
  for (const char* statement : writes) {
    SCOPED_TRACE(statement);
    try {
      send(QString::fromUtf8(statement));
      ADD_FAILURE() << "the board's account could write";
    } catch (const DatabaseError& e) {
      EXPECT_TRUE(e.message().contains(u"denied"_s, Qt::CaseInsensitive)) << e.message().toStdString();
    }
  }
  f.refresh();
  EXPECT_EQ(f.text("lHon"), u"１本目"_s);
  EXPECT_EQ(f.text("eName"), u"Sato"_s);
  EXPECT_TRUE(f.dialogs.shown.empty());
}

// The server checks the profile's password: the same profile with another password is refused.
TEST_P(ServerPassword, IsTheProfilesAndNoOther) {
  Database board;
  f.db.configure(board, profile().map);
  QStringList lines =
      GetParam().engine == Engine::MariaDb ? Profiles::mySql(GetParam().server ? 1 : 0) : Profiles::interbase();
  if (GetParam().engine != Engine::MariaDb && GetParam().server) lines[0] = Profiles::kInterbaseServerFile;
  board.setAliasName(GetParam().engine == Engine::MariaDb ? Profiles::kMySqlAlias : Profiles::kInterbaseAlias);
  board.setParams(lines);
  board.connect();
  EXPECT_TRUE(board.connected());
  board.disconnect();

  const int password = int(lines.size()) - 1;
  ASSERT_TRUE(lines.at(password).startsWith(u"PASSWORD="_s));
  board.setParam(password, u"PASSWORD=wrong"_s);
  EXPECT_THROW(board.connect(), DatabaseError);
  EXPECT_FALSE(board.connected());
}

const ProfileCase kInterbaseLocal{"InterbaseLocal_Firebird", Engine::Firebird, false};
const ProfileCase kInterbaseServer{"InterbaseServer_FirebirdServer", Engine::FirebirdServer, true};
const ProfileCase kMySqlLocal{"MySqlLocal_MariaDb", Engine::MariaDb, false};
const ProfileCase kMySqlServer{"MySqlServer_MariaDb", Engine::MariaDb, true};
std::string caseName(const ::testing::TestParamInfo<ProfileCase>& p) {
  return p.param.name;
}

INSTANTIATE_TEST_SUITE_P(Profiles, EngineProfileTest,
                         ::testing::Values(kInterbaseLocal, kInterbaseServer, kMySqlLocal, kMySqlServer), caseName);
// SYSDBA owns a Firebird database; rights that keep the board to reading are MariaDB's account's.
INSTANTIATE_TEST_SUITE_P(Profiles, BoardAccount, ::testing::Values(kMySqlLocal, kMySqlServer), caseName);
// The embedded engine checks no password.
INSTANTIATE_TEST_SUITE_P(Profiles, ServerPassword, ::testing::Values(kInterbaseServer, kMySqlLocal, kMySqlServer),
                         caseName);

// Whatever character sets the tables have, the layer asks MariaDB for utf8mb4 text, unless dblayer.ini's
// connection string names another character set.
TEST(MariaDbConnection, TheLayerSetsTheCharacterSetUnlessTheDataSourceEntryNamesOne) {
  EngineDb db{Engine::MariaDb};
  for (const bool own : {false, true}) {
    SCOPED_TRACE(own ? "CHARSET=cp932 in dblayer.ini" : "the layer's default");
    Database board;
    QString ini = db.dbLayerIniText(DbLayerMap{.interbaseLocal = false, .mySqlLocal = true});
    if (own) ini.replace(u";DATABASE="_s, u";CHARSET=cp932;DATABASE="_s);
    const QString path = db.filePath(u"dblayer.ini"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(ini.toUtf8());
    file.close();
    board.setConfigPath(path);
    board.setAliasName(Profiles::kMySqlAlias);
    board.setParams(Profiles::mySql(0));
    Query q{board};
    q.setSql({u"select @@character_set_client as client, @@character_set_results as results"_s});
    q.open();
    EXPECT_EQ(q.fieldText(u"client"_s), own ? u"cp932"_s : u"utf8mb4"_s);
    EXPECT_EQ(q.fieldText(u"results"_s), own ? u"cp932"_s : u"utf8mb4"_s);
  }
}

}  // namespace
