#pragma once

#include <QLineEdit>
#include <QWidget>
#include <initializer_list>

// Small helpers for the steps that empty, show or hide a row of controls in the board's order.
namespace fields {

inline void clear(std::initializer_list<QLineEdit*> edits) {
  for (QLineEdit* e : edits) e->clear();
}

inline void setVisible(std::initializer_list<QWidget*> widgets, bool visible) {
  for (QWidget* w : widgets) w->setVisible(visible);
}

}  // namespace fields
