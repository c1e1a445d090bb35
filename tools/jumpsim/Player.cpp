#include "Player.h"

#include "Jumps.h"
#include "Writer.h"

namespace {

const QStringList kJudgeTables = {QStringLiteral("judgea"), QStringLiteral("judgeb"), QStringLiteral("judgec"),
                                  QStringLiteral("judged"), QStringLiteral("judgee")};
const QString kJudgeLetters = QStringLiteral("ABCDE");

// A jump's time, shared out over its writes: the in-run, the flight, the judges, the scoreboard.
constexpr double kOnHill = 0.15, kSpeed = 0.25, kDistance = 0.15, kDistancePoints = 0.05, kJudge = 0.05,
                 kStylePoints = 0.05, kTotal = 0.05, kTeamPoints = 0.03, kDone = 0.02;
constexpr double kTrialOnHill = 0.15, kTrialSpeed = 0.35, kTrialDistance = 0.3, kTrialDone = 0.2;
// Breaks between rounds, in jumps' time.
constexpr double kBreak = 2.0, kBeforeBreak = 0.5;

QString roundName(const QString& hon) {
  if (hon == QLatin1String("1")) return QStringLiteral("first round");
  if (hon == QLatin1String("2")) return QStringLiteral("second round");
  if (hon == QLatin1String("3")) return QStringLiteral("trial round");
  return QStringLiteral("preparing");
}

}  // namespace

Player::Player(Writer& writer, Random& random, QList<Event> events, int trialJumps)
    : m_writer(writer), m_random(random), m_events(std::move(events)), m_trialJumps(trialJumps) {
  for (int e = 0; e < m_events.size(); ++e) {
    m_results.append(QList<CompetitorResult>(m_events.at(e).competitors.size()));
    m_phases.push_back({e, Phase::Prepare});
    for (int t = 1; t <= m_trialJumps; ++t) m_phases.push_back({e, Phase::Trial, t});
    m_phases.push_back({e, Phase::FirstRound});
    m_phases.push_back({e, Phase::SecondRound});
    m_phases.push_back({e, Phase::End});
  }
}

void Player::fillStartLists() {
  Writer& w = m_writer;
  w.transaction([&] {
    for (const Event& event : m_events) {
      for (const Competitor& c : event.competitors) {
        w.exec(QStringLiteral("insert into race (tcode, zek, code, name, namek, namee, syozoku, class1, tno, kno, st1) "
                              "values (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11)")
                   .arg(w.text(event.tcode), w.text(c.zek), w.text(c.code), w.text(c.name), w.text(c.namek),
                        w.text(c.namee), w.text(c.syozoku), w.text(c.class1),
                        c.tno.isEmpty() ? QStringLiteral("NULL") : w.text(c.tno),
                        c.kno.isEmpty() ? QStringLiteral("NULL") : w.text(c.kno), QString::number(c.st1)));
      }
      for (const Team& team : event.teams) {
        w.exec(QStringLiteral("insert into dantai (tcode, tno, name) values (%1, %2, %3)")
                   .arg(w.text(event.tcode), w.text(team.tno), w.text(team.name)));
      }
    }
    w.exec(QStringLiteral("delete from hon"));
    w.exec(QStringLiteral("insert into hon (hon) values ('X')"));
    w.exec(QStringLiteral("delete from newzek"));
    emptyJudges();
  });
}

bool Player::atEnd() {
  if (m_steps.empty()) plan();
  return m_steps.empty();
}

const Step& Player::peek() {
  if (m_steps.empty()) plan();
  return m_steps.front();
}

Step Player::play() {
  if (m_steps.empty()) plan();
  Step step = std::move(m_steps.front());
  m_steps.pop_front();
  step.label = step.run();
  return step;
}

std::optional<Tenths> Player::teamPoints(int event, const QString& tno, int round) const {
  std::optional<Tenths> sum;
  const Event& e = m_events.at(event);
  for (int i = 0; i < e.competitors.size(); ++i) {
    if (e.competitors.at(i).tno != tno) continue;
    for (int r = 0; r < 2; ++r) {
      if (round != 0 && round != r + 1) continue;
      if (const auto& jump = m_results.at(event).at(i).round.at(r)) sum = sum.value_or(0) + jump->total;
    }
  }
  return sum;
}

// Each phase is planned when the one before it has been played: the second round's order needs the
// first round's points.
void Player::plan() {
  while (m_steps.empty() && !m_phases.empty()) {
    const Planned next = m_phases.front();
    m_phases.pop_front();
    const Event& event = m_events.at(next.event);
    const int e = next.event;
    switch (next.phase) {
      case Phase::Prepare:
        planRound(e, QStringLiteral("X"), e == 0 ? 0.0 : kBreak,
                  QStringLiteral("%1 event, %2 competitors").arg(event.title).arg(event.competitors.size()));
        break;
      case Phase::Trial:
        if (next.trial == 1)
          planRound(e, QStringLiteral("3"), kBreak, QStringLiteral("%1 trial jump(s)").arg(m_trialJumps));
        for (int i = 0; i < event.competitors.size(); ++i) planTrialJump(e, i, next.trial);
        break;
      case Phase::FirstRound:
        if (m_trialJumps > 0) planRound(e, QStringLiteral("X"), kBeforeBreak, QStringLiteral("break"));
        planRound(e, QStringLiteral("1"), kBreak, QStringLiteral("start order st1"));
        for (int i = 0; i < event.competitors.size(); ++i) planJump(e, i, 1);
        break;
      case Phase::SecondRound: {
        planRound(e, QStringLiteral("X"), kBeforeBreak, QStringLiteral("break"));
        planSecondRoundOrder(e);
        planRound(e, QStringLiteral("2"), kBreak, QStringLiteral("start order st2"));
        QList<int> order;
        for (int i = 0; i < event.competitors.size(); ++i) {
          if (const auto st2 = m_results.at(e).at(i).st2) {
            if (order.size() < *st2) order.resize(*st2);
            order[*st2 - 1] = i;
          }
        }
        for (int i : order) planJump(e, i, 2);
        break;
      }
      case Phase::End:
        planFinal(e);
        break;
    }
  }
}

Step& Player::add(Write kind, double delay, const QString& label, std::function<QString()> run) {
  Step step = m_context;
  step.kind = kind;
  step.delay = delay;
  step.label = label;
  step.headline =
      kind == Write::Round || kind == Write::SecondRoundOrder || kind == Write::Done || kind == Write::Final;
  step.run = std::move(run);
  m_steps.push_back(std::move(step));
  return m_steps.back();
}

QString Player::who(int event, int competitor) const {
  const Event& e = m_events.at(event);
  const Competitor& c = e.competitors.at(competitor);
  const QString team = c.tno.isEmpty() ? QString() : QStringLiteral(" team %1-%2").arg(c.tno, c.kno);
  return QStringLiteral("%1 %2 bib %3%4 %5").arg(e.tcode, roundName(m_context.hon), c.zek, team, c.namee);
}

QString Player::where(int event, int competitor) const {
  return QStringLiteral("tcode=%1 and zek=%2")
      .arg(m_writer.text(m_events.at(event).tcode), m_writer.text(m_events.at(event).competitors.at(competitor).zek));
}

void Player::emptyJudges() {
  for (const QString& table : kJudgeTables) m_writer.exec(QStringLiteral("delete from %1").arg(table));
}

void Player::planRound(int event, const QString& hon, double delay, const QString& what) {
  m_context = Step{};
  m_context.event = event;
  m_context.hon = hon;
  const QString label = QStringLiteral("%1 %2 (HON %3): %4").arg(m_events.at(event).tcode, roundName(hon), hon, what);
  add(Write::Round, delay, label, [this, hon, label] {
    m_writer.transaction([&] {
      m_writer.exec(QStringLiteral("update hon set hon=%1").arg(m_writer.text(hon)));
      m_writer.exec(QStringLiteral("delete from newzek"));
      emptyJudges();
    });
    return label;
  });
}

void Player::planSecondRoundOrder(int event) {
  const Event& e = m_events.at(event);
  const auto firstRound = [&](int i) {
    return m_results.at(event).at(i).round[0] ? m_results.at(event).at(i).round[0]->total : 0;
  };
  const auto team = [&](const QString& tno) { return teamPoints(event, tno, 1).value_or(0); };
  const QList<int> order = secondRoundOrder(e, firstRound, team);
  for (int n = 0; n < order.size(); ++n) m_results[event][order.at(n)].st2 = n + 1;

  const QString label = QStringLiteral("%1 second round order (st2): %2 of %3 jump again")
                            .arg(e.tcode)
                            .arg(order.size())
                            .arg(e.competitors.size());
  add(Write::SecondRoundOrder, kBeforeBreak, label, [this, event, order, label] {
    m_writer.transaction([&] {
      for (int n = 0; n < order.size(); ++n) {
        m_writer.exec(QStringLiteral("update race set st2=%1 where %2").arg(n + 1).arg(where(event, order.at(n))));
      }
    });
    return label;
  });
}

void Player::planTrialJump(int event, int competitor, int trial) {
  const Event& e = m_events.at(event);
  const Competitor& c = e.competitors.at(competitor);
  m_context.competitor = competitor;
  m_context.trial = trial;
  const QString name = who(event, competitor) + QStringLiteral(" trial %1").arg(trial);
  const Jump jump = simulateJump(m_random, e.hill, c.jumper);
  const QString n = QString::number(trial);

  add(Write::OnHill, kTrialOnHill, name + QStringLiteral(": on the hill"), [=, this, &e, &c] {
    m_writer.transaction([&] {
      emptyJudges();
      m_writer.exec(QStringLiteral("delete from newzek"));
      m_writer.exec(QStringLiteral("insert into newzek (tcode, tstno, nzek, sumi) values (%1, %2, %3, NULL)")
                        .arg(m_writer.text(e.tcode), m_writer.text(n), m_writer.text(c.zek)));
    });
    return name + QStringLiteral(": on the hill");
  });
  add(Write::Speed, kTrialSpeed, name + QStringLiteral(": speed"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update race set tspeed%1=%2 where %3")
                      .arg(n, Writer::figure(jump.speed), where(event, competitor)));
    return name + QStringLiteral(": speed %1 km/h").arg(tenthsText(jump.speed));
  });
  add(Write::Distance, kTrialDistance, name + QStringLiteral(": distance"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update race set tdist%1=%2 where %3")
                      .arg(n, Writer::figure(jump.distance), where(event, competitor)));
    JumpResult result;
    result.speed = jump.speed;
    result.distance = jump.distance;
    m_results[event][competitor].trial[trial - 1] = result;
    return name + QStringLiteral(": distance %1 m").arg(tenthsText(jump.distance));
  });
  add(Write::Done, kTrialDone, name + QStringLiteral(": done"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update newzek set sumi='D'"));
    return name + QStringLiteral(": %1 km/h, %2 m").arg(tenthsText(jump.speed), tenthsText(jump.distance));
  });
}

void Player::planJump(int event, int competitor, int round) {
  const Event& e = m_events.at(event);
  const Competitor& c = e.competitors.at(competitor);
  m_context.competitor = competitor;
  m_context.trial = 0;
  const QString name = who(event, competitor);
  const Jump jump = simulateJump(m_random, e.hill, c.jumper);
  const QString r = QString::number(round);

  JumpResult result;
  result.speed = jump.speed;
  result.distance = jump.distance;
  result.distancePoints = distancePoints(jump.distance, e.hill);
  for (int j = 0; j < 5; ++j) result.marks[j] = splitMark(jump.marks[j]);
  result.stylePoints = stylePoints(jump.marks);
  result.total = result.distancePoints + result.stylePoints;

  add(Write::OnHill, kOnHill, name + QStringLiteral(": on the hill"), [=, this, &e, &c] {
    m_writer.transaction([&] {
      emptyJudges();
      m_writer.exec(QStringLiteral("delete from newzek"));
      m_writer.exec(QStringLiteral("insert into newzek (tcode, tstno, nzek, sumi) values (%1, %2, %3, NULL)")
                        .arg(m_writer.text(e.tcode),
                             c.tno.isEmpty() ? QStringLiteral("NULL") : m_writer.text(c.tstno()),
                             m_writer.text(c.zek)));
    });
    return name + QStringLiteral(": on the hill");
  });
  add(Write::Speed, kSpeed, name + QStringLiteral(": speed"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update race set speed%1=%2 where %3")
                      .arg(r, Writer::figure(result.speed), where(event, competitor)));
    return name + QStringLiteral(": speed %1 km/h").arg(tenthsText(result.speed));
  });
  add(Write::Distance, kDistance, name + QStringLiteral(": distance"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update race set dist%1=%2 where %3")
                      .arg(r, Writer::figure(result.distance), where(event, competitor)));
    return name + QStringLiteral(": distance %1 m").arg(tenthsText(result.distance));
  });
  add(Write::DistancePoints, kDistancePoints, name + QStringLiteral(": distance points"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update race set distp%1=%2 where %3")
                      .arg(r, Writer::figure(result.distancePoints), where(event, competitor)));
    return name + QStringLiteral(": distance points %1").arg(tenthsText(result.distancePoints));
  });
  for (int j = 0; j < 5; ++j) {
    Step& step =
        add(Write::Judge, kJudge, name + QStringLiteral(": judge %1").arg(kJudgeLetters.at(j)), [=, this, &e, &c] {
          const JudgeMark& mark = result.marks[j];
          m_writer.exec(
              QStringLiteral(
                  "insert into %1 (zek, name, team, sumi, ap, lp, op, tp) values (%2, %3, %4, 'D', %5, %6, %7, %8)")
                  .arg(kJudgeTables.at(j), m_writer.text(c.zek), m_writer.text(c.name), m_writer.text(c.syozoku),
                       Writer::figure(mark.flight), Writer::figure(mark.outrun), Writer::figure(mark.landing),
                       Writer::figure(mark.total())));
          return name + QStringLiteral(": judge %1 %2 (%3 + %4 + %5)")
                            .arg(kJudgeLetters.at(j))
                            .arg(tenthsText(mark.total()), tenthsText(mark.flight), tenthsText(mark.landing),
                                 tenthsText(mark.outrun));
        });
    step.judge = j;
  }
  add(Write::StylePoints, kStylePoints, name + QStringLiteral(": style points"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update race set h%1t=%2 where %3")
                      .arg(r, Writer::figure(result.stylePoints), where(event, competitor)));
    return name + QStringLiteral(": style points %1").arg(tenthsText(result.stylePoints));
  });
  add(Write::Total, kTotal, name + QStringLiteral(": total"), [=, this, &e, &c] {
    CompetitorResult& mine = m_results[event][competitor];
    mine.round[round - 1] = result;
    if (round == 1) {
      m_writer.exec(QStringLiteral("update race set totalp1=%1 where %2")
                        .arg(Writer::figure(result.total), where(event, competitor)));
      return name + QStringLiteral(": points %1").arg(tenthsText(result.total));
    }
    const Tenths overall = mine.round[0]->total + result.total;
    m_writer.exec(QStringLiteral("update race set totalp2=%1, totalpt=%2 where %3")
                      .arg(Writer::figure(result.total), Writer::figure(overall), where(event, competitor)));
    return name + QStringLiteral(": points %1, total %2").arg(tenthsText(result.total), tenthsText(overall));
  });
  if (e.team) {
    add(Write::TeamPoints, kTeamPoints, name + QStringLiteral(": team points"), [=, this, &e, &c] {
      const std::optional<Tenths> points = teamPoints(event, c.tno, round);
      const std::optional<Tenths> total = teamPoints(event, c.tno, 0);
      const QString team = QStringLiteral("tcode=%1 and tno=%2").arg(m_writer.text(e.tcode), m_writer.text(c.tno));
      m_writer.transaction([&] {
        m_writer.exec(QStringLiteral("update race set tpoint%1=%2, tpointt=%3 where %4")
                          .arg(r, Writer::figure(points), Writer::figure(total), team));
        m_writer.exec(QStringLiteral("update dantai set tpoint%1=%2, tpointt=%3 where %4")
                          .arg(r, Writer::figure(points), Writer::figure(total), team));
      });
      return name +
             QStringLiteral(": team %1 points %2, total %3").arg(c.tno, Writer::figure(points), Writer::figure(total));
    });
  }
  add(Write::Done, kDone, name + QStringLiteral(": done"), [=, this, &e, &c] {
    m_writer.exec(QStringLiteral("update newzek set sumi='D'"));
    return name + QStringLiteral(": %1 km/h, %2 m, %3 + %4 = %5")
                      .arg(tenthsText(result.speed), tenthsText(result.distance), tenthsText(result.distancePoints),
                           tenthsText(result.stylePoints), tenthsText(result.total));
  });
}

void Player::planFinal(int event) {
  m_context = Step{};
  m_context.event = event;
  m_context.hon = QStringLiteral("2");
  const Event& e = m_events.at(event);
  add(Write::Final, 1.0, QStringLiteral("%1 final results").arg(e.tcode), [this, event] {
    const Event& ev = m_events.at(event);
    // Those who did not jump again keep their first-round points as their total.
    m_writer.exec(
        QStringLiteral("update race set totalpt=totalp1 where tcode=%1 and st2 is null and totalp1 is not null")
            .arg(m_writer.text(ev.tcode)));
    int best = -1;
    Tenths bestTotal = -1;
    for (int i = 0; i < ev.competitors.size(); ++i) {
      const CompetitorResult& result = m_results.at(event).at(i);
      Tenths total = 0;
      for (const auto& jump : result.round) total += jump ? jump->total : 0;
      if (total > bestTotal) {
        best = i;
        bestTotal = total;
      }
    }
    QString label =
        QStringLiteral("%1 final results: winner %2 %3 with %4")
            .arg(ev.tcode, ev.competitors.value(best).zek, ev.competitors.value(best).namee, tenthsText(bestTotal));
    if (ev.team) {
      QString bestTeam;
      Tenths bestPoints = -1;
      for (const Team& team : ev.teams) {
        const Tenths points = teamPoints(event, team.tno, 0).value_or(0);
        if (points > bestPoints) {
          bestTeam = team.name;
          bestPoints = points;
        }
      }
      label += QStringLiteral("; team %1 with %2").arg(bestTeam, tenthsText(bestPoints));
    }
    return label;
  });
}
