#pragma once

#include <QString>
#include <QStringList>

// What dblayer.ini says about one alias: which Qt SQL driver serves it, how the database names that the
// connection profiles hand over map to the names this machine uses, and extra connect options.
struct AliasConfig {
  // How long the board waits for a server, in seconds, unless dblayer.ini says otherwise: a server that
  // stops answering must end in the refresh's failure message, not in a frozen window.
  static constexpr int kDefaultConnectTimeout = 5;
  static constexpr int kDefaultReadTimeout = 10;

  QString driver;                        // "QIBASE", "QODBC", "QSQLITE", "QMYSQL"
  QString options;                       // handed to QSqlDatabase::setConnectOptions
  QList<QPair<QString, QString>> names;  // profile value -> local database name, in file order
  int connectTimeout = kDefaultConnectTimeout;  // ConnectTimeout=: seconds to reach the server; 0 = the driver's own
  int readTimeout = kDefaultReadTimeout;        // ReadTimeout=: seconds for one statement's answer; 0 = no limit

  // The local name for a value handed over by a profile; an unmapped value comes back unchanged.
  // Matching ignores letter case, as the Windows paths in the profiles do.
  QString mapName(const QString& value) const;

  // Reads the section of `alias` from the file at `iniPath`. A missing file or section, or a section
  // without Driver=, gives the built-in driver: "Jump" -> QIBASE, "JumpLocal" -> QODBC, else none.
  // File format, one section per alias (names match without regard to case):
  //   [Jump]
  //   Driver=QIBASE
  //   Options=ISC_DPB_SQL_ROLE_NAME=READER
  //   ConnectTimeout=5
  //   ReadTimeout=10
  //   C:\IB_data\Jump.GDB=/srv/jump/Jump.fdb
  // A timeout that is not a whole number of seconds keeps its default.
  static AliasConfig load(const QString& iniPath, const QString& alias);
};
