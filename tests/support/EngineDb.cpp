#include "support/EngineDb.h"

#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <stdexcept>

#include "connection/Profiles.h"
#include "platform/db/Database.h"
#include "support/TestServers.h"

namespace {

[[noreturn]] void fail(const QString& what) {
  throw std::runtime_error(what.toStdString());
}

int nextSerial() {
  static std::atomic<int> serial{0};
  return ++serial;
}

// Firebird makes database files only through its own tools; isql runs the embedded engine on a local path.
void createFirebirdFile(const QString& path, const QString& scriptPath) {
  QFile script(scriptPath);
  if (!script.open(QIODevice::WriteOnly)) fail(QStringLiteral("cannot write %1").arg(scriptPath));
  script.write(QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' PASSWORD 'masterkey' DEFAULT CHARACTER SET UTF8;\n")
                   .arg(path)
                   .toUtf8());
  script.close();

  QProcess isql;
  isql.start(QStringLiteral(JUMPBOARD_ISQL), {QStringLiteral("-q"), QStringLiteral("-i"), scriptPath});
  if (!isql.waitForFinished(60000) || isql.exitStatus() != QProcess::NormalExit || isql.exitCode() != 0 ||
      !QFile::exists(path)) {
    fail(QStringLiteral("isql could not create %1: %2").arg(path, QString::fromLocal8Bit(isql.readAllStandardError())));
  }
}

// A fresh Firebird file: the empty database made at build time, or one made now.
void makeFirebirdFile(const QString& path, const QString& scriptPath) {
#ifdef JUMPBOARD_EMPTY_FDB
  if (QFile::copy(QStringLiteral(JUMPBOARD_EMPTY_FDB), path)) {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return;
  }
#endif
  createFirebirdFile(path, scriptPath);
}

}  // namespace

std::vector<Engine> testEngines() {
  return {Engine::SQLite, Engine::Firebird, Engine::FirebirdServer, Engine::MariaDb};
}

const char* engineName(Engine engine) {
  switch (engine) {
    case Engine::SQLite:
      return "SQLite";
    case Engine::Firebird:
      return "Firebird";
    case Engine::FirebirdServer:
      return "FirebirdServer";
    case Engine::MariaDb:
      return "MariaDb";
  }
  return "unknown";
}

std::string engineTestName(const ::testing::TestParamInfo<Engine>& info) {
  return engineName(info.param);
}

void PrintTo(Engine engine, std::ostream* os) {
  *os << engineName(engine);
}

bool isServer(Engine engine) {
  return engine == Engine::FirebirdServer || engine == Engine::MariaDb;
}

EngineDb::EngineDb(Engine engine, EngineServers servers)
    : m_engine(engine), m_servers(servers), m_adminName(QStringLiteral("engine-admin#%1").arg(nextSerial())) {
  if (!m_dir.isValid()) fail(QStringLiteral("no temp folder: %1").arg(m_dir.errorString()));
  m_sharedServer = !(engine == Engine::MariaDb ? servers.mariaDb != nullptr : servers.firebird != nullptr);

  QSqlDatabase db;
  switch (engine) {
    case Engine::SQLite:
      m_database = m_dir.filePath(QStringLiteral("jump.sqlite"));
      db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_adminName);
      db.setDatabaseName(m_database);
      break;
    case Engine::Firebird:
      m_database = m_dir.filePath(QStringLiteral("Jump.fdb"));
      makeFirebirdFile(m_database, m_dir.filePath(QStringLiteral("create.sql")));
      db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_adminName);
      db.setDatabaseName(m_database);
      db.setUserName(QStringLiteral("SYSDBA"));
      db.setPassword(QStringLiteral("masterkey"));
      break;
    case Engine::FirebirdServer:
      if (!m_servers.firebird) m_servers.firebird = &sharedFirebird();
      // The server runs as this user and opens the file it is given; no need to create it through it.
      m_database = m_dir.filePath(QStringLiteral("Jump.fdb"));
      makeFirebirdFile(m_database, m_dir.filePath(QStringLiteral("create.sql")));
      db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_adminName);
      db.setDatabaseName(m_servers.firebird->url(m_database));
      db.setUserName(QStringLiteral("SYSDBA"));
      db.setPassword(QStringLiteral("quillbarn"));
      break;
    case Engine::MariaDb:
      if (!m_servers.mariaDb) m_servers.mariaDb = &sharedMariaDb();
      // One database per fixture, unique across the test processes that share the server.
      m_database = QStringLiteral("jb_%1_%2").arg(::getpid()).arg(nextSerial());
      db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_adminName);
      db.setDatabaseName(m_servers.mariaDb->adminConnectionString());
      break;
  }
  if (!db.open()) {
    const QString error = db.lastError().text();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_adminName);
    fail(QStringLiteral("admin connection to %1 failed: %2").arg(m_database, error));
  }
  // Test data needs no durability; waiting for the disk on every statement would make each test slow.
  if (engine == Engine::SQLite) exec(QStringLiteral("PRAGMA synchronous=OFF"));
  if (engine == Engine::MariaDb) {
    exec(QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(m_database));
    exec(QStringLiteral("USE %1").arg(m_database));
  }
}

EngineDb::~EngineDb() {
  if (m_engine == Engine::MariaDb) {
    // The shared server outlives the fixture: leave nothing behind.
    QSqlQuery q(admin());
    q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_database));
  }
  {
    QSqlDatabase db = QSqlDatabase::database(m_adminName, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(m_adminName);
}

QSqlDatabase EngineDb::admin() const {
  return QSqlDatabase::database(m_adminName, false);
}

QString EngineDb::driver() const {
  switch (m_engine) {
    case Engine::SQLite:
      return QStringLiteral("QSQLITE");
    case Engine::Firebird:
    case Engine::FirebirdServer:
      return QStringLiteral("QIBASE");
    case Engine::MariaDb:
      return QStringLiteral("QODBC");
  }
  return {};
}

void EngineDb::exec(const QString& sql) {
  QSqlQuery q(admin());
  if (!q.exec(sql)) fail(QStringLiteral("admin statement failed: %1\n%2").arg(q.lastError().text(), sql));
}

void EngineDb::grantRead(const QString& table) {
  // The board's accounts read what the admin made; Firebird checks rights per user, MariaDB's accounts
  // hold SELECT on everything (and nothing more).
  if (m_engine == Engine::Firebird || m_engine == Engine::FirebirdServer)
    exec(QStringLiteral("grant select on %1 to public").arg(table));
}

QString EngineDb::literal(const QString& value) const {
  QString text = value;
  // MariaDB reads a backslash in a literal as an escape.
  if (m_engine == Engine::MariaDb) text.replace(u'\\', QStringLiteral("\\\\"));
  return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString EngineDb::bytesLiteral(const QByteArray& bytes) const {
  return QStringLiteral("X'%1'").arg(QString::fromLatin1(bytes.toHex()));
}

QString EngineDb::figureType() const {
  // SQLite's NUMERIC affinity would store 125.0 as the integer 125; REAL keeps it a real, printed "125.0".
  return m_engine == Engine::SQLite ? QStringLiteral("REAL") : QStringLiteral("NUMERIC(5,1)");
}

QString EngineDb::textType(int length, TextCharset charset) const {
  const QString type = QStringLiteral("VARCHAR(%1)").arg(length);
  if (charset == TextCharset::Utf8) return type;
  switch (m_engine) {
    case Engine::SQLite:
      return type;
    case Engine::Firebird:
    case Engine::FirebirdServer:
      return type + QStringLiteral(" CHARACTER SET SJIS_0208");
    case Engine::MariaDb:
      return type + QStringLiteral(" CHARACTER SET cp932");
  }
  return type;
}

QString EngineDb::bytesType(int length) const {
  switch (m_engine) {
    case Engine::SQLite:
      return QStringLiteral("BLOB");
    case Engine::Firebird:
    case Engine::FirebirdServer:
      return QStringLiteral("VARCHAR(%1) CHARACTER SET NONE").arg(length);
    case Engine::MariaDb:
      return QStringLiteral("VARBINARY(%1)").arg(length);
  }
  return {};
}

QString EngineDb::integerType() const {
  return QStringLiteral("INTEGER");
}

QString EngineDb::profileTarget(bool server) const {
  switch (m_engine) {
    case Engine::SQLite:
    case Engine::Firebird:
      return m_database;
    case Engine::FirebirdServer:
      return m_servers.firebird->url(m_database);
    case Engine::MariaDb:
      // The shared server is what the private odbc.ini's data sources name; another server is reached
      // by a connection string of its own.
      if (!m_sharedServer) return m_servers.mariaDb->connectionString(m_database);
      return (server ? QStringLiteral("JumpServer") : QStringLiteral("JumpLocal")) + QStringLiteral(";DATABASE=") +
             m_database;
  }
  return {};
}

QString EngineDb::dbLayerIniText(const DbLayerMap& map) const {
  // Both sections are always there with this engine's driver, so an unmapped profile fails here
  // rather than reaching some data source that the machine happens to define.
  QString text = QStringLiteral("[Jump]\nDriver=%1\n").arg(driver());
  if (map.interbaseLocal) text += QStringLiteral("C:\\IB_data\\Jump.GDB=%1\n").arg(profileTarget(false));
  if (map.interbaseServer) text += QStringLiteral("G:\\Jump.GDB=%1\n").arg(profileTarget(true));
  text += QStringLiteral("\n[JumpLocal]\nDriver=%1\n").arg(driver());
  if (map.mySqlLocal) text += QStringLiteral("JumpLocal=%1\n").arg(profileTarget(false));
  if (map.mySqlServer) text += QStringLiteral("JumpServer=%1\n").arg(profileTarget(true));
  return text;
}

QString EngineDb::writeDbLayerIni(const DbLayerMap& map, const QString& path) const {
  const QString target = path.isEmpty() ? m_dir.filePath(QStringLiteral("dblayer.ini")) : path;
  QFile file(target);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail(QStringLiteral("cannot write %1").arg(target));
  file.write(dbLayerIniText(map).toUtf8());
  return target;
}

void EngineDb::configure(Database& db, const DbLayerMap& map) const {
  db.setConfigPath(writeDbLayerIni(map));
  db.setAliasName(Profiles::kInterbaseAlias);
  db.setParams(Profiles::interbase());
}
