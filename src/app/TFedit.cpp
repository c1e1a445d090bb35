#include "app/TFedit.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "connection/Profiles.h"
#include "platform/settings/SettingsPaths.h"
#include "platform/ui/Looks.h"
#include "platform/ui/RadioGroup.h"
#include "ui_FmDisp.h"

TFedit::TFedit(const QString& settingsPath, const QString& dbLayerPath, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::Fedit>()), m_settingsPath(settingsPath) {
  // The stored layout: controls, the connection's InterBase local profile, the timer (off).
  m_ui->setupUi(this);
  applyPixelFonts(this);
  // Captions size themselves to their text: with a stand-in for the board's font a caption may be
  // wider than its stored width, and must not be cut off.
  for (QLabel* label : findChildren<QLabel*>()) {
    if (label->sizeHint().width() > label->width()) label->resize(label->sizeHint().width(), label->height());
  }
  Database1.setConfigPath(dbLayerPath.isEmpty() ? dbLayerConfigPath(settingsPath) : dbLayerPath);
  Database1.setAliasName(Profiles::kInterbaseAlias);
  Database1.setParams(Profiles::interbase());

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(2000);

  // Handlers are wired after the layout is applied, so loading it runs none of them.
  connect(Timer1, &QTimer::timeout, this, &TFedit::Timer1Timer);
  connect(m_ui->Button4, &QPushButton::clicked, this, &TFedit::Button4Click);
  connect(m_ui->CuteButton1, &QPushButton::clicked, this, &TFedit::CuteButton1Click);
  m_ui->RGdb->setOnClick([this] { RGdbClick(); });
  m_ui->RGdbi->setOnClick([this] { RGdbiClick(); });

  FormCreate();
}

TFedit::~TFedit() {
  Timer1->stop();
  Database1.disconnect();
}
