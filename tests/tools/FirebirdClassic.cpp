#include "FirebirdClassic.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

QString useClassicFirebird() {
  static QTemporaryDir folder;
  static bool done = false;
  if (done) return folder.filePath(QStringLiteral("firebird"));
  if (!folder.isValid()) throw std::runtime_error("no temp folder for the Firebird configuration");

  const QDir system(QStringLiteral("/etc/firebird/3.0"));
  const QString config = folder.filePath(QStringLiteral("firebird"));
  const QString lock = folder.filePath(QStringLiteral("lock"));
  QDir().mkpath(config);
  QDir().mkpath(lock);
  for (const QString& name : system.entryList({QStringLiteral("*.conf")}, QDir::Files)) {
    if (!QFile::copy(system.filePath(name), QDir(config).filePath(name))) {
      throw std::runtime_error("cannot copy the Firebird configuration " + name.toStdString());
    }
  }
  QFile conf(QDir(config).filePath(QStringLiteral("firebird.conf")));
  if (!conf.open(QIODevice::Append)) throw std::runtime_error("cannot write the private firebird.conf");
  conf.write("\nServerMode = Classic\n");
  conf.close();

  qputenv("FIREBIRD", QFile::encodeName(config));
  qputenv("FIREBIRD_LOCK", QFile::encodeName(lock));
  done = true;
  return config;
}
