#include "support/CompetitionSchema.h"

#include "data/CompetitionTables.h"

namespace {

using competition::ColumnKind;

bool isBytes(const SchemaOptions& options, const QString& key) {
  for (const std::string& entry : options.bytes) {
    if (key.compare(QString::fromStdString(entry), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

QString joined(const Row& row, const QString& separator, auto&& piece) {
  QStringList parts;
  for (const Col& col : row) parts.append(piece(col));
  return parts.join(separator);
}

}  // namespace

CompetitionSchema::CompetitionSchema(EngineDb& db, SchemaOptions options) : m_db(db), m_options(std::move(options)) {
  for (const competition::Table& table : competition::tables()) {
    const QString tableName = QString::fromUtf8(table.name);
    if (omitted(tableName)) continue;
    QStringList columns;
    for (const competition::Column& column : table.columns) {
      const QString columnName = QString::fromUtf8(column.name);
      if (omitted(tableName, columnName)) continue;
      QString type;
      switch (column.kind) {
        case ColumnKind::Text: {
          const int n = length(tableName, columnName, column.length);
          type = isBytes(m_options, tableName + u'.' + columnName) ? m_db.bytesType(n)
                                                                   : m_db.textType(n, m_options.charset);
          break;
        }
        case ColumnKind::Total:
          type = m_options.textTotals ? m_db.textType(10, m_options.charset) : m_db.figureType();
          break;
        case ColumnKind::Figure:
          type = m_db.figureType();
          break;
        case ColumnKind::Integer:
          type = m_db.integerType();
          break;
      }
      columns.append(columnName + u' ' + type);
    }
    m_db.exec(QStringLiteral("create table %1 (%2)").arg(tableName, columns.join(QStringLiteral(", "))));
    m_db.grantRead(tableName);
  }
}

QStringList CompetitionSchema::tables() {
  QStringList names;
  for (const competition::Table& table : competition::tables()) names.append(QString::fromUtf8(table.name));
  return names;
}

QStringList CompetitionSchema::columns(const QString& table) {
  QStringList names;
  for (const competition::Table& def : competition::tables()) {
    if (table.compare(QString::fromUtf8(def.name), Qt::CaseInsensitive) != 0) continue;
    for (const competition::Column& column : def.columns) names.append(QString::fromUtf8(column.name));
  }
  return names;
}

bool CompetitionSchema::omitted(const QString& table, const QString& column) const {
  const QString key = column.isEmpty() ? table : table + u'.' + column;
  for (const std::string& entry : m_options.omit) {
    if (key.compare(QString::fromStdString(entry), Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

int CompetitionSchema::length(const QString& table, const QString& column, int standard) const {
  const QString key = table + u'.' + column;
  for (const auto& [entry, n] : m_options.lengths) {
    if (key.compare(QString::fromStdString(entry), Qt::CaseInsensitive) == 0) return n;
  }
  return standard;
}

QString CompetitionSchema::valueSql(const Col& col) const {
  if (col.raw) return m_db.bytesLiteral(*col.raw);
  return col.value ? m_db.literal(*col.value) : QStringLiteral("NULL");
}

void CompetitionSchema::insert(QAnyStringView table, const Row& row) {
  const QString names = joined(row, QStringLiteral(", "), [](const Col& c) { return c.name; });
  const QString values = joined(row, QStringLiteral(", "), [this](const Col& c) { return valueSql(c); });
  m_db.exec(QStringLiteral("insert into %1 (%2) values (%3)").arg(table.toString(), names, values));
}

void CompetitionSchema::clear(QAnyStringView table) {
  m_db.exec(QStringLiteral("delete from %1").arg(table.toString()));
}

void CompetitionSchema::setOnly(QAnyStringView table, const Row& row) {
  clear(table);
  insert(table, row);
}

void CompetitionSchema::update(QAnyStringView table, const Row& set, const Row& where) {
  QString sql = QStringLiteral("update %1 set ").arg(table.toString()) +
                joined(set, QStringLiteral(", "), [this](const Col& c) { return c.name + u'=' + valueSql(c); });
  if (!where.empty()) {
    sql += QStringLiteral(" where ") + joined(where, QStringLiteral(" and "), [this](const Col& c) {
             return c.value || c.raw ? c.name + u'=' + valueSql(c) : c.name + QStringLiteral(" is null");
           });
  }
  m_db.exec(sql);
}
