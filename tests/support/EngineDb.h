#pragma once

// A fresh competition database on one engine, in a temp folder that goes with the fixture.
//
//   class BoardTest : public ::testing::TestWithParam<Engine> {
//    protected:
//     EngineDb db{GetParam()};          // empty database, admin connection of its own
//     CompetitionSchema schema{db};     // the competition tables (CompetitionSchema.h)
//     Database board;                   // the layer under test
//     void SetUp() override { db.configure(board); }  // dblayer.ini, alias "Jump", InterBase local list
//   };
//   INSTANTIATE_TEST_SUITE_P(Engines, BoardTest, ::testing::ValuesIn(testEngines()), engineTestName);
//
// For the board's window: TFedit(settingsPath, db.writeDbLayerIni()). Admin statements (db.exec) throw
// std::runtime_error, never DatabaseError, so a broken fixture cannot pass for a failure under test.
//
// The engines:
//   SQLite          a file, QSQLITE.
//   Firebird        a file through the embedded engine, QIBASE (the InterBase local profile's way).
//   FirebirdServer  a file that a private Firebird server serves on loopback, QIBASE through
//                   127.0.0.1/port:path (the InterBase server profile's way); the board logs in as the
//                   profile's SYSDBA/quillbarn.
//   MariaDb         a database of its own on a private MariaDB server, QODBC through the data sources
//                   JumpLocal and JumpServer (the MySQL profiles' way); the board logs in as the
//                   profile's root/tolpe over TCP, an account that may only SELECT, so a write of the
//                   board's would fail its test.
// The servers are shared by default (TestServers.h); a test that stops its server passes its own.
// dblayer.ini sends every profile to the fixture's database with the engine's driver, so a test may use
// any profile on any engine: the servers know both profiles' accounts (on MariaDB, SYSDBA too may only
// SELECT).

#include <gtest/gtest.h>

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

class Database;
class MariaDbServer;
class FirebirdServer;

enum class Engine { SQLite, Firebird, FirebirdServer, MariaDb };

std::vector<Engine> testEngines();  // all four
const char* engineName(Engine engine);
std::string engineTestName(const ::testing::TestParamInfo<Engine>& info);  // name suffix for TEST_P
void PrintTo(Engine engine, std::ostream* os);
bool isServer(Engine engine);  // FirebirdServer, MariaDb

// Which profile values dblayer.ini maps to the fixture's database. A profile left out keeps its
// Windows value, which names nothing here, so connecting with it fails.
struct DbLayerMap {
  bool interbaseLocal = true;    // [Jump]      C:\IB_data\Jump.GDB
  bool interbaseServer = false;  // [Jump]      G:\Jump.GDB
  bool mySqlLocal = false;       // [JumpLocal] data source JumpLocal
  bool mySqlServer = false;      // [JumpLocal] data source JumpServer
};

// Servers other than the shared ones, for the engine that needs one.
struct EngineServers {
  const MariaDbServer* mariaDb = nullptr;
  const FirebirdServer* firebird = nullptr;
};

// Character set of the text columns: UTF-8, or Shift-JIS where the engine has it (Firebird SJIS_0208,
// MariaDB cp932; SQLite keeps every text in UTF-8).
enum class TextCharset { Utf8, ShiftJis };

class EngineDb {
 public:
  explicit EngineDb(Engine engine, EngineServers servers = {});  // throws std::runtime_error on failure
  ~EngineDb();
  EngineDb(const EngineDb&) = delete;
  EngineDb& operator=(const EngineDb&) = delete;

  Engine engine() const { return m_engine; }
  QString driver() const;  // Qt driver the board uses: "QSQLITE", "QIBASE", "QODBC"
  // What dblayer.ini maps the InterBase local profile to (a file, a server's name for it, or on MariaDB
  // the data source with the database: "JumpLocal;DATABASE=jb_...").
  QString databaseName() const { return profileTarget(false); }
  QString folder() const { return m_dir.path(); }
  QString filePath(const QString& fileName) const { return m_dir.filePath(fileName); }

  // Admin connection: each statement commits on its own.
  void exec(const QString& sql);
  void exec(const char* utf8Sql) { exec(QString::fromUtf8(utf8Sql)); }
  QString literal(const QString& value) const;          // 'value' quoted (and escaped) for this engine
  QString bytesLiteral(const QByteArray& bytes) const;  // a byte string, X'..'
  void grantRead(const QString& table);                 // lets every account read `table` (CompetitionSchema does)

  // Column types in this engine's terms.
  QString figureType() const;  // points, speeds, distances: NUMERIC(5,1) (SQLite: REAL, printed "125.0")
  QString textType(int length, TextCharset charset = TextCharset::Utf8) const;
  QString bytesType(int length) const;  // bytes with no character set: BLOB, CHARACTER SET NONE, VARBINARY
  QString integerType() const;

  // dblayer.ini for this database, as text or written to a file (default <folder>/dblayer.ini; returns path).
  QString dbLayerIniText(const DbLayerMap& map = {}) const;
  QString writeDbLayerIni(const DbLayerMap& map = {}, const QString& path = {}) const;

  // Points `db` at this database: writes dblayer.ini, sets its path, alias "Jump", InterBase local list.
  void configure(Database& db, const DbLayerMap& map = {}) const;

 private:
  QSqlDatabase admin() const;
  QString profileTarget(bool server) const;  // what a local / server profile maps to

  Engine m_engine;
  EngineServers m_servers;
  QTemporaryDir m_dir;
  QString m_database;  // file, or the MariaDB database's name
  QString m_adminName;
  bool m_sharedServer = true;
};
