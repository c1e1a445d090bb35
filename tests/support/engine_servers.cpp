// The CTest fixture that starts the database servers the tests share and stops them after the last test:
//   engine_servers start STATEFILE    (a state file left by an interrupted run is cleaned up first)
//   engine_servers stop STATEFILE
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <cstdio>
#include <exception>

#include "support/TestServers.h"

namespace {

void stop(const QString& stateFile) {
  if (!QFile::exists(stateFile)) return;
  {
    const QSettings state(stateFile, QSettings::IniFormat);
    for (auto load :
         {+[](const QSettings& s) -> std::unique_ptr<TestServer> { return MariaDbServer::load(s, true); },
          +[](const QSettings& s) -> std::unique_ptr<TestServer> { return FirebirdServer::load(s, true); }}) {
      try {
        load(state)->stop();
      } catch (const std::exception& e) {
        std::fprintf(stderr, "engine_servers: %s\n", e.what());
      }
    }
  }
  QFile::remove(stateFile);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3 || (args.at(1) != QLatin1String("start") && args.at(1) != QLatin1String("stop"))) {
    std::fprintf(stderr, "usage: engine_servers start|stop STATEFILE\n");
    return 2;
  }
  const QString stateFile = args.at(2);
  stop(stateFile);
  if (args.at(1) == QLatin1String("stop")) return 0;
  try {
    auto mariaDb = MariaDbServer::start();
    auto firebird = FirebirdServer::start();
    {
      QSettings state(stateFile, QSettings::IniFormat);
      mariaDb->save(state);
      firebird->save(state);
      state.sync();
      if (state.status() != QSettings::NoError) throw std::runtime_error("cannot write the state file");
    }
    std::printf("MariaDB on 127.0.0.1:%d (pid %lld), Firebird on 127.0.0.1:%d (pid %lld)\n", mariaDb->port(),
                static_cast<long long>(mariaDb->pid()), firebird->port(), static_cast<long long>(firebird->pid()));
    // The servers outlive this program; the stop step ends them.
    (void)mariaDb.release();
    (void)firebird.release();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "engine_servers: %s\n", e.what());
    stop(stateFile);
    return 1;
  }
}
