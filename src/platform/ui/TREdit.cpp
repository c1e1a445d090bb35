#include "platform/ui/TREdit.h"

TREdit::TREdit(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}
