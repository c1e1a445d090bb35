#include "connection/Profiles.h"

namespace Profiles {

QStringList mySql(int item) {
  const bool local = item == 0;
  return {
      local ? QStringLiteral("SERVER NAME=JumpLocal") : QStringLiteral("DATABASE NAME="),
      QStringLiteral("USER NAME=root"),
      local ? QStringLiteral("ODBC DSN=JumpLocal") : QStringLiteral("ODBC DSN=JumpServer"),
      QStringLiteral("OPEN MODE=READ/WRITE"),
      QStringLiteral("BATCH COUNT=200"),
      QStringLiteral("LANGDRIVER="),
      QStringLiteral("MAX ROWS=-1"),
      QStringLiteral("SCHEMA CACHE DIR="),
      QStringLiteral("SCHEMA CACHE SIZE=8"),
      QStringLiteral("SCHEMA CACHE TIME=-1"),
      QStringLiteral("SQLPASSTHRU MODE=SHARED NOAUTOCOMMIT"),
      local ? QStringLiteral("SQLQRYMODE=SERVER") : QStringLiteral("SQLQRYMODE="),
      QStringLiteral("ENABLE SCHEMA CACHE=FALSE"),
      QStringLiteral("ENABLE BCD=FALSE"),
      QStringLiteral("ROWSET SIZE=20"),
      QStringLiteral("BLOBS TO CACHE=64"),
      QStringLiteral("BLOB SIZE=32"),
      QStringLiteral("PASSWORD=tolpe"),
  };
}

QStringList interbase() {
  return {
      kInterbaseLocalFile,
      QStringLiteral("USER NAME=SYSDBA"),
      QStringLiteral("OPEN MODE=READ/WRITE"),
      QStringLiteral("SCHEMA CACHE SIZE=8"),
      QStringLiteral("LANGDRIVER="),
      QStringLiteral("SQLQRYMODE="),
      QStringLiteral("SQLPASSTHRU MODE=SHARED AUTOCOMMIT"),
      QStringLiteral("SCHEMA CACHE TIME=-1"),
      QStringLiteral("MAX ROWS=-1"),
      QStringLiteral("BATCH COUNT=200"),
      QStringLiteral("ENABLE SCHEMA CACHE=FALSE"),
      QStringLiteral("SCHEMA CACHE DIR="),
      QStringLiteral("ENABLE BCD=FALSE"),
      QStringLiteral("BLOBS TO CACHE=64"),
      QStringLiteral("BLOB SIZE=32"),
      QStringLiteral("WAIT ON LOCKS=FALSE"),
      QStringLiteral("COMMIT RETAIN=FALSE"),
      QStringLiteral("ROLE NAME="),
      QStringLiteral("PASSWORD=quillbarn"),
  };
}

}  // namespace Profiles
