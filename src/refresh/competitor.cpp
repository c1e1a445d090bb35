#include "app/TFedit.h"
#include "data/Names.h"
#include "data/Statements.h"
#include "platform/ui/Looks.h"
#include "refresh/Fields.h"
#include "ui_FmDisp.h"

// Step 8. Qedit stays on this row for the round steps that follow.
void TFedit::ShowCompetitor() {
  Qedit.setSql(statements::competitorRow(literalTextOf(Database1), FZek, FTcode));
  Qedit.open();

  // In a team event the bib's place shows the team number; Panel3 covers it with team and member.
  m_ui->eZek->setText(FTeamNo.isEmpty() ? FZek : FTeamNo);
  m_ui->eCode->setText(Qedit.fieldText(race::CODE));
  m_ui->eName->setText(Qedit.fieldText(race::NAME));
  m_ui->Enamek->setText(Qedit.fieldText(race::namek));
  m_ui->Enamee->setText(Qedit.fieldText(race::namee));
  m_ui->eSyoz->setText(Qedit.fieldText(race::SYOZOKU));
}

// Step 10. NEWZEK's tstno carries the trial jump's number in the trial round; any other value
// leaves the first column as it was.
void TFedit::ShowTrialJump() {
  static const QString kOrdinals[] = {QStringLiteral("1st"), QStringLiteral("2nd"), QStringLiteral("3rd")};
  const int jump = trialNo == QLatin1String("1")   ? 0
                   : trialNo == QLatin1String("2") ? 1
                   : trialNo == QLatin1String("3") ? 2
                                                   : -1;
  if (jump >= 0) {
    m_ui->eSpeed1->setText(Qedit.fieldText(race::tspeed(trialNo)));
    m_ui->eDist1->setText(Qedit.fieldText(race::tdist(trialNo)));
    m_ui->Lbhon1->setText(kOrdinals[jump]);
  }

  fields::setVisible({m_ui->Lb2hon, m_ui->eSpeed2, m_ui->eDist2, m_ui->eDistP2, m_ui->eJudge2, m_ui->eTotal2,
                      m_ui->lSou, m_ui->eSougou},
                     false);
  fields::clear({m_ui->eTotal2, m_ui->eSougou});
  // The trial round shows no third name form and no rank; Erank2 and Erankt keep their visibility.
  fields::clear({m_ui->Enamee, m_ui->Erank1, m_ui->Erank2, m_ui->Erankt});
}

// Step 11. The rank after it (step 12) reads eTotal1 back.
void TFedit::ShowFirstRound() {
  m_ui->Lbhon1->setText(QStringLiteral("1st"));

  m_ui->eSpeed1->setText(Qedit.fieldText(race::SPEED1));
  m_ui->eSpeed2->clear();
  m_ui->eSpeed2->hide();
  m_ui->eDist1->setText(Qedit.fieldText(race::DIST1));
  m_ui->eDist2->clear();
  m_ui->eDist2->hide();
  m_ui->eDistP1->setText(Qedit.fieldText(race::DISTP1));
  m_ui->eDistP2->clear();
  m_ui->eDistP2->hide();
  m_ui->eJudge1->setText(Qedit.fieldText(race::H1T));
  m_ui->eJudge2->clear();
  m_ui->eJudge2->hide();
  m_ui->eTotal1->setText(Qedit.fieldText(race::TOTALP1));
  m_ui->eTotal2->clear();
  m_ui->eTotal2->hide();
  m_ui->eSougou->clear();
  m_ui->eSougou->hide();

  fields::setVisible({m_ui->Lb2hon, m_ui->lSou, m_ui->Erank2, m_ui->Erankt}, false);
  setBackground(m_ui->Erank1, BoardColor::LightYellow);
  setBackground(m_ui->eTotal1, BoardColor::LightYellow);
}

// Step 13, after the first-round rank: a jump without style points shows neither total nor rank.
void TFedit::BlankUnjudgedFirstRound() {
  if (m_ui->eJudge1->text().isEmpty()) fields::clear({m_ui->eTotal1, m_ui->Erank1});
  fields::clear({m_ui->eTotal2, m_ui->Erank2});
}

// Step 16, for every round code but "X", "1" and "3". The ranks after it read the three totals back.
void TFedit::ShowSecondRound() {
  m_ui->Lbhon1->setText(QStringLiteral("1st"));

  m_ui->eSpeed1->setText(Qedit.fieldText(race::SPEED1));
  m_ui->eSpeed2->setText(Qedit.fieldText(race::SPEED2));
  m_ui->eSpeed2->show();
  m_ui->eDist1->setText(Qedit.fieldText(race::DIST1));
  m_ui->eDist2->setText(Qedit.fieldText(race::DIST2));
  m_ui->eDist2->show();
  m_ui->eDistP1->setText(Qedit.fieldText(race::DISTP1));
  m_ui->eDistP2->setText(Qedit.fieldText(race::DISTP2));
  m_ui->eDistP2->show();
  m_ui->eJudge1->setText(Qedit.fieldText(race::H1T));
  m_ui->eJudge2->setText(Qedit.fieldText(race::H2T));
  m_ui->eJudge2->show();
  m_ui->eTotal1->setText(Qedit.fieldText(race::TOTALP1));
  m_ui->eTotal2->setText(Qedit.fieldText(race::TOTALP2));

  // The filling program writes exactly "0" for a second jump not yet made; no other spelling counts.
  if (m_ui->eTotal2->text() == QLatin1String("0")) {
    fields::clear({m_ui->eTotal2, m_ui->eSougou, m_ui->Erankt});
  } else {
    m_ui->eSougou->setText(Qedit.fieldText(race::TOTALPT));
  }

  fields::setVisible({m_ui->eTotal2, m_ui->eSougou, m_ui->Lb2hon, m_ui->lSou, m_ui->Erank2, m_ui->Erankt}, true);
  setBackground(m_ui->Erank1, windowBackground());
  setBackground(m_ui->eTotal1, windowBackground());
}
