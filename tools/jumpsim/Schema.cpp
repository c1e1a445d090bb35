#include "Schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <vector>

#include "Writer.h"
#include "data/CompetitionTables.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"

namespace Schema {
namespace {

using competition::Column;
using competition::ColumnKind;
using competition::Table;

const Table* find(const QString& name) {
  for (const Table& table : competition::tables()) {
    if (name.compare(QLatin1String(table.name), Qt::CaseInsensitive) == 0) return &table;
  }
  return nullptr;
}

bool isMySql(const QString& driver) {
  return driver == QLatin1String("QODBC") || driver == QLatin1String("QMYSQL");
}

QString typeOf(const Column& column, const QString& driver) {
  switch (column.kind) {
    case ColumnKind::Text:
      return QStringLiteral("VARCHAR(%1)").arg(column.length);
    case ColumnKind::Integer:
      return QStringLiteral("INTEGER");
    case ColumnKind::Figure:
    case ColumnKind::Total:
      if (driver == QLatin1String("QSQLITE")) return QStringLiteral("REAL");
      return isMySql(driver) ? QStringLiteral("DECIMAL(6,1)") : QStringLiteral("NUMERIC(6,1)");
  }
  return {};
}

}  // namespace

QStringList tables() {
  QStringList names;
  for (const Table& table : competition::tables()) names.append(QString::fromLatin1(table.name));
  return names;
}

QStringList columns(const QString& table) {
  QStringList names;
  if (const Table* def = find(table)) {
    for (const Column& column : def->columns) names.append(QString::fromLatin1(column.name));
  }
  return names;
}

QString createStatement(const QString& table, const QString& driver) {
  const Table* def = find(table);
  if (!def) return {};
  QStringList columns;
  for (const Column& column : def->columns) {
    columns.append(QString::fromLatin1(column.name) + u' ' + typeOf(column, driver));
  }
  QString sql =
      QStringLiteral("create table %1 (%2)").arg(QString::fromLatin1(def->name), columns.join(QStringLiteral(", ")));
  // Japanese names need a character set that holds them, whatever the server's default.
  if (isMySql(driver)) sql += QStringLiteral(" default character set utf8mb4");
  return sql;
}

QStringList existing(Writer& writer) {
  Database& db = writer.database();
  if (!db.connected()) db.connect();
  QStringList present;
  if (isMySql(writer.driver())) {
    // Through ODBC the driver's table list spans every database of the server.
    QSqlQuery query(db.handle());
    const QString sql =
        QStringLiteral("select table_name from information_schema.tables where table_schema = database()");
    if (!query.exec(sql)) throw DatabaseError(query.lastError().text().trimmed(), sql);
    while (query.next()) present.append(query.value(0).toString());
  } else {
    present = db.handle().tables(QSql::Tables);
  }
  QStringList found;
  for (const QString& table : tables()) {
    for (const QString& name : present) {
      if (name.compare(table, Qt::CaseInsensitive) == 0) {
        found.append(table);
        break;
      }
    }
  }
  return found;
}

void prepare(Writer& writer, Existing mode) {
  const QStringList found = existing(writer);
  const QString driver = writer.driver();
  auto upper = [](QStringList names) {
    for (QString& name : names) name = name.toUpper();
    return names.join(QStringLiteral(", "));
  };

  switch (mode) {
    case Existing::Refuse:
      if (!found.isEmpty()) {
        throw SchemaError(QStringLiteral("the competition tables %1 already exist; --replace drops and creates them "
                                         "anew, --keep empties and reuses them")
                              .arg(upper(found))
                              .toStdString());
      }
      break;
    case Existing::Replace:
      for (const QString& table : found) writer.exec(QStringLiteral("drop table %1").arg(table));
      break;
    case Existing::Keep: {
      QStringList missing = tables();
      for (const QString& table : found) missing.removeAll(table);
      if (!missing.isEmpty()) {
        throw SchemaError(QStringLiteral("--keep needs every competition table, and %1 %2 missing")
                              .arg(upper(missing), missing.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"))
                              .toStdString());
      }
      writer.transaction([&] {
        for (const QString& table : tables()) writer.exec(QStringLiteral("delete from %1").arg(table));
      });
      return;
    }
  }

  for (const QString& table : tables()) {
    writer.exec(createStatement(table, driver));
    // Firebird checks rights per user: let the board's account read whatever account made the tables.
    if (driver == QLatin1String("QIBASE")) writer.exec(QStringLiteral("grant select on %1 to public").arg(table));
  }
}

}  // namespace Schema
