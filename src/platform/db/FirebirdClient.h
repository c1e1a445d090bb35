#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The two things the board needs from the Firebird client that Qt's QIBASE driver does not offer: a
// bounded wait for a server that does not answer (QIBASE hands the client no connect timeout, so the
// client's own 180 s apply), and breaking off a statement that waits on a server that stopped answering
// (an established connection has no read timeout at all).
namespace FirebirdClient {

// The name leads to a server ("host:path", "host/port:path", "inet://...") rather than a local file.
bool namesServer(const QString& databaseName);

// Attaches with a connect timeout of `seconds` and detaches at once. Returns the client's message when
// the server cannot be reached or refuses the user, an empty string when it let the user in.
QString tryAttach(const QString& databaseName, const QString& user, const QString& password, int seconds);

// The columns of a statement QIBASE has run, as the client describes them: each column's position,
// type, scale and name, in the client's own encoding. Equal descriptions mean equal columns. Empty
// when `q` is no QIBASE statement or the client cannot describe it.
QByteArray columnsOf(const QSqlQuery& q);

// The attachment behind an open QIBASE connection, for abort(); 0 when there is none.
unsigned attachmentOf(const QSqlDatabase& db);

// Breaks off whatever runs on the attachment, from any thread: its socket is closed, the waiting call
// returns with a network error and the attachment is of no further use.
void abort(unsigned attachment);

}  // namespace FirebirdClient
