#include "Options.h"

#include <QCommandLineParser>

#include "platform/settings/SettingsPaths.h"

namespace {

const QString kDescription = QStringLiteral(
    "Plays a ski-jumping meeting into a competition database, as the results program would, so that the\n"
    "board (jumpboard) has something to show. It creates the competition tables, fills the start lists\n"
    "(an individual event with two classes and a team event of six teams of four), then plays the\n"
    "events live: preparing (X), trial round (3), first round (1), second round (2, the best 30 of each\n"
    "class in reverse order), the end.\n"
    "\n"
    "The database is reached as the board reaches it: by one of its four profiles and dblayer.ini\n"
    "beside its settings file, or by --driver and --database.\n"
    "\n"
    "Exit status: 0 done, 1 database failure or tables in the way, 2 wrong arguments.");

}  // namespace

ParsedOptions parseOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(kDescription);
  const QCommandLineOption help = parser.addHelpOption();

  const QCommandLineOption settings(QStringLiteral("settings"),
                                    QStringLiteral("The board's settings file (default %1); its remembered database "
                                                   "choice is the default profile, and dblayer.ini lies beside it.")
                                        .arg(defaultSettingsPath()),
                                    QStringLiteral("file"));
  const QCommandLineOption dblayer(QStringLiteral("dblayer"), QStringLiteral("dblayer.ini to use instead."),
                                   QStringLiteral("file"));
  const QCommandLineOption profile(
      QStringLiteral("profile"),
      QStringLiteral("One of the board's profiles: %1.").arg(kProfileNames.join(QStringLiteral(", "))),
      QStringLiteral("name"));
  const QCommandLineOption driver(
      QStringLiteral("driver"), QStringLiteral("Qt SQL driver (QIBASE, QSQLITE, QODBC, QMYSQL), instead of a profile."),
      QStringLiteral("driver"));
  const QCommandLineOption database(QStringLiteral("database"),
                                    QStringLiteral("Database for --driver: a file, host:file, or an ODBC data source."),
                                    QStringLiteral("name"));
  const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User for --driver (default SYSDBA)."),
                                QStringLiteral("name"));
  const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Password for --driver."),
                                    QStringLiteral("text"));
  const QCommandLineOption create(
      QStringLiteral("create-database"),
      QStringLiteral("Create the database file first when it is missing (SQLite, or a local "
                     "Firebird file through isql-fb)."));
  const QCommandLineOption replace(QStringLiteral("replace"),
                                   QStringLiteral("Drop competition tables that exist and create them anew."));
  const QCommandLineOption keep(QStringLiteral("keep"),
                                QStringLiteral("Use the competition tables that exist, emptied."));
  const QCommandLineOption events(QStringLiteral("event"),
                                  QStringLiteral("Which events: individual, team or both (default both)."),
                                  QStringLiteral("which"), QStringLiteral("both"));
  const QCommandLineOption seed(QStringLiteral("seed"),
                                QStringLiteral("Seed of start lists and jumps; the same seed plays the same meeting "
                                               "(default 1)."),
                                QStringLiteral("number"), QStringLiteral("1"));
  const QCommandLineOption trials(QStringLiteral("trials"),
                                  QStringLiteral("Trial jumps per competitor, 0 to 3 (default 1)."),
                                  QStringLiteral("count"), QStringLiteral("1"));
  const QCommandLineOption pace(
      QStringLiteral("pace"), QStringLiteral("Seconds per jump when playing live; 0 plays at full speed (default 5)."),
      QStringLiteral("seconds"), QStringLiteral("5"));
  const QCommandLineOption step(QStringLiteral("step"),
                                QStringLiteral("Step mode: make one write per line read from standard input (a number "
                                               "makes that many, q stops)."));
  const QCommandLineOption noPlay(QStringLiteral("no-play"),
                                  QStringLiteral("Only create the tables and fill the start lists (HON X)."));
  const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Log every write, not only each jump."));
  const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("Log nothing but failures."));
  parser.addOptions({settings, dblayer, profile, driver, database, user, password, create, replace, keep, events, seed,
                     trials, pace, step, noPlay, verbose, quiet});

  ParsedOptions parsed;
  parsed.helpText = parser.helpText();
  if (!parser.parse(arguments)) {
    parsed.error = parser.errorText();
    return parsed;
  }
  if (parser.isSet(help)) {
    parsed.help = true;
    return parsed;
  }
  if (!parser.positionalArguments().isEmpty()) {
    parsed.error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
    return parsed;
  }

  Options& o = parsed.options;
  auto fail = [&](const QString& message) {
    parsed.error = message;
    return parsed;
  };

  o.settingsPath = parser.isSet(settings) ? parser.value(settings) : defaultSettingsPath();
  o.dbLayerPath = parser.value(dblayer);
  o.profile = parser.value(profile);
  o.driver = parser.value(driver);
  o.database = parser.value(database);
  o.user = parser.isSet(user) ? parser.value(user) : QStringLiteral("SYSDBA");
  o.password = parser.value(password);
  o.createDatabase = parser.isSet(create);

  if (!o.profile.isEmpty() && !kProfileNames.contains(o.profile)) {
    return fail(
        QStringLiteral("unknown profile '%1'; use one of %2").arg(o.profile, kProfileNames.join(QStringLiteral(", "))));
  }
  if (!o.profile.isEmpty() && !o.driver.isEmpty())
    return fail(QStringLiteral("--profile and --driver exclude each other"));
  if (!o.driver.isEmpty() && o.database.isEmpty()) return fail(QStringLiteral("--driver needs --database"));
  if (o.driver.isEmpty() && !o.database.isEmpty()) return fail(QStringLiteral("--database needs --driver"));
  if (o.driver.isEmpty() && (parser.isSet(user) || parser.isSet(password))) {
    return fail(QStringLiteral("--user and --password go with --driver; a profile brings its own"));
  }

  if (parser.isSet(replace) && parser.isSet(keep))
    return fail(QStringLiteral("--replace and --keep exclude each other"));
  if (parser.isSet(replace)) o.tables = Options::Tables::Replace;
  if (parser.isSet(keep)) o.tables = Options::Tables::Keep;

  const QString which = parser.value(events);
  if (which == QLatin1String("individual")) {
    o.events = Options::Events::Individual;
  } else if (which == QLatin1String("team")) {
    o.events = Options::Events::Team;
  } else if (which == QLatin1String("both")) {
    o.events = Options::Events::Both;
  } else {
    return fail(QStringLiteral("--event takes individual, team or both, not '%1'").arg(which));
  }

  bool ok = false;
  const qulonglong seedValue = parser.value(seed).toULongLong(&ok);
  if (!ok || seedValue > 0xffffffffULL) {
    return fail(QStringLiteral("--seed takes a whole number from 0 to 4294967295, not '%1'").arg(parser.value(seed)));
  }
  o.seed = std::uint32_t(seedValue);

  o.trialJumps = parser.value(trials).toInt(&ok);
  if (!ok || o.trialJumps < 0 || o.trialJumps > 3) {
    return fail(QStringLiteral("--trials takes 0, 1, 2 or 3, not '%1'").arg(parser.value(trials)));
  }

  o.pace = parser.value(pace).toDouble(&ok);
  if (!ok || !(o.pace >= 0) || o.pace > 3600) {
    return fail(QStringLiteral("--pace takes seconds per jump from 0 to 3600, not '%1'").arg(parser.value(pace)));
  }

  o.step = parser.isSet(step);
  o.play = !parser.isSet(noPlay);
  o.verbose = parser.isSet(verbose);
  o.quiet = parser.isSet(quiet);
  if (o.step && !o.play) return fail(QStringLiteral("--step and --no-play exclude each other"));
  if (o.verbose && o.quiet) return fail(QStringLiteral("--verbose and --quiet exclude each other"));
  return parsed;
}
