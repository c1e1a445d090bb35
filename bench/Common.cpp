#include "Common.h"

#include <QApplication>
#include <chrono>
#include <stdexcept>

#include "platform/db/Query.h"
#include "platform/ui/Looks.h"

std::vector<Engine> selectEngines(const QString& names) {
  const std::vector<Engine> all = testEngines();
  if (names.trimmed().isEmpty()) return all;
  std::vector<Engine> chosen;
  for (const QString& name : names.split(u',', Qt::SkipEmptyParts)) {
    bool found = false;
    for (Engine engine : all) {
      if (name.trimmed().compare(QString::fromUtf8(engineName(engine)), Qt::CaseInsensitive) == 0) {
        chosen.push_back(engine);
        found = true;
      }
    }
    if (!found) {
      throw std::invalid_argument("no engine '" + name.toStdString() + "'; the fixtures offer " +
                                  engineNames(all).toStdString());
    }
  }
  return chosen;
}

QString engineNames(const std::vector<Engine>& engines) {
  QStringList names;
  for (Engine engine : engines) names << QString::fromUtf8(engineName(engine));
  return names.join(u',');
}

QString selectOneStatement(const QString& driver) {
  return driver == QLatin1String("QIBASE") ? QStringLiteral("select 1 from rdb$database")
                                           : QStringLiteral("select 1");
}

double selectOneMicros(Database& db, const QString& driver, int times) {
  Query query(db);
  query.setSql({selectOneStatement(driver)});
  query.open();  // connects and warms up
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < times; ++i) query.open();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / times;
}

void prepareBoardApplication() {
  // A board that closes must not end the program that measures it.
  QApplication::setQuitOnLastWindowClosed(false);
  installFontSubstitutes();
}

QString cell(double value, int width, int decimals) {
  return QStringLiteral("%1").arg(value, width, 'f', decimals);
}

QString cell(const QString& text, int width) { return QStringLiteral("%1").arg(text, width); }
