// The database selection panel: the two choice groups and the confirm button.
#include <QLabel>

#include "app/TFedit.h"
#include "connection/Profiles.h"
#include "platform/db/DatabaseError.h"
#include "platform/ui/Looks.h"
#include "platform/ui/RadioGroup.h"
#include "ui_FmDisp.h"

void TFedit::RGdbClick() {
  Database1.disconnect();
  m_ui->RGdbi->setItemIndex(-1);
  const int item = m_ui->RGdb->itemIndex();
  const QStringList lines = Profiles::mySql(item);
  Database1.setParams(lines);
  Database1.setAliasName(Profiles::kMySqlAlias);
  FDbType = QStringLiteral("MySQL");
  FDbDir = item == 0 ? QStringLiteral("local") : QStringLiteral("server");
  try {
    Database1.connect();
  } catch (const DatabaseError&) {
    // An unreachable data source is not reported here; the next refresh finds it out.
  }
  setAutoSizedText(m_ui->Linfo, Database1.params().value(2));
}

void TFedit::RGdbiClick() {
  Database1.disconnect();
  if (FDbType == QLatin1String("MySQL")) {
    FDbType = QStringLiteral("Interbase");
    m_ui->RGdb->setItemIndex(-1);
    Database1.setParams(Profiles::interbase());
    Database1.setAliasName(Profiles::kInterbaseAlias);
  }
  if (m_ui->RGdbi->itemIndex() == 0) {
    Database1.setParam(0, Profiles::kInterbaseLocalFile);
    FDbDir = QStringLiteral("local");
  } else {
    Database1.setParam(0, Profiles::kInterbaseServerFile);
    FDbDir = QStringLiteral("server");
  }
  Database1.connect();  // a failure leaves the handler here: Linfo keeps its text
  setAutoSizedText(m_ui->Linfo, Database1.params().value(0));
}

void TFedit::CuteButton1Click() { m_ui->Panel5->hide(); }
