#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "Jumps.h"
#include "Random.h"
#include "Scoring.h"

// One competitor's RACE row as the start list has it, and the athlete behind it.
struct Competitor {
  QString zek;      // bib
  QString code;     // competitor code
  QString name;     // kanji
  QString namek;    // kana
  QString namee;    // romaji
  QString syozoku;  // affiliation; in team events the team
  QString class1;
  QString tno;  // team number, team events only
  QString kno;  // member number within the team
  int st1 = 0;  // start order of the trial and first round
  Jumper jumper;

  QString tstno() const { return tno.isEmpty() ? QString() : tno + u'-' + kno; }  // NEWZEK's 3-2
};

struct Team {
  QString tno;
  QString name;
};

// One competition of the meeting: its code, hill and start list (competitors in st1 order).
struct Event {
  QString tcode;
  QString title;
  bool team = false;
  Hill hill{};
  QStringList classes;  // in the order they start
  QList<Competitor> competitors;
  QList<Team> teams;  // in team start order
};

// Individual event: two classes, the juniors ("少年", 10 jumpers) before the seniors ("成年", 32),
// each in drawn order on a normal hill (K 90, 2.0 points per metre); bibs follow the start order.
inline constexpr int kJuniors = 10;
inline constexpr int kSeniors = 32;
Event individualEvent(Random& random, const QString& tcode);

// Team event: six teams of four on a large hill (K 120, 1.8 points per metre). The first members of
// all teams jump, then the second members, and so on; team 3's second member has bib 32 and NEWZEK's
// team and member number 3-2. Every member's class is "団体".
inline constexpr int kTeams = 6;
inline constexpr int kTeamSize = 4;
Event teamEvent(Random& random, const QString& tcode);

// The competitors who jump the second round, in their second-round start order (st2 = index + 1).
// Individual: in each class, in the classes' start order, the best 30 by first-round points (all who
// tie with the 30th as well), the lowest placed first and the leader last. Team: every team, member
// group by member group, the team placed lowest after the first round first. `firstRoundPoints`
// gives the first-round points of the competitor at an index of `event.competitors`, `teamPoints` a
// team's (by tno).
inline constexpr int kSecondRoundPlaces = 30;
QList<int> secondRoundOrder(const Event& event, const std::function<Tenths(int)>& firstRoundPoints,
                            const std::function<Tenths(const QString&)>& teamPoints);
