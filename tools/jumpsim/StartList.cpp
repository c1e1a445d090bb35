#include "StartList.h"

#include <algorithm>
#include <cmath>

#include "Names.h"

namespace {

// Six-digit registration codes, unique within the meeting's random stream.
QString drawCode(Random& random, QStringList& used) {
  QString code;
  do {
    code = QString::number(random.between(100000, 999999));
  } while (used.contains(code));
  used.append(code);
  return code;
}

// A competitor's name and registration code; the caller fills in the rest.
Competitor drawPerson(Random& random, NamePool& names, QStringList& codes) {
  const PersonName name = names.draw();
  Competitor c;
  c.code = drawCode(random, codes);
  c.name = name.kanji;
  c.namek = name.kana;
  c.namee = name.romaji;
  return c;
}

Jumper drawJumper(Random& random, double meanForm, Tenths meanSpeed) {
  Jumper jumper;
  jumper.form = meanForm + random.normal() * 5.0;
  jumper.style = std::clamp(16.8 + random.normal() * 0.7, 14.5, 18.5);
  jumper.speed = meanSpeed + Tenths(std::lround(random.normal() * 4.0));
  return jumper;
}

}  // namespace

Event individualEvent(Random& random, const QString& tcode) {
  Event event;
  event.tcode = tcode;
  event.title = QStringLiteral("individual");
  event.hill = {900, 20};
  event.classes = {QStringLiteral("少年"), QStringLiteral("成年")};

  NamePool names(random);
  const QStringList clubs = affiliations();
  QStringList codes;
  int start = 0;
  for (const QString& cls : event.classes) {
    const bool juniors = cls == event.classes.first();
    QList<Competitor> group;
    for (int i = 0; i < (juniors ? kJuniors : kSeniors); ++i) {
      Competitor c = drawPerson(random, names, codes);
      c.syozoku = clubs.at(random.between(0, int(clubs.size()) - 1));
      c.class1 = cls;
      c.jumper = drawJumper(random, juniors ? -8.0 : 0.0, 860);
      group.append(c);
    }
    random.shuffle(group);  // the draw for the start order
    for (Competitor& c : group) {
      c.st1 = ++start;
      c.zek = QString::number(c.st1);
      event.competitors.append(c);
    }
  }
  return event;
}

Event teamEvent(Random& random, const QString& tcode) {
  Event event;
  event.tcode = tcode;
  event.title = QStringLiteral("team");
  event.team = true;
  event.hill = {1200, 18};
  event.classes = {QStringLiteral("団体")};

  QStringList clubs = affiliations();
  random.shuffle(clubs);
  for (int t = 1; t <= kTeams; ++t) event.teams.append({QString::number(t), clubs.at(t - 1)});

  NamePool names(random);
  QStringList codes;
  QList<QList<Competitor>> members;
  for (const Team& team : event.teams) {
    QList<Competitor> squad;
    for (int k = 1; k <= kTeamSize; ++k) {
      Competitor c = drawPerson(random, names, codes);
      c.syozoku = team.name;
      c.class1 = event.classes.first();
      c.tno = team.tno;
      c.kno = QString::number(k);
      c.zek = QString::number(team.tno.toInt() * 10 + k);
      c.jumper = drawJumper(random, 2.0, 905);
      squad.append(c);
    }
    members.append(squad);
  }
  int start = 0;
  for (int k = 0; k < kTeamSize; ++k) {
    for (QList<Competitor>& squad : members) {
      squad[k].st1 = ++start;
      event.competitors.append(squad.at(k));
    }
  }
  return event;
}

QList<int> secondRoundOrder(const Event& event, const std::function<Tenths(int)>& firstRoundPoints,
                            const std::function<Tenths(const QString&)>& teamPoints) {
  QList<int> order;
  if (event.team) {
    QList<Team> teams = event.teams;
    // Lowest first; equal points keep the team start order.
    std::stable_sort(teams.begin(), teams.end(),
                     [&](const Team& a, const Team& b) { return teamPoints(a.tno) < teamPoints(b.tno); });
    for (int member = 1; member <= kTeamSize; ++member) {
      for (const Team& team : teams) {
        for (int i = 0; i < event.competitors.size(); ++i) {
          const Competitor& c = event.competitors.at(i);
          if (c.tno == team.tno && c.kno == QString::number(member)) order.append(i);
        }
      }
    }
    return order;
  }

  for (const QString& cls : event.classes) {
    QList<int> ranked;
    for (int i = 0; i < event.competitors.size(); ++i) {
      if (event.competitors.at(i).class1 == cls) ranked.append(i);
    }
    // Best first; equal points in start order.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [&](int a, int b) { return firstRoundPoints(a) > firstRoundPoints(b); });
    qsizetype places = std::min<qsizetype>(kSecondRoundPlaces, ranked.size());
    while (places < ranked.size() && firstRoundPoints(ranked.at(places)) == firstRoundPoints(ranked.at(places - 1))) {
      ++places;
    }
    ranked.resize(places);
    std::reverse(ranked.begin(), ranked.end());
    order.append(ranked);
  }
  return order;
}
