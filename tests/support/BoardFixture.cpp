#include "support/BoardFixture.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "platform/settings/SettingsPaths.h"
#include "platform/ui/Looks.h"
#include "platform/ui/RadioGroup.h"

DialogRecorder::DialogRecorder() {
  Dialogs::setHandler([this](Dialogs::Kind kind, const QString& text) {
    shown.push_back({kind, text});
    if (whileShown) whileShown();
  });
}

DialogRecorder::~DialogRecorder() {
  Dialogs::setHandler({});
}

QStringList DialogRecorder::texts(Dialogs::Kind kind) const {
  QStringList out;
  for (const Shown& s : shown)
    if (s.kind == kind) out << s.text;
  return out;
}

BoardFixture::BoardFixture(Engine engine, SchemaOptions options, DbLayerMap map, EngineServers servers)
    : db(engine, servers), schema(db, std::move(options)) {
  if (!m_settingsDir.isValid()) throw std::runtime_error("no temp folder for the settings file");
  db.writeDbLayerIni(map, dbLayerConfigPath(settingsPath()));
}

BoardFixture::~BoardFixture() = default;

QString BoardFixture::settingsPath() const {
  return m_settingsDir.filePath(QStringLiteral("Skycfg.ini"));
}

void BoardFixture::writeSettings(const QString& iniText) {
  QFile f(settingsPath());
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write settings");
  f.write(iniText.toUtf8());
}

QString BoardFixture::readSettings() const {
  QFile f(settingsPath());
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

void BoardFixture::create() {
  m_board = std::make_unique<TFedit>(settingsPath());
}

void BoardFixture::start() {
  create();
  m_board->show();
  // A start-up whose refresh failed closes the window once it is up, by a queued call.
  QCoreApplication::sendPostedEvents(m_board.get(), QEvent::MetaCall);
}

TFedit& BoardFixture::board() {
  if (!m_board) throw std::logic_error("BoardFixture::start() first");
  return *m_board;
}

int BoardFixture::refresh() {
  return board().UpdateDisplay();
}

bool BoardFixture::closed() const {
  return m_board && !m_board->isVisible();
}

void BoardFixture::end() {
  m_board.reset();
}

QWidget* BoardFixture::control(const char* name) const {
  if (!m_board) throw std::logic_error("BoardFixture::start() first");
  auto* w = m_board->findChild<QWidget*>(QString::fromUtf8(name));
  if (!w) {
    ADD_FAILURE() << "no control " << name;
    throw std::runtime_error(std::string("no control ") + name);
  }
  return w;
}

QString BoardFixture::text(const char* name) const {
  QWidget* w = control(name);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  ADD_FAILURE() << name << " has no text";
  return {};
}

bool BoardFixture::visible(const char* name) const {
  return control(name)->isVisibleTo(m_board.get());
}

QColor BoardFixture::colour(const char* name) const {
  return background(control(name));
}

void BoardFixture::click(const char* name) {
  auto* button = qobject_cast<QAbstractButton*>(control(name));
  if (!button) throw std::runtime_error(std::string(name) + " is not a button");
  QTest::mouseClick(button, Qt::LeftButton);
}

void BoardFixture::clickItem(const char* group, int item) {
  auto* g = qobject_cast<RadioGroup*>(control(group));
  if (!g || !g->button(item)) throw std::runtime_error(std::string(group) + " has no such item");
  QTest::mouseClick(g->button(item), Qt::LeftButton);
}
