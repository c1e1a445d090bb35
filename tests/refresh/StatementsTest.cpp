// The refresh's statements, line by line: pieces, blanks and case exactly as the board sends them, and
// every value passed through the engine's literal function.
#include <gtest/gtest.h>

#include "data/Statements.h"

namespace {

// Marks each value so that a test sees which text went through the literal function.
QString marked(const QString& v) {
  return QStringLiteral("<") + v + QStringLiteral(">");
}
// Doubles quotes as the standard SQL engines need.
QString doubled(const QString& v) {
  QString s = v;
  return s.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QStringList lines(std::initializer_list<const char*> l) {
  QStringList out;
  for (const char* s : l) out << QString::fromUtf8(s);
  return out;
}

using statements::TeamRankTable;
using statements::TeamRound;

TEST(Statements, JudgesMarksJoinsTheFiveTablesWithoutCondition) {
  EXPECT_EQ(statements::judgesMarks(), lines({"select a.zek,a.name,a.team,a.sumi as sumi",
                                              ",a.ap as aap,a.lp as alp,a.op as aop,a.tp as atp,a.sumi as asumi",
                                              ",b.ap as bap,b.lp as blp,b.op as bop,b.tp as btp,b.sumi as bsumi",
                                              ",c.ap as cap,c.lp as clp,c.op as cop,c.tp as ctp,c.sumi as csumi",
                                              ",d.ap as dap,d.lp as dlp,d.op as dop,d.tp as dtp,d.sumi as dsumi",
                                              ",e.ap as eap,e.lp as elp,e.op as eop,e.tp as etp,e.sumi as esumi",
                                              "from judgea a,judgeb b,judgec c,judged d,judgee e"}));
}

struct Case {
  const char* name;
  QStringList built;
  QStringList expected;
};

class StatementLines : public ::testing::TestWithParam<Case> {};

TEST_P(StatementLines, AreExactlyTheBoardsPieces) {
  EXPECT_EQ(GetParam().built, GetParam().expected);
}

const QString T = QStringLiteral("T1");
const QString Z = QStringLiteral("17");

INSTANTIATE_TEST_SUITE_P(
    Builders, StatementLines,
    ::testing::Values(
        Case{"competitorRow", statements::competitorRow(marked, Z, T),
             lines({"SELECT * FROM RACE ", "WHERE ZEK='<17>' ", " and tcode='<T1>'"})},
        Case{"competitorClass", statements::competitorClass(marked, T, Z),
             lines({"select class1 from race where tcode='<T1>'", "and zek='<17>'"})},
        Case{"firstRoundCount", statements::firstRoundCount(marked, T, QStringLiteral("123.5"), QStringLiteral("A")),
             lines({"select count(zek) as countn from race where tcode='<T1>' and ", "totalp1>'<123.5>'",
                    "and class1='<A>'"})},
        Case{"firstRoundCountEmptyClass", statements::firstRoundCount(marked, T, QStringLiteral("9.5"), {}),
             lines({"select count(zek) as countn from race where tcode='<T1>' and ", "totalp1>'<9.5>'",
                    "and class1='<>'"})},
        Case{"secondRoundCount", statements::secondRoundCount(marked, T, QStringLiteral("101.0")),
             lines({"select count(zek) as countn from race where tcode='<T1>' and ", "totalp2>'<101.0>'"})},
        Case{"totalCount", statements::totalCount(marked, T, QStringLiteral("224.5")),
             lines({"select count(zek) as countn from race where tcode='<T1>' and ", "totalpt>'<224.5>'"})},
        Case{"teamPoints", statements::teamPoints(marked, T, QStringLiteral("3")),
             lines({"select * from race where tcode='<T1>' ", "and tno='<3>'"})},
        Case{"teamRankFirst",
             statements::teamRank(marked, TeamRankTable::Race, T, TeamRound::First, QStringLiteral("0")),
             lines({"select distinct(tno) from race where tcode='<T1>' and ", "tpoint1>'<0>'"})},
        Case{"teamRankFirstDantai",
             statements::teamRank(marked, TeamRankTable::Dantai, T, TeamRound::First, QStringLiteral("250.5")),
             lines({"select distinct(tno) from dantai where tcode='<T1>' and ", "tpoint1>'<250.5>'"})},
        Case{"teamRankSecond",
             statements::teamRank(marked, TeamRankTable::Race, T, TeamRound::Second, QStringLiteral("240")),
             lines({"select distinct(tno) from race where tcode='<T1>' and ", "tpoint2>'<240>'"})},
        Case{"teamRankTotal",
             statements::teamRank(marked, TeamRankTable::Race, T, TeamRound::Total, QStringLiteral("490")),
             lines({"select distinct(tno) from race where tcode='<T1>' and ", "tpointt>'<490>'"})},
        Case{"nextFirstRound", statements::nextCompetitors(marked, T, QStringLiteral("A"), QStringLiteral("1")),
             lines({"select * from race where tcode='<T1>'", "and class1='<A>'", "order by st1"})},
        Case{"nextTrialRound", statements::nextCompetitors(marked, T, QStringLiteral("A"), QStringLiteral("3")),
             lines({"select * from race where tcode='<T1>'", "and class1='<A>'", "order by st1"})},
        Case{"nextSecondRound", statements::nextCompetitors(marked, T, QStringLiteral("A"), QStringLiteral("2")),
             lines({"select * from race where tcode='<T1>'", "and class1='<A>'", "order by st2"})},
        // Any other round code: no order line; a blank or a lower case does not make a known code.
        Case{"nextOtherRound", statements::nextCompetitors(marked, T, QStringLiteral("A"), QStringLiteral("4")),
             lines({"select * from race where tcode='<T1>'", "and class1='<A>'"})},
        Case{"nextBlankedCode", statements::nextCompetitors(marked, T, QStringLiteral("A"), QStringLiteral(" 2")),
             lines({"select * from race where tcode='<T1>'", "and class1='<A>'"})},
        Case{"nextEmptyCode", statements::nextCompetitors(marked, T, QStringLiteral("A"), {}),
             lines({"select * from race where tcode='<T1>'", "and class1='<A>'"})}),
    [](const ::testing::TestParamInfo<Case>& p) { return std::string(p.param.name); });

TEST(Statements, TeamPointsColumnsByRound) {
  EXPECT_EQ(statements::teamPointsColumn(TeamRound::First), QStringLiteral("tpoint1"));
  EXPECT_EQ(statements::teamPointsColumn(TeamRound::Second), QStringLiteral("tpoint2"));
  EXPECT_EQ(statements::teamPointsColumn(TeamRound::Total), QStringLiteral("tpointt"));
}

// A value holding a quote stays inside its literal: only the literal function's text stands between the
// board's quotes, and nothing of the value leaks into the pieces.
TEST(Statements, ValueHoldingAQuoteStaysOneLiteral) {
  const QString tcode = QStringLiteral("O'Hare");
  const QString zek = QStringLiteral("7' or '1'='1");
  EXPECT_EQ(statements::competitorRow(doubled, zek, tcode),
            lines({"SELECT * FROM RACE ", "WHERE ZEK='7'' or ''1''=''1' ", " and tcode='O''Hare'"}));
  EXPECT_EQ(statements::nextCompetitors(doubled, tcode, QStringLiteral("B'"), QStringLiteral("2")),
            lines({"select * from race where tcode='O''Hare'", "and class1='B'''", "order by st2"}));
  EXPECT_EQ(statements::teamRank(doubled, TeamRankTable::Dantai, tcode, TeamRound::First, QStringLiteral("1'0")),
            lines({"select distinct(tno) from dantai where tcode='O''Hare' and ", "tpoint1>'1''0'"}));
}

// Japanese text and a total with its decimals go through unchanged: no formatting on the way.
TEST(Statements, ValuesAreNotFormatted) {
  const auto identity = [](const QString& v) { return v; };
  EXPECT_EQ(
      statements::firstRoundCount(identity, QStringLiteral("大会１"), QStringLiteral("095.00"), QStringLiteral("少年")),
      QStringList({QStringLiteral("select count(zek) as countn from race where tcode='大会１' and "),
                   QStringLiteral("totalp1>'095.00'"), QStringLiteral("and class1='少年'")}));
}

}  // namespace
