#pragma once

// The profile through which the board reaches each engine in production: the InterBase profiles for the
// Firebird files and server, the MySQL profiles for MariaDB.

#include <QString>

#include "support/EngineDb.h"

struct EngineProfile {
  QString settings;  // the settings file that makes start-up choose it
  DbLayerMap map;    // what dblayer.ini maps
  QString linfo;     // the line the board shows for it
};

inline EngineProfile serverProfileOf(Engine engine) {
  if (engine == Engine::MariaDb)
    return {QStringLiteral("[Skylpr]\nDbType=MySQL\nDbDir=server\n"),
            DbLayerMap{.interbaseLocal = false, .mySqlServer = true}, QStringLiteral("ODBC DSN=JumpServer")};
  return {QStringLiteral("[Skylpr]\nDbType=Interbase\nDbDir=server\n"),
          DbLayerMap{.interbaseLocal = false, .interbaseServer = true}, QStringLiteral("SERVER NAME=G:\\Jump.GDB")};
}

inline EngineProfile localProfileOf(Engine engine) {
  if (engine == Engine::MariaDb)
    return {QStringLiteral("[Skylpr]\nDbType=MySQL\nDbDir=local\n"),
            DbLayerMap{.interbaseLocal = false, .mySqlLocal = true}, QStringLiteral("ODBC DSN=JumpLocal")};
  return {QStringLiteral("[Skylpr]\nDbType=Interbase\nDbDir=local\n"), DbLayerMap{.interbaseLocal = true},
          QStringLiteral("SERVER NAME=C:\\IB_data\\Jump.GDB")};
}
