#include <QLineEdit>

#include "app/TFedit.h"
#include "ui_FmDisp.h"

// Empties the result fields of the board, and nothing else: names in the second row, team figures,
// the next competitor and the round label keep what they show.
void TFedit::ClearDisplay() {
  QLineEdit* const fields[] = {
      m_ui->eZek,    m_ui->eCode,  m_ui->eName,   m_ui->eSyoz,                   //
      m_ui->eAA,     m_ui->eAL,    m_ui->eAO,     m_ui->eAT,                     // judge A
      m_ui->eBA,     m_ui->eBL,    m_ui->eBO,     m_ui->eBT,                     // judge B
      m_ui->eCA,     m_ui->eCL,    m_ui->eCO,     m_ui->eCT,                     // judge C
      m_ui->eDA,     m_ui->eDL,    m_ui->eDO,     m_ui->eDT,                     // judge D
      m_ui->eEA,     m_ui->eEL,    m_ui->eEO,     m_ui->eET,                     // judge E
      m_ui->eSpeed1, m_ui->eDist1, m_ui->eDistP1, m_ui->eJudge1, m_ui->eTotal1,  // first round
      m_ui->eSpeed2, m_ui->eDist2, m_ui->eDistP2, m_ui->eJudge2, m_ui->eTotal2,  // second round
      m_ui->eSougou, m_ui->Erank1, m_ui->Erank2,  m_ui->Erankt,                  // total, ranks
  };
  for (QLineEdit* field : fields) field->clear();
}
