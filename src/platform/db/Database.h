#pragma once

#include <QHash>
#include <QObject>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/db/Watchdog.h"

class QSqlDatabase;
class Query;

// The board's one named connection "DB": an alias (looked up in dblayer.ini) and an ordered list of
// parameter lines "NAME=value", counted from 0. Alias and lines may change only while disconnected.
class Database : public QObject {
  Q_OBJECT

 public:
  explicit Database(QObject* parent = nullptr);
  ~Database() override;

  static QString name() { return QStringLiteral("DB"); }

  QString aliasName() const { return m_alias; }
  void setAliasName(const QString& alias);  // throws DatabaseError while connected

  const QStringList& params() const { return m_params; }
  void setParams(const QStringList& lines);       // throws DatabaseError while connected
  void setParam(int index, const QString& line);  // replaces line `index`; throws while connected
  QString paramValue(const QString& name) const;  // value of the first line "name=..." (case-blind)

  // Path of dblayer.ini; empty means no configuration file (built-in defaults only).
  void setConfigPath(const QString& path) { m_configPath = path; }
  QString configPath() const { return m_configPath; }

  void connect();     // throws DatabaseError with the driver's message
  void disconnect();  // closes every query on this connection first; no effect when not connected
  bool connected() const;

  // The text to put between single quotes so that `value` stays one literal on this engine: quotes
  // doubled everywhere, backslashes doubled too where the engine reads them as escapes (QODBC, QMYSQL:
  // MariaDB). A NUL character cannot travel in a literal: throws DatabaseError.
  QString literalText(const QString& value) const;

  // The Qt connection; valid only while connected.
  QSqlDatabase handle() const;
  // The Qt driver of the connection, or while disconnected the one the alias names in dblayer.ini.
  QString driverName() const;

 private:
  friend class Query;
  void attach(Query* q);
  void detach(Query* q);
  void ensureDisconnected(const char* what) const;
  // Bounds one call that waits on the server (a statement with its fetches, a detach) by the alias's
  // ReadTimeout where the driver has no bound of its own (QIBASE): past it the call is broken off and
  // fails like a lost connection.
  Watchdog::Scope watchServerCall();

  QString m_alias;
  QStringList m_params;
  QString m_configPath;
  QString m_driver;
  QString m_connectionName;
  bool m_connected = false;
  int m_readTimeout = 0;  // seconds, of the connection now open
  std::unique_ptr<Watchdog> m_watchdog;
  QList<Query*> m_queries;
  // Result columns by statement shape (literals blanked), kept while connected: QIBASE looks up every
  // NUMERIC column in the system tables, one statement each, whenever a result's record is asked for.
  QHash<QString, QSqlRecord> m_records;
};
