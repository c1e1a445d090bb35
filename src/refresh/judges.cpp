#include <QLineEdit>

#include "app/TFedit.h"
#include "data/Statements.h"
#include "ui_FmDisp.h"

// Step 7: the twenty style marks, judge by judge, each row from the column its letter names
// ("着地" is op, "アウトラン" is lp).
void TFedit::ShowJudgesMarks() {
  Qedit.setSql(statements::judgesMarks());
  Qedit.open();

  // clang-format off
  const struct {
    QLineEdit* field;
    const char16_t* column;
  } marks[] = {
      {m_ui->eAA, u"AAP"}, {m_ui->eAO, u"AOP"}, {m_ui->eAL, u"ALP"}, {m_ui->eAT, u"ATP"},
      {m_ui->eBA, u"BAP"}, {m_ui->eBO, u"BOP"}, {m_ui->eBL, u"BLP"}, {m_ui->eBT, u"BTP"},
      {m_ui->eCA, u"CAP"}, {m_ui->eCO, u"COP"}, {m_ui->eCL, u"CLP"}, {m_ui->eCT, u"CTP"},
      {m_ui->eDA, u"DAP"}, {m_ui->eDO, u"DOP"}, {m_ui->eDL, u"DLP"}, {m_ui->eDT, u"DTP"},
      {m_ui->eEA, u"EAP"}, {m_ui->eEO, u"EOP"}, {m_ui->eEL, u"ELP"}, {m_ui->eET, u"ETP"},
  };
  // clang-format on
  for (const auto& mark : marks) mark.field->setText(Qedit.fieldText(QString::fromUtf16(mark.column)));

  Qedit.close();
}
