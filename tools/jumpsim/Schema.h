#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

class Writer;

// The competition tables in the engine's own types: figures (points, speeds, distances) NUMERIC with
// one decimal (DECIMAL(6,1) on MySQL; REAL on SQLite, whose NUMERIC would turn 125.0 into the integer
// 125), codes and bibs as text, start orders as integers.
namespace Schema {

// newzek, hon, race, dantai, judgea .. judgee
QStringList tables();
// Every column of `table` in order; the board reads all of RACE's, DANTAI adds the team's name and
// later points, which the board does not read.
QStringList columns(const QString& table);
QString createStatement(const QString& table, const QString& driver);

// What to do when the tables are already there.
enum class Existing {
  Refuse,   // stop with a SchemaError naming them
  Replace,  // drop them and create them anew
  Keep,     // keep them, emptied (each must exist)
};

// Competition tables that exist, as named in `tables()`, in that order.
QStringList existing(Writer& writer);
// Makes the tables empty and in place, by `mode`; throws SchemaError or DatabaseError.
void prepare(Writer& writer, Existing mode);

class SchemaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace Schema
