#include "platform/ui/Looks.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace {

bool supportsJapanese(const QString& family) {
  return QFontDatabase::families().contains(family) &&
         QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
}

// A proportional Gothic close to the board's face: IPA's first, then Noto's, then whatever speaks Japanese.
QString japaneseGothic() {
  for (const QString& preferred : {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")}) {
    if (supportsJapanese(preferred)) return preferred;
  }
  const QStringList any = QFontDatabase::families(QFontDatabase::Japanese);
  return any.isEmpty() ? QString() : any.front();
}

}  // namespace

void installFontSubstitutes() {
  const QString family = japaneseGothic();
  // Without any Japanese font a substitute would not help; the platform's own fallback is left to it.
  if (family.isEmpty()) return;
  QFont::removeSubstitutions(kBoardFontFamily);
  QFont::insertSubstitutions(kBoardFontFamily, {family});
}

void setBackground(QWidget* w, const QColor& color) {
  QPalette palette = w->palette();
  if (qobject_cast<QLineEdit*>(w)) {
    palette.setColor(QPalette::Base, color);
  } else {
    palette.setColor(QPalette::Window, color);
    w->setAutoFillBackground(true);
  }
  w->setPalette(palette);
}

QColor background(const QWidget* w) {
  return w->palette().color(qobject_cast<const QLineEdit*>(w) ? QPalette::Base : QPalette::Window);
}

QColor windowBackground() {
  return QApplication::palette("QLineEdit").color(QPalette::Base);
}

void setAutoSizedText(QLabel* label, const QString& text) {
  label->setText(text);
  label->resize(label->sizeHint());
}

void applyPixelFonts(QWidget* root) {
  QList<QWidget*> widgets{root};
  widgets += root->findChildren<QWidget*>();
  // Parents come before their children here, so a child's own size is set after the parent's has
  // reached it. Only widgets with the property get a font of their own; the rest keep inheriting.
  for (QWidget* w : std::as_const(widgets)) {
    const QVariant size = w->property("fontPixelSize");
    bool ok = false;
    const int pixels = size.toInt(&ok);
    if (!size.isValid() || !ok || pixels <= 0) continue;
    QFont font = w->font();
    font.setPixelSize(pixels);
    w->setFont(font);
  }
}
