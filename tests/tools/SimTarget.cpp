#include "SimTarget.h"

#include "Jumpsim.h"
#include "platform/db/Database.h"
#include "support/EngineDb.h"
#include "support/TestServers.h"

namespace {

// The admin's connection string with the fixture's database ("JumpLocal;DATABASE=jb_..." names it).
QString mariaDbWriter(const EngineDb& db) {
  const QString database = db.databaseName().section(QStringLiteral("DATABASE="), 1);
  return sharedMariaDb().adminConnectionString() + QStringLiteral(";DATABASE=") + database;
}

}  // namespace

QStringList jumpsimTarget(const EngineDb& db, const QString& dbLayerIni) {
  if (db.engine() == Engine::MariaDb) {
    return {QStringLiteral("--driver"), QStringLiteral("QODBC"),  QStringLiteral("--database"),
            mariaDbWriter(db),          QStringLiteral("--user"), QString()};
  }
  return {QStringLiteral("--dblayer"), dbLayerIni, QStringLiteral("--profile"), QStringLiteral("interbase-local")};
}

void configureWriter(Database& writer, const EngineDb& db, const QString& scratchFolder) {
  if (db.engine() != Engine::MariaDb) {
    db.configure(writer);
    return;
  }
  Options options;
  options.driver = QStringLiteral("QODBC");
  options.database = mariaDbWriter(db);
  configureDatabase(writer, options, scratchFolder);
}
