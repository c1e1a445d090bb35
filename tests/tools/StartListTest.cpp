#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include "StartList.h"

namespace {

bool isKatakanaName(const QString& text) {
  for (QChar ch : text) {
    if (ch != QChar(0x3000) && (ch.unicode() < 0x30A0 || ch.unicode() > 0x30FF)) return false;
  }
  return !text.isEmpty();
}

class JumpsimIndividualStartList : public ::testing::Test {
 protected:
  Random random{11};
  Event event = individualEvent(random, QStringLiteral("101"));
};

TEST_F(JumpsimIndividualStartList, HasTwoClassesTheJuniorsStartingFirst) {
  ASSERT_EQ(event.classes, (QStringList{QStringLiteral("少年"), QStringLiteral("成年")}));
  ASSERT_EQ(event.competitors.size(), kJuniors + kSeniors);
  for (int i = 0; i < event.competitors.size(); ++i) {
    const Competitor& c = event.competitors.at(i);
    EXPECT_EQ(c.st1, i + 1);
    EXPECT_EQ(c.zek, QString::number(c.st1)) << "bibs follow the start order";
    EXPECT_EQ(c.class1, event.classes.at(i < kJuniors ? 0 : 1)) << "st1 " << c.st1;
    EXPECT_TRUE(c.tno.isEmpty());
    EXPECT_TRUE(c.tstno().isEmpty());
  }
  EXPECT_FALSE(event.team);
  EXPECT_EQ(event.hill.kPoint, 900);
}

TEST_F(JumpsimIndividualStartList, GivesEveryoneJapaneseNamesInThreeFormsAndAUniqueCode) {
  static const QRegularExpression romaji(QStringLiteral("^[A-Z]+ [A-Z][a-z]+$"));
  static const QRegularExpression code(QStringLiteral("^[0-9]{6}$"));
  QSet<QString> names, codes;
  for (const Competitor& c : event.competitors) {
    EXPECT_TRUE(c.name.contains(QChar(0x3000))) << qPrintable(c.name);
    for (QChar ch : c.name)
      EXPECT_TRUE(ch == QChar(0x3000) || (ch.unicode() >= 0x4E00 && ch.unicode() <= 0x9FFF)) << qPrintable(c.name);
    EXPECT_TRUE(isKatakanaName(c.namek)) << qPrintable(c.namek);
    EXPECT_TRUE(romaji.match(c.namee).hasMatch()) << qPrintable(c.namee);
    EXPECT_FALSE(c.syozoku.isEmpty());
    EXPECT_TRUE(code.match(c.code).hasMatch()) << qPrintable(c.code);
    names.insert(c.name);
    codes.insert(c.code);
  }
  EXPECT_EQ(names.size(), event.competitors.size()) << "no name twice";
  EXPECT_EQ(codes.size(), event.competitors.size()) << "no code twice";
}

TEST(JumpsimStartLists, AreTheSameForTheSameSeedAndDifferForAnother) {
  Random a(5), b(5), c(6);
  const Event first = individualEvent(a, QStringLiteral("101"));
  const Event again = individualEvent(b, QStringLiteral("101"));
  const Event other = individualEvent(c, QStringLiteral("101"));
  QStringList firstNames, againNames, otherNames;
  for (const Competitor& x : first.competitors) firstNames << x.name + x.code;
  for (const Competitor& x : again.competitors) againNames << x.name + x.code;
  for (const Competitor& x : other.competitors) otherNames << x.name + x.code;
  EXPECT_EQ(firstNames, againNames);
  EXPECT_NE(firstNames, otherNames);
}

class JumpsimTeamStartList : public ::testing::Test {
 protected:
  Random random{11};
  Event event = teamEvent(random, QStringLiteral("201"));
};

TEST_F(JumpsimTeamStartList, HasTeamsOfFourNumberedTeamDashMember) {
  ASSERT_TRUE(event.team);
  ASSERT_EQ(event.teams.size(), kTeams);
  ASSERT_EQ(event.competitors.size(), kTeams * kTeamSize);
  for (const Team& team : event.teams) {
    int members = 0;
    for (const Competitor& c : event.competitors) {
      if (c.tno != team.tno) continue;
      ++members;
      EXPECT_EQ(c.syozoku, team.name);
      EXPECT_EQ(c.class1, QStringLiteral("団体"));
      EXPECT_EQ(c.tstno(), c.tno + u'-' + c.kno);
    }
    EXPECT_EQ(members, kTeamSize) << qPrintable(team.tno);
  }
  const auto member = std::find_if(event.competitors.cbegin(), event.competitors.cend(), [](const Competitor& c) {
    return c.tno == QLatin1String("3") && c.kno == QLatin1String("2");
  });
  ASSERT_NE(member, event.competitors.cend());
  EXPECT_EQ(member->tstno(), QStringLiteral("3-2"));
  EXPECT_EQ(member->zek, QStringLiteral("32"));
}

TEST_F(JumpsimTeamStartList, StartsMemberGroupByMemberGroupInTeamOrder) {
  for (int i = 0; i < event.competitors.size(); ++i) {
    const Competitor& c = event.competitors.at(i);
    EXPECT_EQ(c.st1, i + 1);
    EXPECT_EQ(c.kno, QString::number(i / kTeams + 1));
    EXPECT_EQ(c.tno, QString::number(i % kTeams + 1));
  }
}

// Second round: the best 30 of each class, the lowest placed first and the leader last.
TEST_F(JumpsimIndividualStartList, SecondRoundTakesTheBestThirtyOfEachClassInReverseOrder) {
  // Earlier starters did better here, so the order to expect is easy to write down.
  const auto points = [](int i) { return 2000 - i * 10; };
  const QList<int> order = secondRoundOrder(event, points, [](const QString&) { return 0; });

  QList<int> expected;
  for (int i = kJuniors - 1; i >= 0; --i) expected << i;          // all ten juniors
  for (int i = kJuniors + 29; i >= kJuniors; --i) expected << i;  // seniors 1 to 30; 31 and 32 out
  EXPECT_EQ(order, expected);
}

TEST_F(JumpsimIndividualStartList, SecondRoundTakesEveryoneTiedWithTheThirtiethToo) {
  // Seniors 30 to 32 share the same points.
  const auto points = [](int i) { return i >= kJuniors + 29 ? 1000 : 2000 - i * 10; };
  const QList<int> order = secondRoundOrder(event, points, [](const QString&) { return 0; });
  EXPECT_EQ(order.size(), kJuniors + 32);
  EXPECT_EQ(order.last(), kJuniors) << "the senior leader jumps last";
}

TEST_F(JumpsimTeamStartList, SecondRoundStartsTheLowestTeamFirstInEveryMemberGroup) {
  const QMap<QString, Tenths> teamPoints = {{QStringLiteral("1"), 4000}, {QStringLiteral("2"), 4500},
                                            {QStringLiteral("3"), 3800}, {QStringLiteral("4"), 5000},
                                            {QStringLiteral("5"), 4200}, {QStringLiteral("6"), 4500}};
  const QList<int> order = secondRoundOrder(
      event, [](int) { return 0; }, [&](const QString& tno) { return teamPoints.value(tno); });
  ASSERT_EQ(order.size(), kTeams * kTeamSize);
  // 3 (380), 1 (400), 5 (420), 2 and 6 (450, in start order), 4 (500).
  const QStringList teamOrder = {QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("5"),
                                 QStringLiteral("2"), QStringLiteral("6"), QStringLiteral("4")};
  for (int n = 0; n < order.size(); ++n) {
    const Competitor& c = event.competitors.at(order.at(n));
    EXPECT_EQ(c.tno, teamOrder.at(n % kTeams)) << "place " << n + 1;
    EXPECT_EQ(c.kno, QString::number(n / kTeams + 1)) << "place " << n + 1;
  }
}

}  // namespace
