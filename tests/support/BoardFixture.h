#pragma once

// A board window on a fresh competition database of one engine, driven as the operator would.
//
//   BoardFixture f{Engine::Firebird};              // database with every competition table
//   f.schema.setOnly("hon", {{"hon", "1"}});
//   f.start();                                      // creates the window and shows it (start-up runs)
//   f.click("CuteButton1");
//   EXPECT_EQ(f.text("lHon"), u"１本目"_s);
//   f.refresh();                                    // one tick
//
// The settings file lies in a temp folder with dblayer.ini beside it, mapping the InterBase local
// profile to the fixture's database. Every modal box is answered at once and recorded in `dialogs`.

#include <QColor>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "app/TFedit.h"
#include "platform/ui/Dialogs.h"
#include "support/CompetitionSchema.h"
#include "support/EngineDb.h"

class QWidget;

// Answers every dialog at once and keeps what was shown; `whileShown` runs inside the box, as a tick
// that falls while it is up would.
class DialogRecorder {
 public:
  struct Shown {
    Dialogs::Kind kind;
    QString text;
  };
  DialogRecorder();
  ~DialogRecorder();
  DialogRecorder(const DialogRecorder&) = delete;
  DialogRecorder& operator=(const DialogRecorder&) = delete;

  std::vector<Shown> shown;
  std::function<void()> whileShown;

  QStringList texts(Dialogs::Kind kind) const;
};

class BoardFixture {
 public:
  // `servers`: a server of the test's own instead of the shared one (TestServers.h).
  explicit BoardFixture(Engine engine, SchemaOptions options = {}, DbLayerMap map = {}, EngineServers servers = {});
  ~BoardFixture();

  EngineDb db;
  CompetitionSchema schema;
  DialogRecorder dialogs;

  QString settingsPath() const;
  void writeSettings(const QString& iniText);  // before start()
  QString readSettings() const;                // the file as it is now ("" when missing)

  void create();        // creates the window without showing it
  void start();         // creates the window and shows it
  TFedit& board();      // the window (after start)
  int refresh();        // one refresh, as a tick runs it
  bool closed() const;  // the window has closed
  void end();           // destroys the window (and its connection), as the end of the program does

  QWidget* control(const char* name) const;     // fails the test when there is no such control
  QString text(const char* name) const;         // text of a field or label
  bool visible(const char* name) const;         // shown within the window
  QColor colour(const char* name) const;        // background of a field or panel
  void click(const char* name);                 // a push button
  void clickItem(const char* group, int item);  // a radio item of a choice group

 private:
  QTemporaryDir m_settingsDir;
  std::unique_ptr<TFedit> m_board;
};
