#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

#include "Options.h"
#include "StartList.h"

class Database;
class QTextStream;

// A failure before the first write that is no database error: wrong arguments found late (an unknown
// driver), a database that cannot be created.
class SetupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Points `db` at the database the options name: a driver and database (through a dblayer.ini written
// into `scratchFolder`), or one of the board's profiles, by default the one its settings file remembers.
void configureDatabase(Database& db, const Options& options, const QString& scratchFolder);

// The driver and the database name that `db`'s alias and profile lead to, as its connect will use them.
QString resolvedDatabaseName(const Database& db);

// Creates an empty database when it is missing: SQLite, or a local Firebird file through isql-fb.
void createDatabaseFile(const Database& db);

// The events of the meeting, drawn from `random` in this order.
QList<Event> makeEvents(Random& random, Options::Events which);

// The whole program; step mode reads standard input. Returns the exit status.
int runJumpsim(const QStringList& arguments, QTextStream& out, QTextStream& err);
