#pragma once

#include <QGroupBox>
#include <QStringList>
#include <functional>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio items with one selection handler, run whenever an item becomes selected:
// - an assignment that selects another item (also from none) runs it at once, inside setItemIndex, and
//   lets its failure out to the caller; the group already reports the new item while it runs;
// - assigning or clicking the selected item, clearing (index -1) and loading the layout run nothing;
// - a failure in a handler started by a click goes to the standard error dialog; the item stays selected.
class RadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(QStringList items READ items WRITE setItems)
  Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndexQuietly)

 public:
  explicit RadioGroup(QWidget* parent = nullptr);

  QStringList items() const { return m_items; }
  void setItems(const QStringList& items);

  int itemIndex() const { return m_index; }
  void setItemIndex(int index);          // program assignment: runs the handler as described above
  void setItemIndexQuietly(int index);   // used by the stored layout: never runs the handler

  QRadioButton* button(int index) const;

  void setOnClick(std::function<void()> handler) { m_onClick = std::move(handler); }

 private:
  void select(int index, bool runHandler, bool fromClick);
  void layoutButtons();

  QStringList m_items;
  QList<QRadioButton*> m_buttons;
  QButtonGroup* m_group = nullptr;
  int m_index = -1;
  std::function<void()> m_onClick;
};
