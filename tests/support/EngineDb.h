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

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

class Database;

// Engines the tests run on. MariaDB over ODBC and a Firebird server join here later: each needs its
// create step in EngineDb.cpp, its driver and the name dblayer.ini maps the profiles to.
enum class Engine { SQLite, Firebird };

std::vector<Engine> testEngines();
const char* engineName(Engine engine);
std::string engineTestName(const ::testing::TestParamInfo<Engine>& info);  // name suffix for TEST_P
void PrintTo(Engine engine, std::ostream* os);

// Which profile values dblayer.ini maps to the fixture's database. A profile left out keeps its
// Windows value, which names nothing here, so connecting with it fails.
struct DbLayerMap {
  bool interbaseLocal = true;    // [Jump]      C:\IB_data\Jump.GDB
  bool interbaseServer = false;  // [Jump]      G:\Jump.GDB
  bool mySqlLocal = false;       // [JumpLocal] data source JumpLocal
  bool mySqlServer = false;      // [JumpLocal] data source JumpServer
};

class EngineDb {
 public:
  explicit EngineDb(Engine engine);  // throws std::runtime_error when the database cannot be made
  ~EngineDb();
  EngineDb(const EngineDb&) = delete;
  EngineDb& operator=(const EngineDb&) = delete;

  Engine engine() const { return m_engine; }
  QString driver() const;                              // Qt driver the board uses: "QSQLITE", "QIBASE"
  QString databaseName() const { return m_database; }  // what dblayer.ini maps the profiles to
  QString folder() const { return m_dir.path(); }
  QString filePath(const QString& fileName) const { return m_dir.filePath(fileName); }

  // Admin connection: each statement commits on its own.
  void exec(const QString& sql);
  void exec(const char* utf8Sql) { exec(QString::fromUtf8(utf8Sql)); }
  QString literal(const QString& value) const;  // 'value' quoted for this engine
  void grantRead(const QString& table);         // lets every account read `table` (CompetitionSchema does)

  // Column types in this engine's terms.
  QString figureType() const;  // points, speeds, distances: NUMERIC(5,1) (SQLite: REAL, printed "125.0")
  QString textType(int length) const;
  QString integerType() const;

  // dblayer.ini for this database, as text or written to a file (default <folder>/dblayer.ini; returns path).
  QString dbLayerIniText(const DbLayerMap& map = {}) const;
  QString writeDbLayerIni(const DbLayerMap& map = {}, const QString& path = {}) const;

  // Points `db` at this database: writes dblayer.ini, sets its path, alias "Jump", InterBase local list.
  void configure(Database& db, const DbLayerMap& map = {}) const;

 private:
  QSqlDatabase admin() const;

  Engine m_engine;
  QTemporaryDir m_dir;
  QString m_database;
  QString m_adminName;
};
