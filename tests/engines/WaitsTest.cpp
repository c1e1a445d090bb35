// A server that stops answering (its process stopped with SIGSTOP) ends in the board's failure path
// within the layer's timeouts (ConnectTimeout 5 s, ReadTimeout 10 s by default) instead of freezing the
// window. Each case stops a private server of its own; the figures it reaches are printed, and the only
// bound asserted is a generous ceiling, so that a regression fails instead of hanging.
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <tuple>

#include "engines/EngineProfile.h"
#include "refresh/RefreshFixture.h"
#include "support/TestServers.h"

namespace {

constexpr qint64 kCeilingMs = 30000;

enum class Moment { Statement, Connect, StartUp };
const char* momentName(Moment m) {
  switch (m) {
    case Moment::Statement:
      return "Statement";
    case Moment::Connect:
      return "Connect";
    case Moment::StartUp:
      return "StartUp";
  }
  return "";
}

// A private server of the engine, running again (SIGCONT) whatever the test does to it.
struct OwnServer {
  explicit OwnServer(Engine engine) {
    if (engine == Engine::MariaDb) {
      mariaDb = MariaDbServer::start();
      servers.mariaDb = mariaDb.get();
    } else {
      firebird = FirebirdServer::start();
      servers.firebird = firebird.get();
    }
  }
  ~OwnServer() { resume(); }
  TestServer& server() { return mariaDb ? static_cast<TestServer&>(*mariaDb) : *firebird; }
  void pause() { server().pause(); }
  void resume() { server().resume(); }

  std::unique_ptr<MariaDbServer> mariaDb;
  std::unique_ptr<FirebirdServer> firebird;
  EngineServers servers;
};

class WaitTest : public ::testing::TestWithParam<std::tuple<Engine, Moment>> {
 protected:
  Engine engine() const { return std::get<0>(GetParam()); }

  void report(const char* what, qint64 ms) {
    std::printf("[  FIGURE  ] %s, %s: %.1f s\n", engineName(engine()), what, double(ms) / 1000.0);
    RecordProperty(what, QString::number(double(ms) / 1000.0, 'f', 1).toStdString());
  }

  // The fixture's own admin connection has no timeout: the server answers again before it goes.
  void TearDown() override { own.resume(); }

  OwnServer own{engine()};
  EngineProfile profile = serverProfileOf(engine());
  BoardFixture f{engine(), {}, profile.map, own.servers};

  void competition() {
    f.writeSettings(profile.settings);
    f.schema.setOnly("hon", {{"hon", "1"}});
    f.schema.setOnly("newzek", {{"tcode", "T1"}, {"tstno", ""}, {"nzek", "12"}, {"sumi", ""}});
    f.schema.insert("race", {{"tcode", "T1"}, {"zek", "12"}, {"name", "Sato"}, {"totalp1", "120.5"}});
  }
};

TEST_P(WaitTest, AStoppedServerEndsInTheFailurePath) {
  competition();
  const Moment moment = std::get<1>(GetParam());
  QElapsedTimer clock;

  if (moment == Moment::StartUp) {
    own.pause();
    clock.start();
    f.start();
    const qint64 startUp = clock.elapsed();
    report("start-up", startUp);
    // Start-up drops the failed choice and reports the first query's failure in the error dialog.
    EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Error).size(), 1);
    EXPECT_FALSE(f.board().database().connected());
    EXPECT_LT(startUp, kCeilingMs);
    // The MySQL choice leaves the timer running: its next tick ends in the failure message.
    if (f.board().timer()->isActive()) {
      clock.restart();
      f.refresh();
      report("first tick after start-up", clock.elapsed());
      EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Message), QStringList{kDatabaseDown});
      EXPECT_TRUE(f.closed());
    }
    return;
  }

  f.start();
  ASSERT_TRUE(f.board().database().connected());
  ASSERT_EQ(f.text("eName"), u"Sato"_s);
  ASSERT_TRUE(f.dialogs.shown.empty());
  if (moment == Moment::Connect) f.board().database().disconnect();  // the next refresh connects again

  own.pause();
  clock.start();
  f.refresh();
  const qint64 refresh = clock.elapsed();
  report(moment == Moment::Connect ? "connect" : "statement", refresh);
  EXPECT_EQ(f.dialogs.texts(Dialogs::Kind::Message), QStringList{kDatabaseDown});
  EXPECT_TRUE(f.closed());
  EXPECT_LT(refresh, kCeilingMs);

  // The end of the program lets go of the connection without waiting on the stopped server.
  clock.restart();
  f.end();
  report("end of the program", clock.elapsed());
  EXPECT_LT(clock.elapsed(), kCeilingMs);
}

INSTANTIATE_TEST_SUITE_P(Servers, WaitTest,
                         ::testing::Combine(::testing::Values(Engine::FirebirdServer, Engine::MariaDb),
                                            ::testing::Values(Moment::Statement, Moment::Connect, Moment::StartUp)),
                         [](const ::testing::TestParamInfo<std::tuple<Engine, Moment>>& p) {
                           return std::string(engineName(std::get<0>(p.param))) + "_" +
                                  momentName(std::get<1>(p.param));
                         });

}  // namespace
