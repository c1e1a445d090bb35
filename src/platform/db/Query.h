#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class Database;

// A statement on the "DB" connection, given as text lines that are joined with CR LF after each line.
// Opening runs it and stands on the first row; the whole result is read at once, so row counts,
// locate and next work on every engine alike and no cursor stays open on the server.
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
  void close();
  bool active() const { return m_active; }

  int recordCount() const;                        // rows of the open result
  QString fieldText(const QString& name) const;   // current row, column by name (case-blind); NULL -> ""
  int fieldInt(const QString& name) const;        // the same as an integer; "" -> 0
  bool locate(const QString& column, const QString& value);  // first exact, case-sensitive match
  bool eof() const { return m_eof; }
  void next();  // stays on the last row

 private:
  int columnIndex(const QString& name) const;  // throws DatabaseError when the result lacks it

  Database& m_db;
  QStringList m_lines;
  bool m_active = false;
  QStringList m_columns;
  QVector<QStringList> m_rows;
  int m_row = 0;
  bool m_eof = true;
};
