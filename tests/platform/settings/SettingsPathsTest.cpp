#include <gtest/gtest.h>

#include <QDir>

#include "platform/settings/SettingsPaths.h"

namespace {

// Sets or unsets XDG_CONFIG_HOME for one test and puts it back afterwards.
class XdgConfigHome {
 public:
  explicit XdgConfigHome(const QByteArray* value) : m_had(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    m_old = qgetenv("XDG_CONFIG_HOME");
    if (value) {
      qputenv("XDG_CONFIG_HOME", *value);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
  }
  ~XdgConfigHome() {
    if (m_had) {
      qputenv("XDG_CONFIG_HOME", m_old);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
  }

 private:
  bool m_had;
  QByteArray m_old;
};

TEST(SettingsPaths, UnderXdgConfigHome) {
  const QByteArray home("/srv/board/config");
  XdgConfigHome env(&home);
  EXPECT_EQ(defaultSettingsPath(), QStringLiteral("/srv/board/config/Velmon/Skyleaper/Skycfg.ini"));
}

TEST(SettingsPaths, WithoutUsableXdgConfigHomeUnderDotConfig) {
  const QString expected = QDir::homePath() + QStringLiteral("/.config/Velmon/Skyleaper/Skycfg.ini");
  {
    XdgConfigHome env(nullptr);
    EXPECT_EQ(defaultSettingsPath(), expected);
  }
  const QByteArray empty;
  const QByteArray relative("config");
  for (const QByteArray* value : {&empty, &relative}) {
    XdgConfigHome env(value);
    EXPECT_EQ(defaultSettingsPath(), expected) << "XDG_CONFIG_HOME=" << value->constData();
  }
}

TEST(SettingsPaths, DbLayerConfigLiesBesideTheSettingsFile) {
  EXPECT_EQ(dbLayerConfigPath(QStringLiteral("/srv/board/Velmon/Skyleaper/Skycfg.ini")),
            QStringLiteral("/srv/board/Velmon/Skyleaper/dblayer.ini"));
  EXPECT_EQ(dbLayerConfigPath(QStringLiteral("/Skycfg.ini")), QStringLiteral("/dblayer.ini"));
}

}  // namespace
