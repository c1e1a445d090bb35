#pragma once

// A competition field for the benchmarks: `rows` RACE rows in competition T1, as many again in T2, on a
// fixture's database, and the competitor on the hill in the middle of T1's start list.
//
//   BoardFixture f{Engine::Firebird};
//   Field field{f.schema, 500};
//   field.setIndexes(Indexes::Lookup);            // RACE (tcode, zek) and (tcode, class1)
//   field.show(Layout::Team, Round::Second);      // NEWZEK and HON for that board
//
// Competitors come in classes of 50 (the next-competitor list reads one class) and teams of four;
// every row carries figures for the trial, both rounds and its team, so every step of a refresh
// finds what it reads.

#include <QString>
#include <QStringList>

#include "support/CompetitionSchema.h"

enum class Layout { Individual, Team };
enum class Round { Trial, First, Second };
// Lookup: RACE (tcode, zek) and (tcode, class1), which find the competitor and his class. Ranks: those
// and one on (tcode, column) for every total and team-points column the rank counts compare.
enum class Indexes { None, Lookup, Ranks };

const char* layoutName(Layout layout);
const char* roundName(Round round);
const char* indexesName(Indexes indexes);
QString honCode(Round round);  // "3", "1", "2"

class Field {
 public:
  static constexpr int kClassSize = 50;
  static constexpr int kTeamSize = 4;
  static inline const QString kCompetition = QStringLiteral("T1");
  static inline const QString kOtherCompetition = QStringLiteral("T2");

  Field(CompetitionSchema& schema, int rows);

  int rows() const { return m_rows; }
  Indexes indexes() const { return m_indexes; }
  void setIndexes(Indexes indexes);  // creates or drops indexes to match

  // NEWZEK (the competitor in the middle of T1) and HON for one layout and round; the judges' rows
  // hold his marks.
  void show(Layout layout, Round round);
  int onHill() const { return m_rows / 2; }

  // Row helpers, also for the soak's simulated competition.
  static QString bib(int n) { return QString::number(n); }
  static QString className(int n) { return QStringLiteral("C%1").arg((n - 1) / kClassSize + 1); }
  static QString teamNo(int n) { return QString::number((n - 1) / kTeamSize + 1); }
  static QString memberNo(int n) { return QString::number((n - 1) % kTeamSize + 1); }
  static QString tstno(int n) { return teamNo(n) + u'-' + memberNo(n); }
  static QString figure(int tenths);  // 1234 -> "123.4"

  void writeJudges(int n, int seed);  // one row per judge table for competitor n
  CompetitionSchema& schema() { return m_schema; }
  EngineDb& db() { return m_schema.db(); }

 private:
  void fill(const QString& tcode);
  void insertRows(const QString& table, const QStringList& columns, const QList<QStringList>& rows);

  CompetitionSchema& m_schema;
  int m_rows;
  Indexes m_indexes = Indexes::None;
};

// The competition going on while the soak refreshes: competitions T1 (individual) and T2 (team) in turn,
// each through preparing, trial, first and second round, `jumpsPerRound` jumpers a round, every jump
// written in the steps a results program takes (on the hill, speed and distance, judges, points,
// done). One `step()` is one write.
class Simulation {
 public:
  explicit Simulation(Field& field, int jumpsPerRound = 10);
  void step();
  long steps() const { return m_steps; }

 private:
  Field& m_field;
  int m_jumpsPerRound;
  long m_steps = 0;
};
