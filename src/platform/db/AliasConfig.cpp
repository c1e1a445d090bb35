#include "platform/db/AliasConfig.h"

#include <QFile>

// Configured like libsimpleini on Debian (ICU). CSimpleIniA matches sections and keys without regard to
// case; CSimpleIniCaseA would respect it.
#if !defined(_WIN32) && !defined(SI_CONVERT_ICU) && !defined(SI_NO_CONVERSION)
#define SI_CONVERT_ICU
#endif
#include <SimpleIni.h>

namespace {

// Without a configuration the two aliases of the profiles still name their engines.
QString builtInDriver(const QString& alias) {
  if (alias.compare(QLatin1String("Jump"), Qt::CaseInsensitive) == 0) return QStringLiteral("QIBASE");
  if (alias.compare(QLatin1String("JumpLocal"), Qt::CaseInsensitive) == 0) return QStringLiteral("QODBC");
  return {};
}

int seconds(const QString& text, int fallback) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  return ok && value >= 0 ? value : fallback;
}

}  // namespace

QString AliasConfig::mapName(const QString& value) const {
  for (const auto& [from, to] : names) {
    if (from.compare(value, Qt::CaseInsensitive) == 0) return to;
  }
  return value;
}

AliasConfig AliasConfig::load(const QString& iniPath, const QString& alias) {
  AliasConfig config;
  config.driver = builtInDriver(alias);
  if (iniPath.isEmpty()) return config;

  QFile file(iniPath);
  if (!file.open(QIODevice::ReadOnly)) return config;
  const QByteArray data = file.readAll();

  // SimpleIni splits an entry at its first '=' only, so keys such as C:\IB_data\Jump.GDB stay whole
  // (QSettings would read the backslash as an escape).
  CSimpleIniA ini;
  ini.SetUnicode(true);
  if (ini.LoadData(data.constData(), size_t(data.size())) < 0) return config;

  const QByteArray section = alias.toUtf8();
  CSimpleIniA::TNamesDepend keys;
  if (!ini.GetAllKeys(section.constData(), keys)) return config;
  keys.sort(CSimpleIniA::Entry::LoadOrder());

  for (const auto& key : keys) {
    const QString name = QString::fromUtf8(key.pItem);
    const QString value = QString::fromUtf8(ini.GetValue(section.constData(), key.pItem, ""));
    if (name.compare(QLatin1String("Driver"), Qt::CaseInsensitive) == 0) {
      if (!value.isEmpty()) config.driver = value;
    } else if (name.compare(QLatin1String("Options"), Qt::CaseInsensitive) == 0) {
      config.options = value;
    } else if (name.compare(QLatin1String("ConnectTimeout"), Qt::CaseInsensitive) == 0) {
      config.connectTimeout = seconds(value, config.connectTimeout);
    } else if (name.compare(QLatin1String("ReadTimeout"), Qt::CaseInsensitive) == 0) {
      config.readTimeout = seconds(value, config.readTimeout);
    } else {
      config.names.append({name, value});
    }
  }
  return config;
}
