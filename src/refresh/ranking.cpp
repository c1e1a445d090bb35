#include "app/TFedit.h"
#include "data/Names.h"
#include "data/Statements.h"
#include "refresh/Fields.h"
#include "ui_FmDisp.h"

// A rank is one more than the rows the database counts as strictly ahead, by its own comparison
// of the column with the text the board shows.
namespace {

QString rankFrom(Query& query, const QStringList& countStatement) {
  query.setSql(countStatement);
  query.open();
  return QString::number(query.fieldInt(kCountColumn) + 1);
}

}  // namespace

void TFedit::ReadClass() {
  Query3.setSql(statements::competitorClass(literalTextOf(Database1), FTcode, FZek));
  Query3.open();
  classValue = Query3.fieldText(race::class1);
}

// Steps 12 and 17: the first-round rank counts the competitor's own class only.
void TFedit::ReadClassAndRankFirstRound() {
  ReadClass();
  const QString total1 = m_ui->eTotal1->text();
  if (total1.isEmpty()) {
    m_ui->Erank1->clear();
    return;
  }
  m_ui->Erank1->setText(
      rankFrom(Query3, statements::firstRoundCount(literalTextOf(Database1), FTcode, total1, classValue)));
}

// Step 17: without a second-round total there is neither a second-round nor an overall rank.
void TFedit::BlankUnrankedSecondRound() {
  if (m_ui->eTotal2->text().isEmpty()) fields::clear({m_ui->Erank2, m_ui->Erankt});
}

// Step 19: all classes together.
void TFedit::ShowRankSecondRound() {
  const QString total2 = m_ui->eTotal2->text();
  if (total2.isEmpty()) return;
  m_ui->Erank2->setText(rankFrom(Query3, statements::secondRoundCount(literalTextOf(Database1), FTcode, total2)));
}

// Step 21: all classes together.
void TFedit::ShowRankTotal() {
  const QString total = m_ui->eSougou->text();
  if (total.isEmpty()) {
    m_ui->Erankt->clear();  // rather than keep a rank left by an earlier competitor
    return;
  }
  m_ui->Erankt->setText(rankFrom(Query3, statements::totalCount(literalTextOf(Database1), FTcode, total)));
}
