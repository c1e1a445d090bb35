#include "platform/settings/SettingsPaths.h"

#include <QDir>
#include <QFileInfo>

QString defaultSettingsPath() {
#ifdef Q_OS_WIN
  return QStringLiteral("C:\\program files\\Velmon\\Skyleaper\\Skycfg.ini");
#else
  // As the XDG base directories say: an unset, empty or relative XDG_CONFIG_HOME means ~/.config.
  QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (configHome.isEmpty() || QDir::isRelativePath(configHome))
    configHome = QDir::homePath() + QStringLiteral("/.config");
  return QDir::cleanPath(configHome + QStringLiteral("/Velmon/Skyleaper/Skycfg.ini"));
#endif
}

QString dbLayerConfigPath(const QString& settingsPath) {
  return QDir(QFileInfo(settingsPath).path()).filePath(QStringLiteral("dblayer.ini"));
}
