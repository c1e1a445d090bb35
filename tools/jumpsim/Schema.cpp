#include "Schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <vector>

#include "Writer.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"

namespace Schema {
namespace {

enum class Kind { Text, Figure, Integer };

struct Column {
  const char* name;
  Kind kind;
  int length = 0;
};

struct Table {
  const char* name;
  std::vector<Column> columns;
};

const std::vector<Table>& layout() {
  static const std::vector<Column> judge = {{"zek", Kind::Text, 10}, {"name", Kind::Text, 40}, {"team", Kind::Text, 40},
                                            {"sumi", Kind::Text, 4}, {"ap", Kind::Figure},     {"lp", Kind::Figure},
                                            {"op", Kind::Figure},    {"tp", Kind::Figure}};
  static const std::vector<Table> tables = {
      {"newzek",
       {{"tcode", Kind::Text, 10}, {"tstno", Kind::Text, 10}, {"nzek", Kind::Text, 10}, {"sumi", Kind::Text, 4}}},
      {"hon", {{"hon", Kind::Text, 4}}},
      {"race",
       {{"tcode", Kind::Text, 10}, {"zek", Kind::Text, 10},   {"code", Kind::Text, 20},    {"name", Kind::Text, 40},
        {"namek", Kind::Text, 40}, {"namee", Kind::Text, 40}, {"syozoku", Kind::Text, 40}, {"class1", Kind::Text, 10},
        {"speed1", Kind::Figure},  {"speed2", Kind::Figure},  {"dist1", Kind::Figure},     {"dist2", Kind::Figure},
        {"distp1", Kind::Figure},  {"distp2", Kind::Figure},  {"h1t", Kind::Figure},       {"h2t", Kind::Figure},
        {"totalp1", Kind::Figure}, {"totalp2", Kind::Figure}, {"totalpt", Kind::Figure},   {"tspeed1", Kind::Figure},
        {"tspeed2", Kind::Figure}, {"tspeed3", Kind::Figure}, {"tdist1", Kind::Figure},    {"tdist2", Kind::Figure},
        {"tdist3", Kind::Figure},  {"tno", Kind::Text, 10},   {"kno", Kind::Text, 10},     {"tpoint1", Kind::Figure},
        {"tpoint2", Kind::Figure}, {"tpointt", Kind::Figure}, {"st1", Kind::Integer},      {"st2", Kind::Integer}}},
      {"dantai",
       {{"tcode", Kind::Text, 10},
        {"tno", Kind::Text, 10},
        {"name", Kind::Text, 40},
        {"tpoint1", Kind::Figure},
        {"tpoint2", Kind::Figure},
        {"tpointt", Kind::Figure}}},
      {"judgea", judge},
      {"judgeb", judge},
      {"judgec", judge},
      {"judged", judge},
      {"judgee", judge},
  };
  return tables;
}

const Table* find(const QString& name) {
  for (const Table& table : layout()) {
    if (name.compare(QLatin1String(table.name), Qt::CaseInsensitive) == 0) return &table;
  }
  return nullptr;
}

bool isMySql(const QString& driver) {
  return driver == QLatin1String("QODBC") || driver == QLatin1String("QMYSQL");
}

QString typeOf(const Column& column, const QString& driver) {
  switch (column.kind) {
    case Kind::Text:
      return QStringLiteral("VARCHAR(%1)").arg(column.length);
    case Kind::Integer:
      return QStringLiteral("INTEGER");
    case Kind::Figure:
      if (driver == QLatin1String("QSQLITE")) return QStringLiteral("REAL");
      return isMySql(driver) ? QStringLiteral("DECIMAL(6,1)") : QStringLiteral("NUMERIC(6,1)");
  }
  return {};
}

}  // namespace

QStringList tables() {
  QStringList names;
  for (const Table& table : layout()) names.append(QString::fromLatin1(table.name));
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
