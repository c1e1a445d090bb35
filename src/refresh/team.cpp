#include "app/TFedit.h"
#include "data/Statements.h"
#include "refresh/Fields.h"
#include "ui_FmDisp.h"

// Team figures run only in the team layout, told by the team number in etno (step 2).
namespace {

struct TeamResult {
  QString points;  // as read from the team's first RACE row; "0" when it has none
  QString rank;
};

// Points from the team's own rows, then one more than the teams ahead of those points.
TeamResult teamResult(Query& query, const LiteralText& lit, const QString& tcode, const QString& teamNo,
                      statements::TeamRound round, statements::TeamRankTable rankTable) {
  TeamResult result;
  query.setSql(statements::teamPoints(lit, tcode, teamNo));
  query.open();
  result.points = query.fieldText(statements::teamPointsColumn(round));
  if (result.points.isEmpty()) result.points = QStringLiteral("0");

  query.setSql(statements::teamRank(lit, rankTable, tcode, round, result.points));
  query.open();
  result.rank = QString::number(query.recordCount() + 1);
  return result;
}

bool isZero(const QString& points) {
  return points == QLatin1String("0");
}

}  // namespace

// Step 14: in the first round a team that has not jumped shows nothing.
void TFedit::ShowTeamFirstRound() {
  if (m_ui->etno->text().isEmpty()) return;
  fields::setVisible({m_ui->Label38, m_ui->Label39, m_ui->etmp2, m_ui->etms2, m_ui->etmpt, m_ui->etmst}, false);

  const TeamResult r = teamResult(Query3, literalTextOf(Database1), FTcode, FTeamNo, statements::TeamRound::First,
                                  statements::TeamRankTable::Race);
  if (isZero(r.points)) {
    fields::clear({m_ui->etms1, m_ui->etmp1});
    return;
  }
  m_ui->etms1->setText(r.rank);
  m_ui->etmp1->setText(r.points);
}

// Step 18: during the second round the first-round result always shows, its rank counted in DANTAI.
void TFedit::ShowTeamAfterFirstRound() {
  if (m_ui->etno->text().isEmpty()) return;
  fields::setVisible({m_ui->Label38, m_ui->Label39, m_ui->etmp2, m_ui->etms2, m_ui->etmpt, m_ui->etmst}, true);

  const TeamResult r = teamResult(Query3, literalTextOf(Database1), FTcode, FTeamNo, statements::TeamRound::First,
                                  statements::TeamRankTable::Dantai);
  m_ui->etms1->setText(r.rank);
  m_ui->etmp1->setText(r.points);
}

// Step 20.
void TFedit::ShowTeamSecondRound() {
  if (m_ui->etno->text().isEmpty()) return;
  const TeamResult r = teamResult(Query3, literalTextOf(Database1), FTcode, FTeamNo, statements::TeamRound::Second,
                                  statements::TeamRankTable::Race);
  if (isZero(r.points)) {
    fields::clear({m_ui->etms2, m_ui->etmp2});
    return;
  }
  m_ui->etms2->setText(r.rank);
  m_ui->etmp2->setText(r.points);
}

// Step 22: the total shows only once the team has second-round points, whatever tpointt holds.
void TFedit::ShowTeamTotal() {
  if (m_ui->etno->text().isEmpty()) return;
  const TeamResult r = teamResult(Query3, literalTextOf(Database1), FTcode, FTeamNo, statements::TeamRound::Total,
                                  statements::TeamRankTable::Race);
  if (m_ui->etmp2->text().isEmpty()) {
    fields::clear({m_ui->etmst, m_ui->etmpt});
    return;
  }
  m_ui->etmst->setText(r.rank);
  m_ui->etmpt->setText(r.points);
}
