#pragma once

#include <QLineEdit>

// The board's figure field: a single-line field whose text sits flush right.
class TREdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TREdit(QWidget* parent = nullptr);
};
