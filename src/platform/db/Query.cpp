#include "platform/db/Query.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/FirebirdClient.h"
#include "platform/db/OdbcRows.h"
#include "platform/db/ValueText.h"

namespace {
std::atomic<std::uint64_t> g_statementsSent{0};

// The columns of a result, with their types and scales. On QIBASE, where asking for them costs a
// statement per NUMERIC column, they are kept per statement shape and column description: the values in
// a statement's literals change from refresh to refresh, its columns only when a table is made anew.
QSqlRecord resultRecord(const QSqlQuery& q, const QString& statement, const QString& driver,
                        QHash<QString, QSqlRecord>& kept) {
  if (driver != QLatin1String("QIBASE")) return q.record();
  const QByteArray columns = FirebirdClient::columnsOf(q);
  if (columns.isEmpty()) return q.record();
  static const QRegularExpression literal(QStringLiteral("'(?:[^']|'')*'"));
  QString shape = statement;
  shape.replace(literal, QStringLiteral("''"));
  shape += QChar(0) + QString::fromLatin1(columns.toHex());
  auto it = kept.constFind(shape);
  if (it == kept.constEnd()) it = kept.insert(shape, q.record());
  return *it;
}

}  // namespace

std::uint64_t Query::statementsSent() {
  return g_statementsSent.load(std::memory_order_relaxed);
}

Query::Query(Database& db) : m_db(db) {
  m_db.attach(this);
}

Query::~Query() {
  m_db.detach(this);
}

void Query::setSql(const QStringList& lines) {
  close();
  m_lines = lines;
}

void Query::clearSql() {
  close();
  m_lines.clear();
}

void Query::addLine(const QString& line) {
  close();
  m_lines.append(line);
}

QString Query::statementText() const {
  QString text;
  for (const QString& line : m_lines) text += line + QStringLiteral("\r\n");
  return text;
}

void Query::open() {
  close();
  if (!m_db.connected()) m_db.connect();
  const QString statement = statementText();

  QStringList columns;
  QVector<QStringList> rows;
  {
    // Declared before the Qt query so that it also watches the commit in the query's destructor.
    const Watchdog::Scope watch = m_db.watchServerCall();
    QSqlQuery q(m_db.handle());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    g_statementsSent.fetch_add(1, std::memory_order_relaxed);
    if (!q.exec(statement)) throw DatabaseError(q.lastError().text().trimmed(), statement);

    // The whole result is read now and the Qt query released at the end of this block, so that no
    // cursor or read transaction stays open on the server between refreshes.
    const QSqlRecord record = resultRecord(q, statement, m_db.m_driver, m_db.m_records);
    for (int i = 0; i < record.count(); ++i) columns.append(record.fieldName(i));
    std::optional<QVector<QStringList>> odbcRows;
    if (m_db.m_driver == QLatin1String("QODBC")) odbcRows = OdbcRows::read(q, record, statement);
    if (odbcRows) {
      rows = std::move(*odbcRows);
    } else {
      while (q.next()) {
        QStringList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i) row.append(valueText(q.value(i), record.field(i)));
        rows.append(row);
      }
      if (q.lastError().isValid()) throw DatabaseError(q.lastError().text().trimmed(), statement);
    }
  }

  m_columns = columns;
  m_rows = rows;
  m_row = 0;
  m_eof = m_rows.isEmpty();
  m_active = true;
}

void Query::close() {
  m_active = false;
  m_columns.clear();
  m_rows.clear();
  m_row = 0;
  m_eof = true;
}

void Query::requireActive() const {
  if (!m_active)
    throw DatabaseError(QStringLiteral("Cannot perform this operation on a closed query"), statementText());
}

int Query::recordCount() const {
  requireActive();
  return int(m_rows.size());
}

int Query::columnIndex(const QString& name) const {
  requireActive();
  for (int i = 0; i < m_columns.size(); ++i) {
    if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name), statementText());
}

QString Query::fieldText(const QString& name) const {
  const int column = columnIndex(name);
  return m_rows.isEmpty() ? QString() : m_rows.at(m_row).at(column);
}

int Query::fieldInt(const QString& name) const {
  const QString text = fieldText(name);
  if (text.isEmpty()) return 0;
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok) throw DatabaseError(QStringLiteral("'%1' is not a valid integer value").arg(text), statementText());
  return value;
}

bool Query::locate(const QString& column, const QString& value) {
  const int index = columnIndex(column);
  if (!m_rows.isEmpty()) m_eof = false;
  for (int row = 0; row < m_rows.size(); ++row) {
    if (m_rows.at(row).at(index) == value) {
      m_row = row;
      return true;
    }
  }
  return false;
}

void Query::next() {
  requireActive();
  if (m_row + 1 < m_rows.size()) {
    ++m_row;
  } else {
    m_eof = true;
  }
}
