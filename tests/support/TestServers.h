#pragma once

// Private database servers for the tests, each on a free loopback port in a temp folder of its own with
// its own configuration; a server goes when its object goes (SIGTERM, then SIGKILL).
//
//   const MariaDbServer& shared = sharedMariaDb();         // the one most tests share
//   auto own = FirebirdServer::start();                    // a test that stops its server starts its own
//   own->pause();                                          // SIGSTOP: the server stops answering
//
// The shared pair comes from the CTest fixture (tests/support/engine_servers.cpp, which names its state
// file in JUMPBOARD_TEST_SERVERS) or, for a test binary run by hand, is started on first use and stopped
// at exit. A server that cannot start throws std::runtime_error with the reason: no test skips for it.
//
// MariaDB: root@localhost (socket, no password) is the admin; over TCP the board's accounts root/tolpe
// (MySQL profiles) and SYSDBA/quillbarn (the InterBase profiles, when dblayer.ini sends them to
// MariaDB) may only SELECT. The private odbc.ini defines the data sources JumpLocal and JumpServer on
// this server, naming a database "jump" that is never made: which database a test reads, dblayer.ini
// says (JumpLocal;DATABASE=...).
// Firebird: SYSDBA/quillbarn (the InterBase profiles) and ROOT/tolpe (the MySQL profiles, when
// dblayer.ini sends them to Firebird) in the server's own security database.

#include <QSettings>
#include <QString>
#include <memory>

class TestServer {
 public:
  virtual ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  qint64 pid() const { return m_pid; }
  QString folder() const { return m_folder; }
  int port() const { return m_port; }
  void pause() const;   // SIGSTOP
  void resume() const;  // SIGCONT
  void stop();          // ends the process if this object started it, and removes its folder

 protected:
  TestServer() = default;
  void save(QSettings& state, const QString& group) const;
  void load(const QSettings& state, const QString& group);
  void adopt(const QSettings& state, const QString& group);  // load, then stop it with this object

  QString m_folder;
  int m_port = 0;
  qint64 m_pid = 0;
  bool m_owned = false;  // started by this object (or adopted from a stale state file): stop at the end
};

class MariaDbServer : public TestServer {
 public:
  static std::unique_ptr<MariaDbServer> start();
  static std::unique_ptr<MariaDbServer> load(const QSettings& state, bool adopt = false);
  void save(QSettings& state) const;

  QString socket() const { return m_folder + QStringLiteral("/sock"); }
  QString odbcIni() const { return m_folder + QStringLiteral("/odbc/odbc.ini"); }
  QString odbcSysDir() const { return m_folder + QStringLiteral("/odbc"); }
  // An ODBC connection string that reaches `database` on this server without a data source.
  QString connectionString(const QString& database) const;
  // The admin's connection string: root over the socket.
  QString adminConnectionString() const;

 private:
  MariaDbServer() = default;
};

class FirebirdServer : public TestServer {
 public:
  static std::unique_ptr<FirebirdServer> start();
  static std::unique_ptr<FirebirdServer> load(const QSettings& state, bool adopt = false);
  void save(QSettings& state) const;

  // The name by which a client reaches the database file `path` through this server.
  QString url(const QString& path) const;

 private:
  FirebirdServer() = default;
};

// The servers most tests share (see above). The first call of sharedMariaDb() also points the process's
// ODBC configuration (ODBCINI, ODBCSYSINI) at the server's private files.
const MariaDbServer& sharedMariaDb();
const FirebirdServer& sharedFirebird();

// Folder of the shared servers' state file, from JUMPBOARD_TEST_SERVERS ("" when not run by CTest).
QString sharedServersStateFile();
