// The refresh: reads the state of the competition and fills the board, step by step, every 2000 ms.
#include <QLabel>
#include <QLineEdit>

#include "app/TFedit.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Looks.h"
#include "ui_FmDisp.h"

namespace {
const QString kNoRound = QStringLiteral("システム異常です。計算室に連絡してください。");
const QString kDatabaseDown = QStringLiteral("データベースが稼動していません。");
}  // namespace

int TFedit::UpdateDisplay() {
  // A tick that falls while the failure message of an earlier refresh is up starts nothing: the
  // message shows once and the window closes when it is acknowledged.
  if (m_failureMessageUp) return 0;
  trialNo.clear();
  sumiValue.clear();
  classValue.clear();
  try {
    return RunRefreshSteps();
  } catch (...) {
    m_failureMessageUp = true;
    Dialogs::showMessage(this, kDatabaseDown);
    if (m_showing) {
      m_closeWhenShown = true;  // the window closes once shown; until then no tick refreshes
      return 0;
    }
    // Still up while closing: a close that cannot save the settings shows its own error, and ticks
    // during that box must not start refreshes inside it.
    close();
    m_failureMessageUp = false;
    return 0;
  }
}

int TFedit::RunRefreshSteps() {
  ReadCompetition();  // step 1
  ApplyLayout();      // step 2

  // Step 3: the round in progress.
  Query1.close();
  Query1.open();
  if (Query1.recordCount() == 0) {
    setAutoSizedText(m_ui->lHon, kNoRound);
    ClearDisplay();
    // The second name row is emptied with the rest, so no part of the last jumper's name stays up.
    m_ui->Enamek->clear();
    m_ui->Enamee->clear();
    return -1;
  }
  FHon = Query1.fieldText(QStringLiteral("HON"));

  // Step 4: preparing.
  if (FHon == QLatin1String("X")) {
    setAutoSizedText(m_ui->lHon, QStringLiteral("準備中"));
    ClearDisplay();
    QLineEdit* const more[] = {m_ui->Enamee, m_ui->Erank1, m_ui->Erank2, m_ui->etmp1, m_ui->etmp2,
                               m_ui->etms1,  m_ui->etms2,  m_ui->etmpt,  m_ui->etmst};
    for (QLineEdit* field : more) field->clear();
    m_ui->Enamek->clear();
    return 0;
  }

  // Step 5: the round label; any other code keeps the label it had.
  if (FHon == QLatin1String("1")) {
    setAutoSizedText(m_ui->lHon, QStringLiteral("１本目"));
  } else if (FHon == QLatin1String("2")) {
    setAutoSizedText(m_ui->lHon, QStringLiteral("２本目"));
  } else if (FHon == QLatin1String("3")) {
    setAutoSizedText(m_ui->lHon, QStringLiteral("試技"));
  }
  Query1.close();

  // Step 6: the competitor on the hill; without one the board waits as it is.
  Query2.close();
  Query2.open();
  const bool onHill = Query2.recordCount() > 0;
  if (onHill) {
    FZek = Query2.fieldText(QStringLiteral("NZEK"));
    trialNo = Query2.fieldText(QStringLiteral("tstno"));
    sumiValue = Query2.fieldText(QStringLiteral("sumi"));
  }
  Query2.close();
  if (!onHill) return 0;

  RunRoundSteps();  // steps 7 to 23
  return 0;
}

void TFedit::ReadCompetition() {
  qWork1.close();
  qWork1.open();
  FTcode = qWork1.fieldText(QStringLiteral("tcode"));
  const QString tstno = qWork1.fieldText(QStringLiteral("tstno"));
  // "3-2": team 3, member 2. The member number is the one character after the first hyphen; without a
  // hyphen it is the first character.
  const int p = tstno.indexOf(u'-') + 1;
  FTeamNo = p > 1 ? tstno.left(p - 1) : QString();
  FMemberNo = tstno.mid(p, 1);
  m_ui->etno->setText(FTeamNo);
  m_ui->tkno->setText(FMemberNo);
}

void TFedit::ApplyLayout() {
  const bool team = !m_ui->etno->text().isEmpty();
  m_ui->Panel2->setVisible(team);
  m_ui->Panel3->setVisible(team);
  m_ui->Panel6->setVisible(team);
  m_ui->eCode->setVisible(!team);
  m_ui->Panel4->resize(m_ui->Panel4->width(), team ? 385 : 257);
  setOuterHeight(team ? 610 : 475);
  m_ui->Panel1->move(m_ui->Panel1->x(), team ? 474 : 344);
}

void TFedit::ShowPanelColour() {
  setBackground(m_ui->Panel4,
                sumiValue == QLatin1String("D") ? BoardColor::ResultsFrameDone : BoardColor::ResultsFrame);
}

void TFedit::RunRoundSteps() {
  ShowJudgesMarks();  // step 7
  ShowCompetitor();   // step 8
  // Step 9: the round's own steps.
  if (FHon == QLatin1String("3")) {
    ShowTrialJump();  // step 10
  } else if (FHon == QLatin1String("1")) {
    ShowFirstRound();              // step 11
    ReadClassAndRankFirstRound();  // step 12
    BlankUnjudgedFirstRound();     // step 13
    ShowTeamFirstRound();          // step 14
    ShowPanelColour();             // step 15
  } else {
    ShowSecondRound();             // step 16
    ReadClassAndRankFirstRound();  // step 17
    BlankUnrankedSecondRound();    // step 17
    ShowTeamAfterFirstRound();     // step 18
    ShowRankSecondRound();         // step 19
    ShowTeamSecondRound();         // step 20
    ShowRankTotal();               // step 21
    ShowTeamTotal();               // step 22
  }
  ShowNextCompetitor();  // step 23
}
