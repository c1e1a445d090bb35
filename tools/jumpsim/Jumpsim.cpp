#include "Jumpsim.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <iostream>
#include <string>
#include <thread>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <unistd.h>
#endif

#include "Player.h"
#include "Random.h"
#include "Schema.h"
#include "Writer.h"
#include "connection/Profiles.h"
#include "platform/db/AliasConfig.h"
#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/settings/IniFile.h"
#include "platform/settings/SettingsPaths.h"

namespace {

const QString kDriverAlias = QStringLiteral("Jumpsim");

// The board's remembered choice, read as the board reads it at start-up.
QString rememberedProfile(const QString& settingsPath) {
  const IniFile ini(settingsPath);
  const QString type = ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("Interbase"));
  const QString dir = ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbDir"), QStringLiteral("local"));
  const QString place = dir == QLatin1String("local") ? QStringLiteral("local") : QStringLiteral("server");
  return (type == QLatin1String("MySQL") ? QStringLiteral("mysql-") : QStringLiteral("interbase-")) + place;
}

QString findTool(const QStringList& names) {
  for (const QString& name : names) {
    const QString path = QStandardPaths::findExecutable(name);
    if (!path.isEmpty()) return path;
  }
  return {};
}

void createFirebirdFile(const QString& path, const QString& user, const QString& password) {
  const QString isql = findTool({QStringLiteral("isql-fb"), QStringLiteral("isql-fb3"), QStringLiteral("isql")});
  if (isql.isEmpty()) throw SetupError("isql-fb is not installed; it is needed to create a Firebird database");
  QDir().mkpath(QFileInfo(path).absolutePath());
  auto quoted = [](QString text) { return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\''; };
  const QString script =
      QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 DEFAULT CHARACTER SET UTF8;\n")
          .arg(quoted(path), quoted(user.isEmpty() ? QStringLiteral("SYSDBA") : user), quoted(password));
  QProcess process;
  process.start(isql, {QStringLiteral("-q")});
  process.write(script.toUtf8());
  process.closeWriteChannel();
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
      !QFileInfo::exists(path)) {
    const QString output =
        QString::fromLocal8Bit(process.readAllStandardError() + process.readAllStandardOutput()).trimmed();
    throw SetupError(QStringLiteral("isql could not create %1: %2").arg(path, output).toStdString());
  }
  // A simulator's data need no forced writes; with them every commit would wait for the disk.
  const QString gfix = findTool({QStringLiteral("gfix"), QStringLiteral("gfix-fb")});
  if (!gfix.isEmpty()) {
    QProcess::execute(gfix, {QStringLiteral("-write"), QStringLiteral("async"), path, QStringLiteral("-user"),
                             user.isEmpty() ? QStringLiteral("SYSDBA") : user});
  }
}

// Firebird's client library takes SIGINT and SIGTERM for itself: it cuts every attachment, and the
// next write dies with "invalid database handle". A handler of our own is no better, since the kernel
// may run it on one of the engine's threads and break its waits (the detach then spins for ever).
// So the two signals are blocked before the first attach, every thread the engine starts inherits
// that, and the main loop takes them between writes.
#ifdef Q_OS_UNIX
sigset_t stopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}
#endif

void holdStopSignals() {
#ifdef Q_OS_UNIX
  const sigset_t set = stopSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
#endif
}

// Waits `seconds`, or less when SIGINT or SIGTERM comes; true when one came.
bool pauseUnlessStopped(double seconds) {
#ifdef Q_OS_UNIX
  const sigset_t set = stopSignals();
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(std::max(0.0, seconds)));
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(end - Clock::now(), Clock::duration::zero()));
    const timespec timeout{time_t(left.count() / 1000000000), long(left.count() % 1000000000)};
    if (sigtimedwait(&set, nullptr, &timeout) > 0) return true;
    if (errno != EINTR || Clock::now() >= end) return false;
  }
#else
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  return false;
#endif
}

enum class Input { Line, End, Stop };

// The next line of standard input for step mode, without its line break. Read byte by byte next to a
// look at the stop signals, so that Ctrl-C ends a run that waits for the next line.
Input readInputLine(QString& line) {
#ifdef Q_OS_UNIX
  QByteArray bytes;
  for (;;) {
    if (pauseUnlessStopped(0)) return Input::Stop;
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&input, 1, 100);
    if (ready < 0 && errno != EINTR) return Input::End;
    if (ready <= 0) continue;
    char byte = 0;
    const ssize_t got = read(STDIN_FILENO, &byte, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      line = QString::fromUtf8(bytes);
      return bytes.isEmpty() ? Input::End : Input::Line;
    }
    if (byte == '\n') {
      line = QString::fromUtf8(bytes);
      return Input::Line;
    }
    bytes.append(byte);
  }
#else
  std::string text;
  if (!std::getline(std::cin, text)) return Input::End;
  line = QString::fromStdString(text);
  return Input::Line;
#endif
}

}  // namespace

void configureDatabase(Database& db, const Options& options, const QString& scratchFolder) {
  if (!options.driver.isEmpty()) {
    if (!QSqlDatabase::isDriverAvailable(options.driver)) {
      throw SetupError(QStringLiteral("the Qt SQL driver %1 is not available; available: %2")
                           .arg(options.driver, QSqlDatabase::drivers().join(QStringLiteral(", ")))
                           .toStdString());
    }
    const QString ini = QDir(scratchFolder).filePath(QStringLiteral("dblayer.ini"));
    QFile file(ini);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw SetupError("cannot write " + ini.toStdString());
    file.write(QStringLiteral("[%1]\nDriver=%2\n").arg(kDriverAlias, options.driver).toUtf8());
    file.close();
    db.setConfigPath(ini);
    db.setAliasName(kDriverAlias);
    db.setParams({QStringLiteral("SERVER NAME=") + options.database, QStringLiteral("USER NAME=") + options.user,
                  QStringLiteral("PASSWORD=") + options.password});
    return;
  }

  const QString profile = options.profile.isEmpty() ? rememberedProfile(options.settingsPath) : options.profile;
  db.setConfigPath(options.dbLayerPath.isEmpty() ? dbLayerConfigPath(options.settingsPath) : options.dbLayerPath);
  if (profile.startsWith(QLatin1String("mysql-"))) {
    db.setAliasName(Profiles::kMySqlAlias);
    db.setParams(Profiles::mySql(profile == QLatin1String("mysql-local") ? 0 : 1));
  } else {
    db.setAliasName(Profiles::kInterbaseAlias);
    db.setParams(Profiles::interbase());
    if (profile == QLatin1String("interbase-server")) db.setParam(0, Profiles::kInterbaseServerFile);
  }
}

QString resolvedDatabaseName(const Database& db) {
  QString source = db.paramValue(QStringLiteral("ODBC DSN"));
  if (source.isEmpty()) source = db.paramValue(QStringLiteral("SERVER NAME"));
  return AliasConfig::load(db.configPath(), db.aliasName()).mapName(source);
}

void createDatabaseFile(const Database& db) {
  const QString driver = db.driverName();
  const QString name = resolvedDatabaseName(db);
  if (driver == QLatin1String("QSQLITE")) {
    if (QFileInfo::exists(name)) return;
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile file(name);  // SQLite takes an empty file for an empty database
    if (!file.open(QIODevice::WriteOnly))
      throw SetupError(QStringLiteral("cannot create %1: %2").arg(name, file.errorString()).toStdString());
    return;
  }
  // host:path and host/port:path name a server's file, which only the server can make.
  if (driver == QLatin1String("QIBASE") && !name.isEmpty() && !name.contains(u':')) {
    if (!QFileInfo::exists(name)) {
      createFirebirdFile(name, db.paramValue(QStringLiteral("USER NAME")), db.paramValue(QStringLiteral("PASSWORD")));
    }
    return;
  }
  throw SetupError(
      QStringLiteral("--create-database makes SQLite files and local Firebird files only, not %1 database '%2'")
          .arg(driver.isEmpty() ? QStringLiteral("an unknown") : driver, name)
          .toStdString());
}

QList<Event> makeEvents(Random& random, Options::Events which) {
  QList<Event> events;
  if (which != Options::Events::Team) events.append(individualEvent(random, QStringLiteral("101")));
  if (which != Options::Events::Individual) events.append(teamEvent(random, QStringLiteral("201")));
  return events;
}

int runJumpsim(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  const ParsedOptions parsed = parseOptions(arguments);
  if (parsed.help) {
    out << parsed.helpText << Qt::flush;
    return 0;
  }
  if (!parsed.error.isEmpty()) {
    err << "jumpsim: " << parsed.error << "\nTry 'jumpsim --help'.\n" << Qt::flush;
    return 2;
  }
  const Options& o = parsed.options;
  auto log = [&](const QString& line) {
    if (!o.quiet) out << line << Qt::endl;
  };

  QTemporaryDir scratch;
  Database db;
  QString target;
  try {
    configureDatabase(db, o, scratch.path());
    target = QStringLiteral("%1 database %2").arg(db.driverName(), resolvedDatabaseName(db));
    if (o.createDatabase) createDatabaseFile(db);
  } catch (const SetupError& e) {
    err << "jumpsim: " << QString::fromUtf8(e.what()) << Qt::endl;
    return o.driver.isEmpty() || QSqlDatabase::isDriverAvailable(o.driver) ? 1 : 2;
  }

  holdStopSignals();
  try {
    db.connect();
  } catch (const DatabaseError& e) {
    err << "jumpsim: cannot reach " << target << " (alias " << db.aliasName() << "): " << e.message() << Qt::endl;
    return 1;
  }

  int written = 0;
  try {
    Writer writer(db);
    writer.skipDiskSync();
    const Schema::Existing mode = o.tables == Options::Tables::Replace ? Schema::Existing::Replace
                                  : o.tables == Options::Tables::Keep  ? Schema::Existing::Keep
                                                                       : Schema::Existing::Refuse;
    Schema::prepare(writer, mode);

    Random random(o.seed);
    Player player(writer, random, makeEvents(random, o.events), o.trialJumps);
    player.fillStartLists();
    log(QStringLiteral("jumpsim: start lists written to %1 (seed %2)").arg(target).arg(o.seed));
    if (!o.play) return 0;

    bool stopped = false;
    int pending = 0;  // writes still allowed by the last line read in step mode
    while (!player.atEnd()) {
      if (o.step && pending == 0) {
        out << "next: " << player.peek().label << Qt::endl;
        QString line;
        const Input input = readInputLine(line);
        if (input != Input::Line || line.trimmed() == QLatin1String("q")) {
          log(QStringLiteral("jumpsim: stopped after %1 writes").arg(written));
          return 0;
        }
        bool ok = false;
        pending = line.trimmed().toInt(&ok);
        if (!ok || pending < 1) pending = 1;
      }
      stopped = pauseUnlessStopped(o.step ? 0.0 : player.peek().delay * o.pace);
      if (stopped) break;
      const Step step = player.play();
      ++written;
      if (pending > 0) --pending;
      if (o.step || o.verbose || step.headline) log(QStringLiteral("%1 %2").arg(written).arg(step.label));
    }
    log(stopped ? QStringLiteral("jumpsim: stopped after %1 writes").arg(written)
                : QStringLiteral("jumpsim: the meeting is over after %1 writes").arg(written));
    return 0;
  } catch (const Schema::SchemaError& e) {
    err << "jumpsim: " << target << ": " << QString::fromUtf8(e.what()) << Qt::endl;
  } catch (const DatabaseError& e) {
    err << "jumpsim: database failure on " << target << " after " << written << " writes: " << e.message() << Qt::endl;
    if (!e.statement().isEmpty()) err << "  statement: " << e.statement() << Qt::endl;
  }
  return 1;
}
