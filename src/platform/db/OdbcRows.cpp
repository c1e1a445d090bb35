#include "platform/db/OdbcRows.h"

#include <sql.h>
#include <sqlext.h>

#include <QSqlResult>
#include <algorithm>
#include <array>

#include "platform/db/DatabaseError.h"
#include "platform/db/ValueText.h"

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the ODBC driver manager must use UTF-16 wide characters");

QString fromWide(const SQLWCHAR* text, qsizetype units) {
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), units);
}

// The driver's diagnostics of the statement, one line each.
QString diagnostics(SQLHSTMT stmt) {
  QStringList lines;
  for (SQLSMALLINT record = 1; record < 10; ++record) {
    std::array<SQLWCHAR, SQL_SQLSTATE_SIZE + 1> state{};
    std::array<SQLWCHAR, SQL_MAX_MESSAGE_LENGTH> message{};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    const SQLRETURN r = SQLGetDiagRecW(SQL_HANDLE_STMT, stmt, record, state.data(), &native, message.data(),
                                       SQLSMALLINT(message.size()), &length);
    if (!SQL_SUCCEEDED(r)) break;
    const qsizetype units = std::clamp<qsizetype>(length, 0, qsizetype(message.size()) - 1);
    lines.append(fromWide(message.data(), units).trimmed());
  }
  return lines.isEmpty() ? QStringLiteral("The ODBC driver could not read the result") : lines.join(u'\n');
}

[[noreturn]] void fail(SQLHSTMT stmt, const QString& statement) {
  throw DatabaseError(diagnostics(stmt), statement);
}

// A value that is not binary, as text in UTF-16 (so the connection's character set does not matter),
// read in parts when it is longer than the buffer. Null gives a null QVariant. Each part runs to the
// terminator the driver writes, whatever length it reports (see the header); a NUL character inside a
// value would end its part early, and the board's texts hold none.
QVariant readText(SQLHSTMT stmt, SQLUSMALLINT column, const QString& statement) {
  std::array<SQLWCHAR, 2048> buffer;
  QString text;
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN r = SQLGetData(stmt, column, SQL_C_WCHAR, buffer.data(), SQLLEN(sizeof(buffer)), &indicator);
    if (r == SQL_NO_DATA) break;  // the last part was read by the call before
    if (!SQL_SUCCEEDED(r)) fail(stmt, statement);
    if (indicator == SQL_NULL_DATA) return {};
    const auto end = std::find(buffer.begin(), buffer.end() - 1, SQLWCHAR(0));
    text.append(fromWide(buffer.data(), end - buffer.begin()));
    if (r == SQL_SUCCESS) break;
  }
  return text;
}

QVariant readBytes(SQLHSTMT stmt, SQLUSMALLINT column, const QString& statement) {
  std::array<char, 4096> buffer;
  QByteArray bytes;
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN r = SQLGetData(stmt, column, SQL_C_BINARY, buffer.data(), SQLLEN(buffer.size()), &indicator);
    if (r == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(r)) fail(stmt, statement);
    if (indicator == SQL_NULL_DATA) return {};
    const bool cut = r == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || indicator > SQLLEN(buffer.size()));
    bytes.append(buffer.data(), cut ? qsizetype(buffer.size()) : qsizetype(indicator));
    if (r == SQL_SUCCESS) break;
  }
  return bytes;
}

}  // namespace

namespace OdbcRows {

std::optional<QVector<QStringList>> read(const QSqlQuery& q, const QSqlRecord& record, const QString& statement) {
  const QSqlResult* result = q.result();
  if (result == nullptr) return std::nullopt;
  const QVariant handle = result->handle();
  if (handle.metaType() != QMetaType::fromType<SQLHANDLE>()) return std::nullopt;
  const auto stmt = *static_cast<const SQLHANDLE*>(handle.constData());
  if (stmt == nullptr) return std::nullopt;

  QVector<QStringList> rows;
  if (record.isEmpty()) return rows;  // a statement without a result set has no rows to fetch
  for (;;) {
    const SQLRETURN r = SQLFetch(stmt);
    if (r == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(r)) fail(stmt, statement);
    QStringList row;
    row.reserve(record.count());
    for (int i = 0; i < record.count(); ++i) {
      const QSqlField field = record.field(i);
      const auto column = SQLUSMALLINT(i + 1);
      const QVariant value = field.metaType().id() == QMetaType::QByteArray ? readBytes(stmt, column, statement)
                                                                            : readText(stmt, column, statement);
      row.append(valueText(value, field));
    }
    rows.append(row);
  }
  return rows;
}

}  // namespace OdbcRows
