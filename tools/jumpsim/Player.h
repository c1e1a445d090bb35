#pragma once

#include <QList>
#include <QString>
#include <array>
#include <deque>
#include <functional>
#include <optional>

#include "Random.h"
#include "Scoring.h"
#include "StartList.h"

class Writer;

// What one write of the results program puts into the database.
enum class Write {
  Round,             // HON's round code ("X" preparing or a break, "3", "1", "2"); nobody on the hill
  SecondRoundOrder,  // st2 for those who jump the second round
  OnHill,            // NEWZEK names the next jumper; the judges' tables are emptied
  Speed,
  Distance,
  DistancePoints,
  Judge,  // one judge's row (JUDGEA .. JUDGEE)
  StylePoints,
  Total,       // the round's points (and in the second round the total of both)
  TeamPoints,  // the team's points on every member's row and in DANTAI
  Done,        // NEWZEK.sumi "D": the jump is complete
  Final,       // the event's final totals
};

// One write, planned: what it is, whom it concerns and how long the hill takes before it happens.
struct Step {
  Write kind = Write::Round;
  double delay = 0;              // before this write, as a share of one jump's time
  QString label;                 // what it does, for the log (what it did, once played)
  bool headline = false;         // shown in the log of a live run too, not only step by step
  int event = -1;                // index of the event in Player::events()
  int competitor = -1;           // index in the event's competitors; -1 when the step concerns no jumper
  QString hon;                   // round code while this step is played
  int trial = 0;                 // trial jump number (round "3")
  int judge = -1;                // 0 .. 4 for Write::Judge
  std::function<QString()> run;  // makes the write; returns the label of what it wrote
};

// A jump as it was scored (trial jumps have only speed and distance).
struct JumpResult {
  Tenths speed = 0;
  Tenths distance = 0;
  Tenths distancePoints = 0;
  std::array<JudgeMark, 5> marks{};
  Tenths stylePoints = 0;
  Tenths total = 0;
};

struct CompetitorResult {
  std::array<std::optional<JumpResult>, 3> trial;
  std::array<std::optional<JumpResult>, 2> round;  // set once the round's total is written
  std::optional<int> st2;
};

// Plays a meeting: for each event the preparation, the trial round, the first round, the second
// round and the end, one database write at a time, in the order a results program makes them.
// The jumps come from `random`, so the same seed plays the same competition.
class Player {
 public:
  Player(Writer& writer, Random& random, QList<Event> events, int trialJumps);

  // The start lists into RACE and DANTAI, HON "X", NEWZEK and the judges' tables empty.
  void fillStartLists();

  bool atEnd();
  const Step& peek();  // the next write (plans the next phase when needed); atEnd() must be false
  Step play();         // makes the next write and returns it

  const QList<Event>& events() const { return m_events; }
  const CompetitorResult& result(int event, int competitor) const { return m_results.at(event).at(competitor); }
  // A team's points after a round (1 or 2) from its members scored so far, or in total (round 0).
  std::optional<Tenths> teamPoints(int event, const QString& tno, int round) const;

 private:
  enum class Phase { Prepare, Trial, FirstRound, SecondRound, End };
  struct Planned {
    int event;
    Phase phase;
    int trial = 0;
  };
  void plan();
  void planRound(int event, const QString& hon, double delay, const QString& what);
  void planSecondRoundOrder(int event);
  void planJump(int event, int competitor, int round);
  void planTrialJump(int event, int competitor, int trial);
  void planFinal(int event);
  Step& add(Write kind, double delay, const QString& label, std::function<QString()> run);

  QString who(int event, int competitor) const;
  QString where(int event, int competitor) const;  // "tcode=... and zek=..."
  void emptyJudges();

  Writer& m_writer;
  Random& m_random;
  QList<Event> m_events;
  int m_trialJumps;
  QList<QList<CompetitorResult>> m_results;
  std::deque<Planned> m_phases;  // what is left to plan, in order
  std::deque<Step> m_steps;
  Step m_context;  // event, jumper, round and trial of the steps being planned
};
