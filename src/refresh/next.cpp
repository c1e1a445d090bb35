#include "app/TFedit.h"
#include "data/Names.h"
#include "data/Statements.h"
#include "refresh/Fields.h"
#include "ui_FmDisp.h"

// Step 23: the row after the competitor on the hill in the start list of his class. The team layout
// (Panel6 shown) adds the next competitor's team and member number.
void TFedit::ShowNextCompetitor() {
  // The trial round has read no class; without it the list would hold only competitors without a class.
  if (FHon == QLatin1String("3")) ReadClass();

  Qnext.setSql(statements::nextCompetitors(literalTextOf(Database1), FTcode, classValue, FHon));
  Qnext.open();

  const bool teamLayout = m_ui->Panel6->isVisibleTo(this);
  const auto emptyPanel = [&](bool teamFieldsToo) {
    fields::clear({m_ui->ezeknx, m_ui->Enamenx, m_ui->Enameenx, m_ui->Esyoznx, m_ui->Enameknx});
    if (teamFieldsToo && teamLayout) fields::clear({m_ui->etnonx, m_ui->tknonx});
  };

  const bool found = Qnext.locate(race::zek, FZek);
  if (Qnext.eof()) {
    emptyPanel(false);
    return;
  }
  // Not in the list at all: an arbitrary row would name the wrong next jumper.
  if (!found) {
    emptyPanel(true);
    return;
  }

  Qnext.next();
  m_ui->ezeknx->setText(Qnext.fieldText(race::zek));
  m_ui->Enamenx->setText(Qnext.fieldText(race::name));
  m_ui->Enameenx->setText(Qnext.fieldText(race::namee));
  m_ui->Esyoznx->setText(Qnext.fieldText(race::syozoku));
  m_ui->Enameknx->setText(Qnext.fieldText(race::namek));
  if (teamLayout) {
    m_ui->etnonx->setText(Qnext.fieldText(race::tno));
    m_ui->tknonx->setText(Qnext.fieldText(race::kno));
  }

  // next() stays on the last row: the competitor on the hill jumps last.
  if (m_ui->ezeknx->text() == FZek) emptyPanel(true);
}
