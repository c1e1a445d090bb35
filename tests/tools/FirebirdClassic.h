#pragma once

#include <QString>

// Firebird embedded in its default mode locks a database file for one process. Two processes on one
// file (jumpsim writing, the board reading) need the Classic server mode: a private configuration
// folder with ServerMode = Classic and a lock folder, named by FIREBIRD and FIREBIRD_LOCK before the
// process first touches Firebird, and handed on to the processes it starts. Call it first thing;
// the folders live until the process ends. Returns the configuration folder.
QString useClassicFirebird();
