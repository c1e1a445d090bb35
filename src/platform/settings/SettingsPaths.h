#pragma once

#include <QString>

// The suite's settings file: $XDG_CONFIG_HOME/Velmon/Skyleaper/Skycfg.ini (default ~/.config/...).
QString defaultSettingsPath();

// The database layer's configuration lies beside the settings file.
QString dbLayerConfigPath(const QString& settingsPath);
