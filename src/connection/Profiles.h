#pragma once

#include <QString>
#include <QStringList>

// The four fixed connection profiles. Their lines go to the database layer unchanged; the layer takes
// the database from "SERVER NAME" (InterBase) or "ODBC DSN" (MySQL), and "USER NAME" and "PASSWORD".
namespace Profiles {

inline const QString kInterbaseAlias = QStringLiteral("Jump");
inline const QString kMySqlAlias = QStringLiteral("JumpLocal");

inline const QString kInterbaseLocalFile = QStringLiteral("SERVER NAME=C:\\IB_data\\Jump.GDB");
inline const QString kInterbaseServerFile = QStringLiteral("SERVER NAME=G:\\Jump.GDB");

// MySQL local (item 0) or server (item 1): 18 lines; line 2 names the ODBC data source.
QStringList mySql(int item);

// InterBase: 19 lines, line 0 the local database file; the server variant differs in line 0 only.
QStringList interbase();

}  // namespace Profiles
