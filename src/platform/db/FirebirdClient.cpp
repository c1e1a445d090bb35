#include "platform/db/FirebirdClient.h"

#include <ibase.h>

#include <QSqlDriver>
#include <QSqlResult>
#include <QVariant>

namespace FirebirdClient {

namespace {

QString statusText(const ISC_STATUS* status) {
  QString text;
  char buffer[512];
  const ISC_STATUS* cursor = status;
  while (fb_interpret(buffer, sizeof buffer, &cursor) > 0) {
    if (!text.isEmpty()) text += QStringLiteral(" - ");
    text += QString::fromUtf8(buffer);
  }
  return text.isEmpty() ? QStringLiteral("Unable to open database") : text;
}

void addItem(QByteArray& dpb, char item, const QByteArray& value) {
  dpb.append(item);
  dpb.append(char(qMin<qsizetype>(value.size(), 255)));
  dpb.append(value.left(255));
}

}  // namespace

bool namesServer(const QString& databaseName) {
  // On this side of the client every name with a colon names a node; local files are plain paths.
  return databaseName.contains(u':');
}

QString tryAttach(const QString& databaseName, const QString& user, const QString& password, int seconds) {
  // The same user, password and character set as QIBASE sends, so a refusal reads as it would there.
  QByteArray dpb;
  dpb.append(char(isc_dpb_version1));
  addItem(dpb, isc_dpb_user_name, user.toLocal8Bit());
  addItem(dpb, isc_dpb_password, password.toLocal8Bit());
  addItem(dpb, isc_dpb_lc_ctype, QByteArrayLiteral("UTF8"));
  if (seconds > 0) {
    const ISC_LONG timeout = seconds;
    dpb.append(char(isc_dpb_connect_timeout));
    dpb.append(char(sizeof timeout));
    dpb.append(reinterpret_cast<const char*>(&timeout), sizeof timeout);
  }

  ISC_STATUS status[20] = {};
  isc_db_handle attachment = 0;
  const QByteArray name = databaseName.toLocal8Bit();
  if (isc_attach_database(status, 0, name.constData(), &attachment, short(dpb.size()), dpb.constData()) != 0) {
    return statusText(status);
  }
  isc_detach_database(status, &attachment);
  return {};
}

QByteArray columnsOf(const QSqlQuery& q) {
  const QSqlResult* result = q.result();
  if (result == nullptr) return {};
  const QVariant handle = result->handle();
  if (handle.metaType() != QMetaType::fromType<isc_stmt_handle>()) return {};
  isc_stmt_handle stmt = *static_cast<const isc_stmt_handle*>(handle.constData());
  if (stmt == 0) return {};

  static const char items[] = {isc_info_sql_select,      isc_info_sql_describe_vars, isc_info_sql_sqlda_seq,
                               isc_info_sql_type,        isc_info_sql_scale,         isc_info_sql_alias,
                               isc_info_sql_describe_end};
  for (const short size : {short(1024), short(8192), short(32767)}) {
    QByteArray answer(size, '\0');
    ISC_STATUS status[20] = {};
    if (isc_dsql_sql_info(status, &stmt, short(sizeof items), items, size, answer.data()) != 0) return {};
    // Walk the answer to its end: items with a two-byte length, or the markers that have none.
    qsizetype at = 0;
    while (at < answer.size()) {
      const char item = answer.at(at);
      if (item == isc_info_end) return answer.left(at);
      if (item == isc_info_truncated) break;  // try a larger buffer
      ++at;
      if (item == isc_info_sql_select || item == isc_info_sql_describe_end) continue;
      if (at + 2 > answer.size()) break;
      at += 2 + isc_vax_integer(answer.constData() + at, 2);
    }
  }
  return {};
}

unsigned attachmentOf(const QSqlDatabase& db) {
  if (!db.isOpen() || !db.driver()) return 0;
  const QVariant handle = db.driver()->handle();
  // QIBASE hands out its isc_db_handle, an unsigned int in this client's ABI.
  return handle.metaType() == QMetaType::fromType<isc_db_handle>()
             ? *static_cast<const isc_db_handle*>(handle.constData())
             : 0;
}

void abort(unsigned attachment) {
  if (attachment == 0) return;
  ISC_STATUS status[20] = {};
  isc_db_handle handle = attachment;
  fb_cancel_operation(status, &handle, fb_cancel_abort);
}

}  // namespace FirebirdClient
