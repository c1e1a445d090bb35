#pragma once

// The competition tables on an EngineDb, in that engine's types, and readable row helpers.
//
//   EngineDb db{Engine::Firebird};
//   CompetitionSchema schema{db};                                      // every table, figures numeric
//   CompetitionSchema schema{db, {.textTotals = true}};                // totals and team points as text
//   CompetitionSchema schema{db, {.omit = {"race.st2", "judgec"}}};    // without a column / a table
//
//   schema.insert("race", {{"tcode", "T1"}, {"zek", "12"}, {"totalp1", "125.0"}, {"totalp2", std::nullopt}});
//   schema.setOnly("hon", {{"hon", "1"}});                             // the table holds just this row
//   schema.update("race", {{"totalp1", "130.5"}}, {{"zek", "12"}});     // where zek='12'
//   schema.clear("judgea");
//
// Tables and columns are created in lower case (Firebird keeps them in upper case); values go in as
// quoted text literals that the engine converts to the column's type; std::nullopt is SQL NULL.
// Figures are NUMERIC(5,1) on Firebird and MariaDB and REAL on SQLite; st1, st2 INTEGER; everything else
// VARCHAR, in UTF-8 or (SchemaOptions::charset) Shift-JIS.

#include <QAnyStringView>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "support/EngineDb.h"

struct SchemaOptions {
  bool textTotals = false;        // totalp1/2/t and tpoint1/2/t (RACE, DANTAI) as VARCHAR: text order
  std::vector<std::string> omit;  // "dantai" leaves out a table, "race.st2" one column (case-blind)
  TextCharset charset = TextCharset::Utf8;  // of every text column (Shift-JIS: SJIS_0208, cp932)
  std::vector<std::string> bytes{};         // text columns that hold bytes of no character set ("race.name")
  std::vector<std::pair<std::string, int>> lengths{};  // other VARCHAR lengths: {{"race.name", 2000}}
};

// One column and its value in a row helper; the value is text, or std::nullopt for NULL, or raw bytes
// (Col::bytes, for a column of SchemaOptions::bytes).
struct Col {
  Col(QAnyStringView column, QAnyStringView text) : name(column.toString()), value(text.toString()) {}
  Col(QAnyStringView column, int number) : name(column.toString()), value(QString::number(number)) {}
  Col(QAnyStringView column, std::nullopt_t) : name(column.toString()) {}
  static Col bytes(QAnyStringView column, const QByteArray& raw) {
    Col c(column, std::nullopt);
    c.raw = raw;
    return c;
  }

  QString name;
  std::optional<QString> value;
  std::optional<QByteArray> raw;
};
using Row = std::vector<Col>;

class CompetitionSchema {
 public:
  explicit CompetitionSchema(EngineDb& db, SchemaOptions options = {});  // creates the tables

  static QStringList tables();                       // newzek, hon, race, dantai, judgea .. judgee
  static QStringList columns(const QString& table);  // every column the full layout has, in order

  void insert(QAnyStringView table, const Row& row);
  void clear(QAnyStringView table);
  void setOnly(QAnyStringView table, const Row& row);  // clear, then insert this one row
  void update(QAnyStringView table, const Row& set, const Row& where = {});

  EngineDb& db() { return m_db; }

 private:
  bool omitted(const QString& table, const QString& column = {}) const;
  QString valueSql(const Col& col) const;
  int length(const QString& table, const QString& column, int standard) const;

  EngineDb& m_db;
  SchemaOptions m_options;
};
