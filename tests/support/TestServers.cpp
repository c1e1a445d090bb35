#include "support/TestServers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& what) {
  throw std::runtime_error(what.toStdString());
}

QString tool(const char* path, const char* package) {
  const QString p = QString::fromUtf8(path);
  if (p.isEmpty() || p.endsWith(QLatin1String("NOTFOUND")) || !QFileInfo(p).exists())
    fail(QStringLiteral("%1 is missing: install %2 (scripts/setup)").arg(p, QString::fromUtf8(package)));
  return p;
}

int freePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (s >= 0) ::close(s);
    fail(QStringLiteral("no free loopback port"));
  }
  ::close(s);
  return ntohs(address.sin_port);
}

bool portAnswers(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(quint16(port));
  const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(s);
  return ok;
}

// A process that has ended but waits for its parent to collect it counts as gone.
bool alive(qint64 pid) {
  if (pid <= 0 || ::kill(pid_t(pid), 0) != 0) return false;
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return true;
  const QByteArray text = stat.readAll();
  const qsizetype close = text.lastIndexOf(')');
  return !(close > 0 && text.size() > close + 2 && text.at(close + 2) == 'Z');
}

QString readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail(QStringLiteral("cannot write %1").arg(path));
  f.write(data);
}

QString newFolder(const char* what) {
  QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/jumpboard-%1-XXXXXX").arg(QString::fromUtf8(what)));
  if (!dir.isValid()) fail(QStringLiteral("no temp folder for the %1 server").arg(QString::fromUtf8(what)));
  dir.setAutoRemove(false);
  return dir.path();
}

// Runs a tool to its end; throws with its output when it fails.
void run(const QString& program, const QStringList& arguments, const QProcessEnvironment& env = {}) {
  QProcess p;
  if (!env.isEmpty()) p.setProcessEnvironment(env);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, arguments);
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    p.kill();
    fail(QStringLiteral("%1 %2 failed: %3")
             .arg(program, arguments.join(u' '), QString::fromLocal8Bit(p.readAll()) + p.errorString()));
  }
}

qint64 launch(const QString& program, const QStringList& arguments, const QString& log,
              const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProgram(program);
  p.setArguments(arguments);
  p.setProcessEnvironment(env);
  p.setStandardOutputFile(log);
  p.setStandardErrorFile(log, QIODevice::Append);
  p.setStandardInputFile(QProcess::nullDevice());
  qint64 pid = 0;
  if (!p.startDetached(&pid)) fail(QStringLiteral("cannot start %1: %2").arg(program, p.errorString()));
  return pid;
}

// Polls until the server takes connections; a server that dies or takes too long fails with its log.
void waitUntilReady(qint64 pid, const QString& log, const std::function<bool()>& ready) {
  QDeadlineTimer deadline(60000);
  while (!ready()) {
    if (!alive(pid)) fail(QStringLiteral("the server ended at start-up:\n%1").arg(readAll(log)));
    if (deadline.hasExpired()) fail(QStringLiteral("the server did not start in 60 s:\n%1").arg(readAll(log)));
    QThread::msleep(50);
  }
}

QString currentUser() {
  const passwd* pw = ::getpwuid(::geteuid());
  return pw ? QString::fromLocal8Bit(pw->pw_name) : QStringLiteral("root");
}

}  // namespace

// --- any server -----------------------------------------------------------------------------------------

TestServer::~TestServer() {
  try {
    stop();
  } catch (...) {
  }
}

void TestServer::pause() const {
  if (m_pid > 0) ::kill(pid_t(m_pid), SIGSTOP);
}

void TestServer::resume() const {
  if (m_pid > 0) ::kill(pid_t(m_pid), SIGCONT);
}

void TestServer::stop() {
  if (!m_owned) return;
  m_owned = false;
  if (alive(m_pid)) {
    ::kill(pid_t(m_pid), SIGCONT);
    ::kill(pid_t(m_pid), SIGTERM);
    QDeadlineTimer deadline(20000);
    while (alive(m_pid) && !deadline.hasExpired()) QThread::msleep(20);
    if (alive(m_pid)) ::kill(pid_t(m_pid), SIGKILL);
    while (alive(m_pid)) QThread::msleep(20);
  }
  if (!m_folder.isEmpty() && m_folder.startsWith(QDir::tempPath())) QDir(m_folder).removeRecursively();
}

void TestServer::save(QSettings& state, const QString& group) const {
  state.beginGroup(group);
  state.setValue(QStringLiteral("folder"), m_folder);
  state.setValue(QStringLiteral("port"), m_port);
  state.setValue(QStringLiteral("pid"), m_pid);
  state.endGroup();
}

void TestServer::load(const QSettings& state, const QString& group) {
  m_folder = state.value(group + QStringLiteral("/folder")).toString();
  m_port = state.value(group + QStringLiteral("/port")).toInt();
  m_pid = state.value(group + QStringLiteral("/pid")).toLongLong();
  if (m_folder.isEmpty() || m_port <= 0 || m_pid <= 0)
    fail(QStringLiteral("no %1 server in %2").arg(group, state.fileName()));
}

void TestServer::adopt(const QSettings& state, const QString& group) {
  load(state, group);
  m_owned = true;
}

// --- MariaDB -------------------------------------------------------------------------------------------

std::unique_ptr<MariaDbServer> MariaDbServer::start() {
  const QString mariadbd = tool(JUMPBOARD_MARIADBD, "mariadb-server");
  const QString installDb = tool(JUMPBOARD_MARIADB_INSTALL_DB, "mariadb-server");
  const QString client = tool(JUMPBOARD_MARIADB_CLIENT, "mariadb-client");
  const QString driver = tool(JUMPBOARD_MAODBC, "odbc-mariadb");

  std::unique_ptr<MariaDbServer> server(new MariaDbServer);
  server->m_folder = newFolder("mariadb");
  server->m_owned = true;
  const QString data = server->m_folder + QStringLiteral("/data");
  const QString log = server->m_folder + QStringLiteral("/server.log");
  // Small logs and pool: test data needs no durability, and a fresh server is made in about a second.
  const QStringList common = {QStringLiteral("--no-defaults"),
                              QStringLiteral("--datadir=") + data,
                              QStringLiteral("--user=") + currentUser(),
                              QStringLiteral("--lower-case-table-names=1"),
                              QStringLiteral("--innodb-log-file-size=4M"),
                              QStringLiteral("--innodb-buffer-pool-size=32M")};
  run(installDb, common + QStringList{QStringLiteral("--auth-root-authentication-method=normal"),
                                      QStringLiteral("--skip-test-db"), QStringLiteral("--skip-name-resolve")});

  server->m_port = freePort();
  server->m_pid = launch(
      mariadbd,
      common + QStringList{QStringLiteral("--port=%1").arg(server->m_port), QStringLiteral("--bind-address=127.0.0.1"),
                           QStringLiteral("--socket=") + server->socket(),
                           QStringLiteral("--pid-file=") + server->m_folder + QStringLiteral("/pid"),
                           QStringLiteral("--character-set-server=utf8mb4"),
                           QStringLiteral("--collation-server=utf8mb4_general_ci"),
                           // clients over TCP are their address, so root@127.0.0.1
                           // is the board's account, not root@localhost
                           QStringLiteral("--skip-name-resolve"), QStringLiteral("--innodb-flush-log-at-trx-commit=0"),
                           QStringLiteral("--max-connections=400")},
      log);
  const int port = server->m_port;
  const QString socket = server->socket();
  waitUntilReady(server->m_pid, log, [port, socket] { return QFileInfo::exists(socket) && portAnswers(port); });

  // mariadb-install-db gave root@127.0.0.1 every right and no password; the board's accounts may read only.
  const char* accounts =
      "DROP USER IF EXISTS 'root'@'127.0.0.1', 'root'@'::1';"
      "CREATE USER 'root'@'127.0.0.1' IDENTIFIED BY 'tolpe';"
      "GRANT SELECT ON *.* TO 'root'@'127.0.0.1';"
      "CREATE USER 'SYSDBA'@'127.0.0.1' IDENTIFIED BY 'quillbarn';"
      "GRANT SELECT ON *.* TO 'SYSDBA'@'127.0.0.1';";
  run(client, {QStringLiteral("--no-defaults"), QStringLiteral("--socket=") + socket, QStringLiteral("--user=root"),
               QStringLiteral("--execute=") + QString::fromUtf8(accounts)});

  // The data sources of the MySQL profiles. No character set here: the layer sets the connection's own.
  QDir().mkpath(server->odbcSysDir());
  QByteArray ini;
  for (const char* dsn : {"JumpLocal", "JumpServer"}) {
    ini += QStringLiteral("[%1]\nDriver=%2\nServer=127.0.0.1\nPort=%3\nDatabase=jump\n\n")
               .arg(QString::fromUtf8(dsn), driver)
               .arg(port)
               .toUtf8();
  }
  writeFile(server->odbcIni(), ini);
  writeFile(server->odbcSysDir() + QStringLiteral("/odbcinst.ini"), {});
  return server;
}

std::unique_ptr<MariaDbServer> MariaDbServer::load(const QSettings& state, bool adopt) {
  std::unique_ptr<MariaDbServer> server(new MariaDbServer);
  if (adopt)
    server->adopt(state, QStringLiteral("mariadb"));
  else
    server->TestServer::load(state, QStringLiteral("mariadb"));
  return server;
}

void MariaDbServer::save(QSettings& state) const {
  TestServer::save(state, QStringLiteral("mariadb"));
}

QString MariaDbServer::connectionString(const QString& database) const {
  return QStringLiteral("DRIVER=%1;SERVER=127.0.0.1;PORT=%2;DATABASE=%3")
      .arg(QString::fromUtf8(JUMPBOARD_MAODBC))
      .arg(m_port)
      .arg(database);
}

QString MariaDbServer::adminConnectionString() const {
  return QStringLiteral("DRIVER=%1;SERVER=localhost;SOCKET=%2;UID=root;PWD=;CHARSET=utf8mb4")
      .arg(QString::fromUtf8(JUMPBOARD_MAODBC), socket());
}

// --- Firebird ------------------------------------------------------------------------------------------

std::unique_ptr<FirebirdServer> FirebirdServer::start() {
  const QString firebird = tool(JUMPBOARD_FIREBIRD_SERVER, "firebird3.0-server");
  const QString isql = tool(JUMPBOARD_ISQL, "firebird3.0-utils");
  const QString confDir = tool(JUMPBOARD_FIREBIRD_CONF_DIR, "firebird3.0-common");
  const QString securityDb = tool(JUMPBOARD_FIREBIRD_SECURITY_DB, "firebird3.0-server");

  std::unique_ptr<FirebirdServer> server(new FirebirdServer);
  server->m_folder = newFolder("firebird");
  server->m_owned = true;
  const QString folder = server->m_folder;
  server->m_port = freePort();

  // The client and server read their configuration from $FIREBIRD: the machine's files with this
  // server's port, address and security database.
  for (const QString& name : QDir(confDir).entryList({QStringLiteral("*.conf")}, QDir::Files)) {
    QFile source(confDir + u'/' + name);
    if (!source.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read %1").arg(source.fileName()));
    QByteArray text;
    for (const QByteArray& line : source.readAll().split('\n')) {
      const QByteArray key = line.trimmed().split('=').value(0).trimmed().toLower();
      if (name == QLatin1String("firebird.conf") &&
          (key == "remoteserviceport" || key == "remotebindaddress" || key == "securitydatabase"))
        continue;
      // The alias keeps its block of settings below it; only its file changes.
      if (name == QLatin1String("databases.conf") && key == "security.db") {
        text += QStringLiteral("security.db = %1/security.fdb\n").arg(folder).toUtf8();
        continue;
      }
      text += line + '\n';
    }
    if (name == QLatin1String("firebird.conf"))
      // SecurityDatabase too: without it the users below would be set in the machine's security database.
      text +=
          QStringLiteral("RemoteServicePort = %1\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = %2/security.fdb\n")
              .arg(server->m_port)
              .arg(folder)
              .toUtf8();
    // The character set module is named in fbintl.conf as $(root)/intl/fbintl, and the root is $FIREBIRD.
    // A copy, not a link: through a link the module loads but its character sets (SJIS_0208 among them)
    // stay "not installed".
    if (name == QLatin1String("fbintl.conf")) {
      const QString intl = tool(JUMPBOARD_FIREBIRD_INTL_DIR, "firebird3.0-server-core");
      QDir().mkpath(folder + QStringLiteral("/intl"));
      writeFile(folder + QStringLiteral("/intl/") + name, text);
      if (!QFile::copy(intl + QStringLiteral("/libfbintl.so"), folder + QStringLiteral("/intl/libfbintl.so")))
        fail(QStringLiteral("cannot copy %1/libfbintl.so").arg(intl));
    }
    writeFile(folder + u'/' + name, text);
  }
  if (!QFile::copy(securityDb, folder + QStringLiteral("/security.fdb")))
    fail(QStringLiteral("cannot copy %1").arg(securityDb));
  QFile::setPermissions(folder + QStringLiteral("/security.fdb"), QFile::ReadOwner | QFile::WriteOwner);
  QDir().mkpath(folder + QStringLiteral("/lock"));

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("FIREBIRD"), folder);
  env.insert(QStringLiteral("FIREBIRD_LOCK"), folder + QStringLiteral("/lock"));
  env.remove(QStringLiteral("ISC_USER"));
  env.remove(QStringLiteral("ISC_PASSWORD"));

  writeFile(folder + QStringLiteral("/users.sql"),
            "CREATE OR ALTER USER SYSDBA PASSWORD 'quillbarn';\n"
            "CREATE OR ALTER USER ROOT PASSWORD 'tolpe';\n"
            "COMMIT;\n");
  run(isql,
      {QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
       QStringLiteral("-i"), folder + QStringLiteral("/users.sql"), folder + QStringLiteral("/security.fdb")},
      env);

  const QString log = folder + QStringLiteral("/server.log");
  server->m_pid = launch(firebird, {}, log, env);
  const int port = server->m_port;
  waitUntilReady(server->m_pid, log, [port] { return portAnswers(port); });
  return server;
}

std::unique_ptr<FirebirdServer> FirebirdServer::load(const QSettings& state, bool adopt) {
  std::unique_ptr<FirebirdServer> server(new FirebirdServer);
  if (adopt)
    server->adopt(state, QStringLiteral("firebird"));
  else
    server->TestServer::load(state, QStringLiteral("firebird"));
  return server;
}

void FirebirdServer::save(QSettings& state) const {
  TestServer::save(state, QStringLiteral("firebird"));
}

QString FirebirdServer::url(const QString& path) const {
  return QStringLiteral("127.0.0.1/%1:%2").arg(m_port).arg(path);
}

// --- the shared pair -----------------------------------------------------------------------------------

QString sharedServersStateFile() {
  return qEnvironmentVariable("JUMPBOARD_TEST_SERVERS");
}

namespace {

template <class Server>
const Server& shared() {
  // Destroyed at exit: a pair this process started stops with it; the fixture's pair stays.
  static const std::unique_ptr<Server> server = [] {
    const QString stateFile = sharedServersStateFile();
    if (stateFile.isEmpty()) return Server::start();
    if (!QFileInfo::exists(stateFile))
      fail(QStringLiteral("JUMPBOARD_TEST_SERVERS names %1, which the fixture engine_servers has not written")
               .arg(stateFile));
    const QSettings state(stateFile, QSettings::IniFormat);
    auto loaded = Server::load(state);
    if (!alive(loaded->pid())) fail(QStringLiteral("the shared server %1 is not running").arg(loaded->pid()));
    return loaded;
  }();
  return *server;
}

}  // namespace

const MariaDbServer& sharedMariaDb() {
  const MariaDbServer& server = shared<MariaDbServer>();
  static const bool configured = [&server] {
    // unixODBC reads these when a connection is made; no data source of the machine can leak in.
    qputenv("ODBCINI", QFile::encodeName(server.odbcIni()));
    qputenv("ODBCSYSINI", QFile::encodeName(server.odbcSysDir()));
    return true;
  }();
  (void)configured;
  return server;
}

const FirebirdServer& sharedFirebird() {
  return shared<FirebirdServer>();
}
