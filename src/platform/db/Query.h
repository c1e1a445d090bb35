#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

class Database;

// A statement on the "DB" connection, given as text lines that are joined with CR LF after each line.
// Opening runs it and stands on the first row; the whole result is read at once, so row counts,
// locate and next work on every engine alike and no cursor stays open on the server.
// A query registers with its Database and must not outlive it.
class Query {
 public:
  explicit Query(Database& db);
  ~Query();
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  // Replacing the statement closes the query.
  void setSql(const QStringList& lines);
  void clearSql();
  void addLine(const QString& line);
  const QStringList& sql() const { return m_lines; }
  QString statementText() const;  // lines joined, as sent

  void open();  // connects the database first when needed; throws DatabaseError
  // Statements sent by every query of the process so far: the benchmarks' statements per refresh.
  static std::uint64_t statementsSent();
  void close();
  bool active() const { return m_active; }

  // Reading a closed query, or a column that the result lacks, throws DatabaseError.
  int recordCount() const;                       // rows of the open result
  QString fieldText(const QString& name) const;  // current row, column by name (case-blind); NULL -> ""
  int fieldInt(const QString& name) const;       // the same as an integer; "" -> 0
  // First row whose column text equals `value` exactly (case respected) becomes current; when none
  // does, the current row stays. Either way a result with rows is no longer at its end.
  bool locate(const QString& column, const QString& value);
  bool eof() const { return m_eof; }  // true on an empty or closed result, and after next() at the last row
  void next();                        // stays on the last row

 private:
  void requireActive() const;
  int columnIndex(const QString& name) const;  // throws DatabaseError when the result lacks it

  Database& m_db;
  QStringList m_lines;
  bool m_active = false;
  QStringList m_columns;
  QVector<QStringList> m_rows;
  int m_row = 0;
  bool m_eof = true;
};
