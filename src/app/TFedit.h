#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "platform/db/Database.h"
#include "platform/db/Query.h"

class QTimer;
namespace Ui {
class Fedit;
}

// The board's one window: the stored layout, the connection "DB", its six queries and the refresh timer.
// Its handlers and the refresh steps are defined in the files of their concern (app/, connection/, refresh/).
class TFedit : public QWidget {
  Q_OBJECT

 public:
  // `settingsPath` is the suite's settings file; dblayer.ini lies beside it unless `dbLayerPath` is given.
  explicit TFedit(const QString& settingsPath, const QString& dbLayerPath = {}, QWidget* parent = nullptr);
  ~TFedit() override;

  // For tests and tools: what the window holds beyond its controls.
  Database& database() { return Database1; }
  const QString& dbType() const { return FDbType; }
  const QString& dbDir() const { return FDbDir; }
  QTimer* timer() const { return Timer1; }
  const QString& settingsPath() const { return m_settingsPath; }

  int UpdateDisplay();
  void ClearDisplay();

 public slots:
  void Button4Click();
  void Timer1Timer();
  void RGdbClick();
  void RGdbiClick();
  void CuteButton1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Start-up and close (app/).
  void FormCreate();
  void FormShow();
  void FormClose();  // throws SettingsError when the file cannot be written
  void centreOnScreen();
  void setOuterHeight(int height);

  // Refresh (refresh/), in the order the steps run.
  int RunRefreshSteps();              // steps 1 to 6, then the round
  void RunRoundSteps();               // steps 7 to 23
  void ReadCompetition();             // step 1
  void ApplyLayout();                 // step 2
  void ShowJudgesMarks();             // step 7
  void ShowCompetitor();              // step 8
  void ShowTrialJump();               // step 10
  void ShowFirstRound();              // step 11
  void ReadClass();                   // class1 of the competitor on the hill (steps 12, 17, 23)
  void ReadClassAndRankFirstRound();  // steps 12 and 17, first half
  void BlankUnjudgedFirstRound();     // step 13
  void ShowTeamFirstRound();          // step 14
  void ShowPanelColour();             // step 15
  void ShowSecondRound();             // step 16
  void BlankUnrankedSecondRound();    // step 17, second half
  void ShowTeamAfterFirstRound();     // step 18
  void ShowRankSecondRound();         // step 19
  void ShowTeamSecondRound();         // step 20
  void ShowRankTotal();               // step 21
  void ShowTeamTotal();               // step 22
  void ShowNextCompetitor();          // step 23

  std::unique_ptr<Ui::Fedit> m_ui;
  QString m_settingsPath;

  Database Database1;
  Query qWork1{Database1};
  Query Query1{Database1};
  Query Query2{Database1};
  Query Qedit{Database1};
  Query Query3{Database1};
  Query Qnext{Database1};
  QTimer* Timer1 = nullptr;

  // Remembered database choice.
  QString FDbType;
  QString FDbDir;

  // Competition state, rewritten by every refresh.
  QString FTcode;
  QString FTeamNo;
  QString FMemberNo;
  QString FHon;
  QString FZek;
  // Values of one refresh.
  QString trialNo;
  QString sumiValue;
  QString classValue;

  bool m_shown = false;
  bool m_showing = false;           // inside the first show, where start-up runs
  bool m_closeWhenShown = false;    // a refresh failed during start-up: close once the window is up
  bool m_failureMessageUp = false;  // a refresh's failure message is on the screen
};
