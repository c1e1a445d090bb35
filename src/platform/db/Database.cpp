#include "platform/db/Database.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <atomic>

#include "platform/db/AliasConfig.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FirebirdClient.h"
#include "platform/db/Query.h"

namespace {

// Every Database gets its own Qt connection, so several windows or tests can live in one process.
QString uniqueConnectionName() {
  static std::atomic<int> serial{0};
  return QStringLiteral("DB#%1").arg(++serial);
}

QString errorText(const QSqlError& error, const QString& fallback) {
  const QString text = error.text().trimmed();
  return text.isEmpty() ? fallback : text;
}

// The ODBC connection string gets what the board needs of MariaDB Connector/ODBC unless the mapped
// name already says it: text in utf8mb4 whatever the tables' character sets, and bounded waits
// (CONN_TIMEOUT covers the server's greeting, which the ODBC login timeout does not; READ_TIMEOUT and
// WRITE_TIMEOUT a statement on an established connection). Other drivers ignore keywords they lack.
QString withOdbcAttributes(const QString& source, const AliasConfig& config) {
  QString text = source;
  const auto add = [&text](const QString& keyword, const QString& value) {
    for (const QString& part : text.split(u';')) {
      if (part.section(u'=', 0, 0).trimmed().compare(keyword, Qt::CaseInsensitive) == 0) return;
    }
    if (!text.endsWith(u';')) text += u';';
    text += keyword + u'=' + value;
  };
  add(QStringLiteral("CHARSET"), QStringLiteral("utf8mb4"));
  if (config.connectTimeout > 0) add(QStringLiteral("CONN_TIMEOUT"), QString::number(config.connectTimeout));
  if (config.readTimeout > 0) {
    add(QStringLiteral("READ_TIMEOUT"), QString::number(config.readTimeout));
    add(QStringLiteral("WRITE_TIMEOUT"), QString::number(config.readTimeout));
  }
  return text;
}

}  // namespace

Database::Database(QObject* parent) : QObject(parent), m_connectionName(uniqueConnectionName()) {}

Database::~Database() {
  disconnect();
}

void Database::ensureDisconnected(const char* what) const {
  if (m_connected) {
    throw DatabaseError(QStringLiteral("Cannot change the %1 of database %2 while it is connected")
                            .arg(QString::fromUtf8(what), name()));
  }
}

void Database::setAliasName(const QString& alias) {
  ensureDisconnected("alias");
  m_alias = alias;
}

void Database::setParams(const QStringList& lines) {
  ensureDisconnected("parameters");
  m_params = lines;
}

void Database::setParam(int index, const QString& line) {
  ensureDisconnected("parameters");
  if (index < 0 || index >= m_params.size()) {
    throw DatabaseError(QStringLiteral("Parameter line %1 out of bounds (%2 lines)").arg(index).arg(m_params.size()));
  }
  m_params[index] = line;
}

QString Database::paramValue(const QString& paramName) const {
  for (const QString& line : m_params) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    if (QStringView(line).left(eq).trimmed().compare(paramName, Qt::CaseInsensitive) == 0) return line.mid(eq + 1);
  }
  return {};
}

namespace {

// "C:\IB_data\Jump.GDB": a drive letter, a colon and a path, as the profiles name their files.
bool namesWindowsDrive(const QString& name) {
#ifdef Q_OS_WIN
  Q_UNUSED(name);
  return false;
#else
  return name.size() > 2 && name.at(0).isLetter() && name.at(0).unicode() < 128 && name.at(1) == u':' &&
         (name.at(2) == u'\\' || name.at(2) == u'/');
#endif
}

}  // namespace

void Database::connect() {
  if (m_connected) return;
  const AliasConfig config = AliasConfig::load(m_configPath, m_alias);
  if (config.driver.isEmpty()) throw DatabaseError(QStringLiteral("Unknown database alias: %1").arg(m_alias));

  // The profile names its database by "ODBC DSN" (MySQL lists) or by "SERVER NAME" (InterBase lists).
  // The MySQL local list carries both with the same value; a "DATABASE NAME" line is not used, since
  // the data source itself names its database. With QODBC the mapped value is the DSN, or a whole
  // ODBC connection string when dblayer.ini maps the DSN to one.
  QString source = paramValue(QStringLiteral("ODBC DSN"));
  if (source.isEmpty()) source = paramValue(QStringLiteral("SERVER NAME"));
  QString databaseName = config.mapName(source);
  const QString user = paramValue(QStringLiteral("USER NAME"));
  const QString password = paramValue(QStringLiteral("PASSWORD"));
  if (config.driver == QLatin1String("QODBC") && !databaseName.isEmpty())
    databaseName = withOdbcAttributes(databaseName, config);

  QString failure;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(config.driver, m_connectionName);
    if (!db.isValid()) {
      failure = errorText(db.lastError(), QStringLiteral("Driver not loaded: %1").arg(config.driver));
    } else if (databaseName.isEmpty()) {
      failure = QStringLiteral("No database named for alias %1").arg(m_alias);
    } else if (namesWindowsDrive(databaseName)) {
      // The profiles speak of Windows drives; here such a name leads nowhere (Firebird would even take
      // "C" for a host to look up). Tell the installer where to say what it means on this machine.
      failure = QStringLiteral("%1 is not a database on this machine: map it in %2, section [%3]")
                    .arg(databaseName, m_configPath.isEmpty() ? QStringLiteral("dblayer.ini") : m_configPath, m_alias);
    } else if (config.driver == QLatin1String("QSQLITE") && !QFileInfo(databaseName).isFile()) {
      // SQLite would create an empty database; the board only reads, so a missing file is a failure.
      failure = QStringLiteral("unable to open database file: %1").arg(databaseName);
    } else {
      // QIBASE gives the client no connect timeout: a first attach with one finds a server that does
      // not answer within ConnectTimeout instead of the client's 180 s.
      if (config.driver == QLatin1String("QIBASE") && FirebirdClient::namesServer(databaseName))
        failure = FirebirdClient::tryAttach(databaseName, user, password, config.connectTimeout);
      if (failure.isEmpty()) {
        db.setDatabaseName(databaseName);
        db.setUserName(user);
        db.setPassword(password);
        db.setConnectOptions(config.options);
        if (!db.open())
          failure = errorText(db.lastError(), QStringLiteral("Unable to open database %1").arg(databaseName));
      }
    }
  }
  if (!failure.isEmpty()) {
    QSqlDatabase::removeDatabase(m_connectionName);
    throw DatabaseError(failure);
  }
  m_driver = config.driver;
  m_readTimeout = config.readTimeout;
  m_connected = true;
}

void Database::disconnect() {
  for (Query* query : m_queries) query->close();
  if (!m_connected) return;
  {
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const Watchdog::Scope watch = watchServerCall();  // detaching waits for the server's answer
    db.close();
  }
  QSqlDatabase::removeDatabase(m_connectionName);
  m_connected = false;
  m_driver.clear();
  m_records.clear();
}

bool Database::connected() const {
  return m_connected;
}

QSqlDatabase Database::handle() const {
  return m_connected ? QSqlDatabase::database(m_connectionName, false) : QSqlDatabase();
}

QString Database::driverName() const {
  return m_connected ? m_driver : AliasConfig::load(m_configPath, m_alias).driver;
}

QString Database::literalText(const QString& value) const {
  if (value.contains(QChar(0))) throw DatabaseError(QStringLiteral("A text value holds a NUL character"));
  QString text = value;
  text.replace(u'\'', QStringLiteral("''"));
  const QString driver = driverName();
  if (driver == QLatin1String("QODBC") || driver == QLatin1String("QMYSQL")) {
    text.replace(u'\\', QStringLiteral("\\\\"));
  }
  return text;
}

Watchdog::Scope Database::watchServerCall() {
  if (m_driver != QLatin1String("QIBASE") || m_readTimeout <= 0) return Watchdog::Scope(nullptr, {}, {});
  const unsigned attachment = FirebirdClient::attachmentOf(handle());
  if (attachment == 0) return Watchdog::Scope(nullptr, {}, {});
  if (!m_watchdog) m_watchdog = std::make_unique<Watchdog>();
  return Watchdog::Scope(m_watchdog.get(), std::chrono::seconds(m_readTimeout),
                         [attachment] { FirebirdClient::abort(attachment); });
}

void Database::attach(Query* q) {
  m_queries.append(q);
}

void Database::detach(Query* q) {
  m_queries.removeAll(q);
}
