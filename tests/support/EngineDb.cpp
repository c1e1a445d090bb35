#include "support/EngineDb.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <stdexcept>

#include "connection/Profiles.h"
#include "platform/db/Database.h"

namespace {

[[noreturn]] void fail(const QString& what) {
  throw std::runtime_error(what.toStdString());
}

QString uniqueAdminName() {
  static std::atomic<int> serial{0};
  return QStringLiteral("engine-admin#%1").arg(++serial);
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

}  // namespace

std::vector<Engine> testEngines() {
  return {Engine::SQLite, Engine::Firebird};
}

const char* engineName(Engine engine) {
  switch (engine) {
    case Engine::SQLite:
      return "SQLite";
    case Engine::Firebird:
      return "Firebird";
  }
  return "unknown";
}

std::string engineTestName(const ::testing::TestParamInfo<Engine>& info) {
  return engineName(info.param);
}

void PrintTo(Engine engine, std::ostream* os) {
  *os << engineName(engine);
}

EngineDb::EngineDb(Engine engine) : m_engine(engine), m_adminName(uniqueAdminName()) {
  if (!m_dir.isValid()) fail(QStringLiteral("no temp folder: %1").arg(m_dir.errorString()));

  QSqlDatabase db;
  switch (engine) {
    case Engine::SQLite:
      m_database = m_dir.filePath(QStringLiteral("jump.sqlite"));
      db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_adminName);
      break;
    case Engine::Firebird:
      m_database = m_dir.filePath(QStringLiteral("Jump.fdb"));
#ifdef JUMPBOARD_EMPTY_FDB
      if (QFile::copy(QStringLiteral(JUMPBOARD_EMPTY_FDB), m_database)) {
        QFile::setPermissions(m_database, QFile::ReadOwner | QFile::WriteOwner);
      } else
#endif
      {
        createFirebirdFile(m_database, m_dir.filePath(QStringLiteral("create.sql")));
      }
      db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_adminName);
      db.setUserName(QStringLiteral("SYSDBA"));
      db.setPassword(QStringLiteral("masterkey"));
      break;
  }
  db.setDatabaseName(m_database);
  if (!db.open()) fail(QStringLiteral("admin connection to %1 failed: %2").arg(m_database, db.lastError().text()));
  // Test data needs no durability; waiting for the disk on every statement would make each test slow.
  if (engine == Engine::SQLite) exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

EngineDb::~EngineDb() {
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
      return QStringLiteral("QIBASE");
  }
  return {};
}

void EngineDb::exec(const QString& sql) {
  QSqlQuery q(admin());
  if (!q.exec(sql)) fail(QStringLiteral("admin statement failed: %1\n%2").arg(q.lastError().text(), sql));
}

void EngineDb::grantRead(const QString& table) {
  // The board's accounts (SYSDBA, root) read what the admin made; Firebird checks rights per user.
  if (m_engine == Engine::Firebird) exec(QStringLiteral("grant select on %1 to public").arg(table));
}

QString EngineDb::literal(const QString& value) const {
  QString text = value;
  return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString EngineDb::figureType() const {
  // SQLite's NUMERIC affinity would store 125.0 as the integer 125; REAL keeps it a real, printed "125.0".
  return m_engine == Engine::SQLite ? QStringLiteral("REAL") : QStringLiteral("NUMERIC(5,1)");
}

QString EngineDb::textType(int length) const {
  return QStringLiteral("VARCHAR(%1)").arg(length);
}

QString EngineDb::integerType() const {
  return QStringLiteral("INTEGER");
}

QString EngineDb::dbLayerIniText(const DbLayerMap& map) const {
  // Both sections are always there with this engine's driver, so an unmapped profile fails here
  // rather than reaching some data source that the machine happens to define.
  QString text = QStringLiteral("[Jump]\nDriver=%1\n").arg(driver());
  if (map.interbaseLocal) text += QStringLiteral("C:\\IB_data\\Jump.GDB=%1\n").arg(m_database);
  if (map.interbaseServer) text += QStringLiteral("G:\\Jump.GDB=%1\n").arg(m_database);
  text += QStringLiteral("\n[JumpLocal]\nDriver=%1\n").arg(driver());
  if (map.mySqlLocal) text += QStringLiteral("JumpLocal=%1\n").arg(m_database);
  if (map.mySqlServer) text += QStringLiteral("JumpServer=%1\n").arg(m_database);
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
