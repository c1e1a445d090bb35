#pragma once

#include <QString>
#include <QStringList>

class Database;
class EngineDb;

// How jumpsim reaches a fixture's database to write, as the results program would: through the board's
// InterBase local profile and dblayer.ini where that account may write (SQLite, Firebird), and on
// MariaDB, where the board's accounts may only read, as an account of its own (the server's admin over
// its socket, by --driver QODBC).
QStringList jumpsimTarget(const EngineDb& db, const QString& dbLayerIni);
// The same for a connection of the test's own; `scratchFolder` takes the dblayer.ini it may need.
void configureWriter(Database& writer, const EngineDb& db, const QString& scratchFolder);
