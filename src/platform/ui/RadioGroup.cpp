#include "platform/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/ui/Guard.h"

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), m_group(new QButtonGroup(this)) {
  // Each item gets an equal share of the height below the caption, one above the other.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 0, 2, 2);
  layout->setSpacing(0);

  // idClicked comes from the operator only (mouse or keyboard), never from setChecked.
  connect(m_group, &QButtonGroup::idClicked, this, [this](int id) {
    if (id != m_index) select(id, true, true);
  });
}

void RadioGroup::setItems(const QStringList& items) {
  m_items = items;
  layoutButtons();
}

void RadioGroup::setItemIndex(int index) {
  select(index, true, false);
}

void RadioGroup::setItemIndexQuietly(int index) {
  // The layout may set the selection before the items; setItems applies it then.
  if (m_items.isEmpty()) {
    m_index = index < 0 ? -1 : index;
    return;
  }
  select(index, false, false);
}

QRadioButton* RadioGroup::button(int index) const {
  return m_buttons.value(index, nullptr);
}

void RadioGroup::select(int index, bool runHandler, bool fromClick) {
  if (index < 0 || index >= m_buttons.size()) index = -1;
  const bool changed = index != m_index;
  m_index = index;

  // An exclusive group never lets its checked button go; clearing needs it off for a moment.
  m_group->setExclusive(false);
  for (int i = 0; i < m_buttons.size(); ++i) m_buttons[i]->setChecked(i == m_index);
  m_group->setExclusive(true);

  if (!changed || !runHandler || m_index < 0 || !m_onClick) return;
  const std::function<void()> handler = m_onClick;
  if (fromClick) {
    runGuarded(window(), handler);
  } else {
    handler();
  }
}

void RadioGroup::layoutButtons() {
  for (QRadioButton* b : std::as_const(m_buttons)) {
    m_group->removeButton(b);
    delete b;
  }
  m_buttons.clear();

  for (int i = 0; i < m_items.size(); ++i) {
    auto* b = new QRadioButton(m_items[i], this);
    b->setObjectName(QStringLiteral("%1_item%2").arg(objectName()).arg(i));
    b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_group->addButton(b, i);
    layout()->addWidget(b);
    m_buttons.append(b);
  }
  if (m_index >= m_buttons.size()) m_index = -1;
  select(m_index, false, false);
}
