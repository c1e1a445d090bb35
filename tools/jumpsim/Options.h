#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// jumpsim's command line.
struct Options {
  // Where to write: one of the board's four profiles through dblayer.ini, or a driver and database.
  QString settingsPath;  // the board's settings file: its remembered choice is the default profile
  QString dbLayerPath;   // dblayer.ini; default beside the settings file
  QString profile;       // interbase-local, interbase-server, mysql-local, mysql-server; empty: the settings'
  QString driver;        // QIBASE, QSQLITE, QODBC, QMYSQL
  QString database;
  QString user;
  QString password;
  bool createDatabase = false;

  enum class Tables { Create, Replace, Keep } tables = Tables::Create;
  enum class Events { Individual, Team, Both } events = Events::Both;
  std::uint32_t seed = 1;
  int trialJumps = 1;
  double pace = 5.0;  // seconds per jump
  bool step = false;
  bool play = true;
  bool verbose = false;
  bool quiet = false;
};

struct ParsedOptions {
  Options options;
  bool help = false;
  QString helpText;
  QString error;  // not empty: the arguments are wrong
};

inline const QStringList kProfileNames = {QStringLiteral("interbase-local"), QStringLiteral("interbase-server"),
                                          QStringLiteral("mysql-local"), QStringLiteral("mysql-server")};

// `arguments` as main receives them, program name first.
ParsedOptions parseOptions(const QStringList& arguments);
