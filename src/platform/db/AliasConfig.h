#pragma once

#include <QString>
#include <QStringList>

// What dblayer.ini says about one alias: which Qt SQL driver serves it, how the database names that the
// connection profiles hand over map to the names this machine uses, and extra connect options.
struct AliasConfig {
  QString driver;               // "QIBASE", "QODBC", "QSQLITE", "QMYSQL"
  QString options;              // handed to QSqlDatabase::setConnectOptions
  QList<QPair<QString, QString>> names;  // profile value -> local database name, in file order

  // The local name for a value handed over by a profile; an unmapped value comes back unchanged.
  // Matching ignores letter case, as the Windows paths in the profiles do.
  QString mapName(const QString& value) const;

  // Reads the section of `alias` from the file at `iniPath`. A missing file or section gives the
  // built-in default: "Jump" -> QIBASE, "JumpLocal" -> QODBC, anything else -> no driver.
  static AliasConfig load(const QString& iniPath, const QString& alias);
};
