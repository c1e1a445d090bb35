#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVector>
#include <optional>

// Reads the rows of a statement that Qt's QODBC driver has run, straight from its statement handle.
// MariaDB Connector/ODBC 3.1 reports too short a length for some wide texts ("土屋ホーム" comes with a
// length of 4 characters though all 5 are in the buffer, terminator included), and QODBC cuts the value
// to the length reported. Here the terminator the driver writes decides.
namespace OdbcRows {

// Every row of the executed query `q`, each value as valueText() prints it; nullopt when `q` is not an
// ODBC statement. Throws DatabaseError with the driver's message when a fetch fails.
std::optional<QVector<QStringList>> read(const QSqlQuery& q, const QSqlRecord& record, const QString& statement);

}  // namespace OdbcRows
