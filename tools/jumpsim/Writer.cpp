#include "Writer.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"

Writer::Writer(Database& db) : m_db(db) {}

void Writer::exec(const QString& sql) {
  if (!m_db.connected()) m_db.connect();
  QSqlQuery query(m_db.handle());
  if (!query.exec(sql)) throw DatabaseError(query.lastError().text().trimmed(), sql);
}

void Writer::transaction(const std::function<void()>& writes) {
  if (m_inTransaction) {
    writes();
    return;
  }
  if (!m_db.connected()) m_db.connect();
  QSqlDatabase handle = m_db.handle();
  if (!handle.transaction()) {
    throw DatabaseError(QStringLiteral("cannot start a transaction: %1").arg(handle.lastError().text().trimmed()));
  }
  m_inTransaction = true;
  try {
    writes();
  } catch (...) {
    m_inTransaction = false;
    handle.rollback();
    throw;
  }
  m_inTransaction = false;
  if (!handle.commit()) {
    const QString message = handle.lastError().text().trimmed();
    handle.rollback();
    throw DatabaseError(QStringLiteral("cannot commit: %1").arg(message));
  }
}

void Writer::skipDiskSync() {
  if (driver() == QLatin1String("QSQLITE")) exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

QString Writer::text(const QString& value) const {
  // MariaDB's Connector/ODBC (3.1, under Qt 6.4's QODBC) now and then refuses a statement whose text
  // holds characters beyond ASCII (SQLSTATE 22018, an invalid character value for a cast), at random rows
  // of a start list. Written as bytes with their character set, the Japanese names keep it ASCII.
  const QString driver = m_db.driverName();
  const bool ascii = std::all_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x80; });
  if (!ascii && (driver == QLatin1String("QODBC") || driver == QLatin1String("QMYSQL"))) {
    return QStringLiteral("_utf8mb4 X'%1'").arg(QString::fromLatin1(value.toUtf8().toHex()));
  }
  return u'\'' + m_db.literalText(value) + u'\'';
}

QString Writer::driver() const {
  return m_db.driverName();
}
