#include "platform/db/FirebirdClient.h"

#include <ibase.h>

#include <QSqlDriver>
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
