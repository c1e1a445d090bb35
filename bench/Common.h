#pragma once

// What the benchmark programs share: the application they run in, the engines they are asked for and
// the floor of one round trip on a connection.

#include <QString>
#include <QStringList>
#include <vector>

#include "support/EngineDb.h"

class Database;

// The engines the fixtures offer, narrowed to `names` ("SQLite,Firebird"; empty: all of them).
// Throws std::invalid_argument for a name no fixture offers.
std::vector<Engine> selectEngines(const QString& names);
QString engineNames(const std::vector<Engine>& engines);

// The cheapest statement the engine answers: one row, one column, no table of ours.
QString selectOneStatement(const QString& driver);

// Mean time of one `select 1` through the board's layer on `db`, in microseconds.
double selectOneMicros(Database& db, const QString& driver, int times = 500);

// Qt's offscreen platform unless another is asked for; fonts as the board has them.
void prepareBoardApplication();

// "12.3" with `decimals` places, right-aligned in `width` (for the printed tables).
QString cell(double value, int width, int decimals = 1);
QString cell(const QString& text, int width);
