#pragma once

#include <QString>
#include <QStringList>

// What dblayer.ini says about one alias: which Qt SQL driver serves it, how the database names that the
// connection profiles hand over map to the names this machine uses, and extra connect options.
struct AliasConfig {
  QString driver;                        // "QIBASE", "QODBC", "QSQLITE", "QMYSQL"
  QString options;                       // handed to QSqlDatabase::setConnectOptions
  QList<QPair<QString, QString>> names;  // profile value -> local database name, in file order

  // The local name for a value handed over by a profile; an unmapped value comes back unchanged.
  // Matching ignores letter case, as the Windows paths in the profiles do.
  QString mapName(const QString& value) const;

  // Reads the section of `alias` from the file at `iniPath`. A missing file or section, or a section
  // without Driver=, gives the built-in driver: "Jump" -> QIBASE, "JumpLocal" -> QODBC, else none.
  // File format, one section per alias (names match without regard to case):
  //   [Jump]
  //   Driver=QIBASE
  //   Options=ISC_DPB_LC_CTYPE=UTF8
  //   C:\IB_data\Jump.GDB=/srv/jump/Jump.fdb
  static AliasConfig load(const QString& iniPath, const QString& alias);
};
