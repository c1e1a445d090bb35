#include "Field.h"

#include <stdexcept>

namespace {

const QStringList kJudgeTables = {QStringLiteral("judgea"), QStringLiteral("judgeb"), QStringLiteral("judgec"),
                                  QStringLiteral("judged"), QStringLiteral("judgee")};

// Figures spread over the field by a fixed rule, so every run builds the same data.
int spread(int n, int factor, int range) { return (n * factor) % range; }

}  // namespace

const char* layoutName(Layout layout) { return layout == Layout::Team ? "team" : "individual"; }

const char* roundName(Round round) {
  switch (round) {
    case Round::Trial:
      return "trial";
    case Round::First:
      return "first";
    case Round::Second:
      break;
  }
  return "second";
}

QString honCode(Round round) {
  switch (round) {
    case Round::Trial:
      return QStringLiteral("3");
    case Round::First:
      return QStringLiteral("1");
    case Round::Second:
      break;
  }
  return QStringLiteral("2");
}

QString Field::figure(int tenths) { return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10); }

Field::Field(CompetitionSchema& schema, int rows) : m_schema(schema), m_rows(rows) {
  if (rows < 2) throw std::invalid_argument("a field needs at least two competitors");
  fill(kCompetition);
  fill(kOtherCompetition);
  m_schema.setOnly("hon", {{"hon", "X"}});
  m_schema.setOnly("newzek", {{"tcode", kCompetition}, {"tstno", ""}, {"nzek", bib(onHill())}, {"sumi", ""}});
  writeJudges(onHill(), 1);
}

void Field::fill(const QString& tcode) {
  EngineDb& db = m_schema.db();
  const QStringList columns = CompetitionSchema::columns(QStringLiteral("race"));
  QList<QStringList> rows;
  rows.reserve(m_rows);
  for (int n = 1; n <= m_rows; ++n) {
    const int total1 = 600 + spread(n, 37, 900);
    const int total2 = 550 + spread(n, 53, 900);
    const int team = (n - 1) / kTeamSize + 1;
    auto text = [&](const QString& value) { return db.literal(value); };
    auto fig = [&](int tenths) { return db.literal(figure(tenths)); };
    QStringList row;
    for (const QString& column : columns) {
      const QString c = column.toLower();
      if (c == u"tcode") row << text(tcode);
      else if (c == u"zek") row << text(bib(n));
      else if (c == u"code") row << text(QString::number(100000 + n));
      else if (c == u"name") row << text(QStringLiteral("選手%1").arg(n));
      else if (c == u"namek") row << text(QStringLiteral("センシュ%1").arg(n));
      else if (c == u"namee") row << text(QStringLiteral("SENSHU %1").arg(n));
      else if (c == u"syozoku") row << text(QStringLiteral("クラブ%1").arg(n % 20 + 1));
      else if (c == u"class1") row << text(className(n));
      else if (c.startsWith(u"speed") || c.startsWith(u"tspeed")) row << fig(850 + spread(n, 7, 40));
      else if (c.startsWith(u"distp")) row << fig(400 + spread(n, 13, 300));
      else if (c.startsWith(u"dist") || c.startsWith(u"tdist")) row << fig(800 + spread(n, 11, 400));
      else if (c == u"h1t" || c == u"h2t") row << fig(480 + spread(n, 3, 60));
      else if (c == u"totalp1") row << fig(total1);
      else if (c == u"totalp2") row << fig(total2);
      else if (c == u"totalpt") row << fig(total1 + total2);
      else if (c == u"tno") row << text(teamNo(n));
      else if (c == u"kno") row << text(memberNo(n));
      else if (c == u"tpoint1") row << fig(3000 + spread(team, 17, 3000));
      else if (c == u"tpoint2") row << fig(3000 + spread(team, 19, 3000));
      else if (c == u"tpointt") row << fig(6000 + spread(team, 23, 6000));
      else if (c == u"st1") row << QString::number(n);
      else if (c == u"st2") row << QString::number(m_rows - n + 1);
      else row << QStringLiteral("NULL");
    }
    rows << row;
  }
  insertRows(QStringLiteral("race"), columns, rows);

  QList<QStringList> teams;
  const int teamCount = (m_rows + kTeamSize - 1) / kTeamSize;
  for (int team = 1; team <= teamCount; ++team) {
    teams << QStringList{db.literal(tcode), db.literal(QString::number(team)),
                         db.literal(figure(3000 + spread(team, 17, 3000)))};
  }
  insertRows(QStringLiteral("dantai"), {QStringLiteral("tcode"), QStringLiteral("tno"), QStringLiteral("tpoint1")},
             teams);
}

void Field::insertRows(const QString& table, const QStringList& columns, const QList<QStringList>& rows) {
  EngineDb& db = m_schema.db();
  const QString head = QStringLiteral("insert into %1 (%2) values ").arg(table, columns.join(u','));
  // Firebird has no multi-row VALUES: one EXECUTE BLOCK per batch, kept under its 64 KB statement limit.
  const bool firebird = db.driver() == QLatin1String("QIBASE");
  const int batch = firebird ? 60 : 200;
  for (qsizetype first = 0; first < rows.size(); first += batch) {
    QStringList values;
    for (qsizetype i = first; i < std::min<qsizetype>(first + batch, rows.size()); ++i) {
      values << u'(' + rows.at(i).join(u',') + u')';
    }
    if (firebird) {
      db.exec(QStringLiteral("execute block as begin\n") + head + values.join(QStringLiteral(";\n") + head) +
              QStringLiteral(";\nend"));
    } else {
      db.exec(head + values.join(u','));
    }
  }
}

namespace {

struct IndexDef {
  const char* name;
  const char* table;
  const char* columns;
  Indexes from;  // the level that brings it
};

const IndexDef kIndexes[] = {
    {"race_tcode_zek", "race", "tcode, zek", Indexes::Lookup},
    {"race_tcode_class1", "race", "tcode, class1", Indexes::Lookup},
    {"race_tcode_totalp2", "race", "tcode, totalp2", Indexes::Ranks},
    {"race_tcode_totalpt", "race", "tcode, totalpt", Indexes::Ranks},
    {"race_tcode_tpoint1", "race", "tcode, tpoint1", Indexes::Ranks},
    {"race_tcode_tpoint2", "race", "tcode, tpoint2", Indexes::Ranks},
    {"race_tcode_tpointt", "race", "tcode, tpointt", Indexes::Ranks},
    {"dantai_tcode_tpoint1", "dantai", "tcode, tpoint1", Indexes::Ranks},
};

}  // namespace

const char* indexesName(Indexes indexes) {
  switch (indexes) {
    case Indexes::None:
      return "none";
    case Indexes::Lookup:
      return "lookup";
    case Indexes::Ranks:
      break;
  }
  return "ranks";
}

void Field::setIndexes(Indexes indexes) {
  EngineDb& db = m_schema.db();
  // MariaDB names the table in DROP INDEX; SQLite and Firebird do not take it.
  const bool mariaDb = db.driver() == QLatin1String("QODBC") || db.driver() == QLatin1String("QMYSQL");
  for (const IndexDef& index : kIndexes) {
    const bool had = m_indexes >= index.from;
    const bool wanted = indexes >= index.from;
    const QString name = QString::fromUtf8(index.name);
    const QString table = QString::fromUtf8(index.table);
    if (wanted && !had) {
      db.exec(QStringLiteral("create index %1 on %2 (%3)").arg(name, table, QString::fromUtf8(index.columns)));
    } else if (had && !wanted) {
      db.exec(QStringLiteral("drop index %1").arg(name) + (mariaDb ? QStringLiteral(" on ") + table : QString()));
    }
  }
  m_indexes = indexes;
}

void Field::writeJudges(int n, int seed) {
  for (int j = 0; j < kJudgeTables.size(); ++j) {
    const int mark = 160 + spread(n + seed + j, 7, 35) / 5 * 5;  // 16.0 .. 19.0 in half points
    m_schema.setOnly(kJudgeTables.at(j), {{"zek", bib(n)},
                                          {"name", QStringLiteral("選手%1").arg(n)},
                                          {"team", QStringLiteral("クラブ%1").arg(n % 20 + 1)},
                                          {"sumi", "D"},
                                          {"ap", figure(mark)},
                                          {"lp", figure(mark - 5)},
                                          {"op", figure(mark + 5)},
                                          {"tp", figure(3 * mark)}});
  }
}

void Field::show(Layout layout, Round round) {
  const int n = onHill();
  const QString tst = layout == Layout::Team ? tstno(n) : round == Round::Trial ? QStringLiteral("1") : QString();
  m_schema.setOnly("newzek", {{"tcode", kCompetition}, {"tstno", tst}, {"nzek", bib(n)}, {"sumi", "D"}});
  m_schema.setOnly("hon", {{"hon", honCode(round)}});
}

Simulation::Simulation(Field& field, int jumpsPerRound) : m_field(field), m_jumpsPerRound(jumpsPerRound) {
  if (jumpsPerRound > field.rows()) throw std::invalid_argument("more jumps a round than competitors");
}

void Simulation::step() {
  static const Round kRounds[] = {Round::Trial, Round::First, Round::Second};
  constexpr int kWritesPerJump = 5;
  const int perRound = 1 + m_jumpsPerRound * kWritesPerJump;  // the round code, then the jumps
  const int perCompetition = 1 + 3 * perRound;                // preparing, then three rounds
  const int seed = int(m_steps++ % 100000);
  int at = seed % (2 * perCompetition);
  const bool team = at >= perCompetition;
  const QString tcode = team ? Field::kOtherCompetition : Field::kCompetition;
  at %= perCompetition;

  CompetitionSchema& schema = m_field.schema();
  if (at == 0) {
    schema.setOnly("hon", {{"hon", "X"}});
    schema.clear("newzek");
    return;
  }
  at -= 1;
  const Round round = kRounds[at / perRound];
  at %= perRound;
  if (at == 0) {
    schema.setOnly("hon", {{"hon", honCode(round)}});
    schema.clear("newzek");
    return;
  }
  at -= 1;
  const int n = at / kWritesPerJump + 1;
  const Row where{{"tcode", tcode}, {"zek", Field::bib(n)}};
  const QString r = round == Round::Second ? QStringLiteral("2") : QStringLiteral("1");
  switch (at % kWritesPerJump) {
    case 0: {  // on the hill: the judges start empty
      for (const char* judge : {"judgea", "judgeb", "judgec", "judged", "judgee"}) schema.clear(judge);
      const QString tst = team ? Field::tstno(n) : round == Round::Trial ? QStringLiteral("1") : QString();
      schema.setOnly("newzek", {{"tcode", tcode}, {"tstno", tst}, {"nzek", Field::bib(n)}, {"sumi", ""}});
      break;
    }
    case 1:
      if (round == Round::Trial) {
        schema.update("race", {{"tspeed1", Field::figure(850 + seed % 40)}, {"tdist1", Field::figure(800 + seed % 400)}},
                      where);
      } else {
        schema.update("race", {{QStringLiteral("speed") + r, Field::figure(850 + seed % 40)}, {QStringLiteral("dist") + r, Field::figure(800 + seed % 400)}},
                      where);
      }
      break;
    case 2:
      m_field.writeJudges(n, seed);
      break;
    case 3:
      if (round != Round::Trial) {
        const QString total = Field::figure(900 + seed % 600);
        Row set{{QStringLiteral("h") + r + u't', Field::figure(500 + seed % 50)}, {QStringLiteral("totalp") + r, total}};
        if (round == Round::Second) set.push_back({"totalpt", Field::figure(1800 + seed % 1200)});
        schema.update("race", set, where);
      }
      break;
    default:
      schema.update("newzek", {{"sumi", "D"}});
      break;
  }
}
