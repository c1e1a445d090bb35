#include "data/Statements.h"

#include "platform/db/Database.h"

LiteralText literalTextOf(const Database& db) {
  return [&db](const QString& value) { return db.literalText(value); };
}

namespace statements {

QStringList judgesMarks() {
  return {
      QStringLiteral("select a.zek,a.name,a.team,a.sumi as sumi"),
      QStringLiteral(",a.ap as aap,a.lp as alp,a.op as aop,a.tp as atp,a.sumi as asumi"),
      QStringLiteral(",b.ap as bap,b.lp as blp,b.op as bop,b.tp as btp,b.sumi as bsumi"),
      QStringLiteral(",c.ap as cap,c.lp as clp,c.op as cop,c.tp as ctp,c.sumi as csumi"),
      QStringLiteral(",d.ap as dap,d.lp as dlp,d.op as dop,d.tp as dtp,d.sumi as dsumi"),
      QStringLiteral(",e.ap as eap,e.lp as elp,e.op as eop,e.tp as etp,e.sumi as esumi"),
      QStringLiteral("from judgea a,judgeb b,judgec c,judged d,judgee e"),
  };
}

QStringList competitorRow(const LiteralText& lit, const QString& zek, const QString& tcode) {
  return {
      QStringLiteral("SELECT * FROM RACE "),
      QStringLiteral("WHERE ZEK='") + lit(zek) + QStringLiteral("' "),
      QStringLiteral(" and tcode='") + lit(tcode) + QStringLiteral("'"),
  };
}

QStringList competitorClass(const LiteralText& lit, const QString& tcode, const QString& zek) {
  return {
      QStringLiteral("select class1 from race where tcode='") + lit(tcode) + QStringLiteral("'"),
      QStringLiteral("and zek='") + lit(zek) + QStringLiteral("'"),
  };
}

namespace {

QString countHead(const LiteralText& lit, const QString& tcode) {
  return QStringLiteral("select count(zek) as countn from race where tcode='") + lit(tcode) + QStringLiteral("' and ");
}

}  // namespace

QStringList firstRoundCount(const LiteralText& lit, const QString& tcode, const QString& total1,
                            const QString& classValue) {
  return {
      countHead(lit, tcode),
      QStringLiteral("totalp1>'") + lit(total1) + QStringLiteral("'"),
      QStringLiteral("and class1='") + lit(classValue) + QStringLiteral("'"),
  };
}

QStringList secondRoundCount(const LiteralText& lit, const QString& tcode, const QString& total2) {
  return {
      countHead(lit, tcode),
      QStringLiteral("totalp2>'") + lit(total2) + QStringLiteral("'"),
  };
}

QStringList totalCount(const LiteralText& lit, const QString& tcode, const QString& total) {
  return {
      countHead(lit, tcode),
      QStringLiteral("totalpt>'") + lit(total) + QStringLiteral("'"),
  };
}

QString teamPointsColumn(TeamRound round) {
  switch (round) {
    case TeamRound::First:
      return QStringLiteral("tpoint1");
    case TeamRound::Second:
      return QStringLiteral("tpoint2");
    case TeamRound::Total:
      break;
  }
  return QStringLiteral("tpointt");
}

QStringList teamPoints(const LiteralText& lit, const QString& tcode, const QString& teamNo) {
  return {
      QStringLiteral("select * from race where tcode='") + lit(tcode) + QStringLiteral("' "),
      QStringLiteral("and tno='") + lit(teamNo) + QStringLiteral("'"),
  };
}

QStringList teamRank(const LiteralText& lit, TeamRankTable table, const QString& tcode, TeamRound round,
                     const QString& points) {
  const QString from = table == TeamRankTable::Dantai ? QStringLiteral("select distinct(tno) from dantai where tcode='")
                                                      : QStringLiteral("select distinct(tno) from race where tcode='");
  return {
      from + lit(tcode) + QStringLiteral("' and "),
      teamPointsColumn(round) + QStringLiteral(">'") + lit(points) + QStringLiteral("'"),
  };
}

QStringList nextCompetitors(const LiteralText& lit, const QString& tcode, const QString& classValue,
                            const QString& hon) {
  QStringList lines{
      QStringLiteral("select * from race where tcode='") + lit(tcode) + QStringLiteral("'"),
      QStringLiteral("and class1='") + lit(classValue) + QStringLiteral("'"),
  };
  if (hon == QLatin1String("1") || hon == QLatin1String("3")) {
    lines << QStringLiteral("order by st1");
  } else if (hon == QLatin1String("2")) {
    lines << QStringLiteral("order by st2");
  }
  return lines;
}

}  // namespace statements
