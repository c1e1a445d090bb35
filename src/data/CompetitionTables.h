#pragma once

#include <vector>

// The layout of the competition tables as the board reads them: every table and column its statements
// name, with what kind of value each holds. The board itself never creates a table; the simulator and
// the test fixtures make their databases from this one list, each in its engine's types.
namespace competition {

enum class ColumnKind {
  Text,     // codes, bibs, names: VARCHAR of the given length
  Figure,   // speeds, distances, points: a number with one decimal
  Total,    // a figure that a rank count compares with '>' (round totals, team points)
  Integer,  // start orders
};

struct Column {
  const char* name;
  ColumnKind kind;
  int length = 0;  // VARCHAR length of a text column
};

struct Table {
  const char* name;
  std::vector<Column> columns;
};

// NEWZEK, HON, RACE, DANTAI and the five judge tables, names in lower case.
const std::vector<Table>& tables();

}  // namespace competition
