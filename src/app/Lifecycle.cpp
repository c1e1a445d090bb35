// Start-up, the timer and closing: the window's life from creation to the end of the program.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "app/TFedit.h"
#include "platform/db/DatabaseError.h"
#include "platform/settings/IniFile.h"
#include "platform/ui/Guard.h"
#include "platform/ui/RadioGroup.h"
#include "ui_FmDisp.h"

namespace {
const QString kSection = QStringLiteral("Skylpr");
}

void TFedit::FormCreate() {
  {
    const IniFile FIniFile(m_settingsPath);
    FDbType = FIniFile.readString(kSection, QStringLiteral("DbType"), QStringLiteral("Interbase"));
    FDbDir = FIniFile.readString(kSection, QStringLiteral("DbDir"), QStringLiteral("local"));
  }
  m_ui->RGdb->setItemIndex(-1);
  m_ui->RGdbi->setItemIndex(-1);
  m_ui->Panel5->setGeometry(rect());
  m_ui->Panel5->raise();
}

void TFedit::FormShow() {
  ClearDisplay();
  try {
    // Selecting the remembered choice runs its handler, which connects.
    if (FDbType == QLatin1String("MySQL")) {
      m_ui->RGdb->setItemIndex(FDbDir == QLatin1String("local") ? 0 : 1);
    } else {
      m_ui->RGdbi->setItemIndex(FDbDir == QLatin1String("local") ? 0 : 1);
    }
    Timer1->start();
  } catch (const std::exception&) {
    // A database that cannot be reached at start-up leaves the timer off; the panel stays up for
    // another choice.
  }
  runGuarded(this, [this] {
    qWork1.clearSql();
    qWork1.addLine(QStringLiteral("select tcode,tstno from newzek"));
    qWork1.open();
    Query1.clearSql();
    Query1.addLine(QStringLiteral("SELECT HON FROM HON"));
    Query1.open();
    Query2.clearSql();
    Query2.addLine(QStringLiteral("SELECT NZEK,tstno,sumi FROM NEWZEK"));
    Query2.open();
    m_ui->Panel3->move(48, 16);
    m_ui->Panel6->move(m_ui->Panel6->x(), 16);
    UpdateDisplay();
  });
}

void TFedit::FormClose() {
  IniFile FIniFile(m_settingsPath);
  FIniFile.writeString(kSection, QStringLiteral("DbType"), FDbType);
  FIniFile.writeString(kSection, QStringLiteral("Dbdir"), FDbDir);
}

void TFedit::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (m_shown) return;
  m_shown = true;
  m_showing = true;
  FormShow();
  centreOnScreen();
  m_showing = false;
  if (m_closeWhenShown) {
    // A refresh failed during start-up. Closed inside its own show, the window would come up hidden
    // and the program would not end; it closes once it is up.
    QMetaObject::invokeMethod(
        this,
        [this] {
          close();
          m_failureMessageUp = false;
        },
        Qt::QueuedConnection);
  }
}

void TFedit::closeEvent(QCloseEvent* event) {
  try {
    FormClose();
    event->accept();
  } catch (const std::exception& e) {
    // The choice could not be saved: the window stays open and says why.
    event->ignore();
    Dialogs::showError(this, QString::fromUtf8(e.what()));
  }
}

void TFedit::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_ui->Panel5->setGeometry(rect());
}

void TFedit::Button4Click() {
  close();
}

void TFedit::Timer1Timer() {
  UpdateDisplay();
}

void TFedit::centreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void TFedit::setOuterHeight(int outer) {
  // The frame is known once the window manager has decorated the window; before that, estimate the
  // title bar from the style.
  int decoration = frameGeometry().height() - geometry().height();
  if (decoration <= 0 && !isVisible()) decoration = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  resize(width(), outer - decoration);
}
