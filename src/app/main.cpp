#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/TFedit.h"
#include "platform/settings/SettingsPaths.h"
#include "platform/ui/Looks.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  installFontSubstitutes();

  // The suite's installer creates the settings folder; make sure it is there so that closing can save.
  const QString settings = defaultSettingsPath();
  QDir().mkpath(QFileInfo(settings).absolutePath());

  TFedit Fedit(settings);
  Fedit.show();
  return app.exec();
}
