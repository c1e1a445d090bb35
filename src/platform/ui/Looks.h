#pragma once

#include <QColor>
#include <QString>

class QWidget;
class QLabel;

// The board's colours, as the product suite names them.
namespace BoardColor {
inline const QColor LightYellow{255, 255, 128};
inline const QColor LightGreen{128, 255, 128};
inline const QColor ResultsFrame{204, 238, 251};
inline const QColor ResultsFrameDone{0, 255, 128};
inline const QColor TeamArea{160, 252, 232};
}  // namespace BoardColor

// The board's face font. Where it is not installed a Japanese proportional Gothic stands in for it.
inline const QString kBoardFontFamily = QStringLiteral("ＭＳ Ｐゴシック");
void installFontSubstitutes();

// Background of a field (its base) or of a panel (its window colour, filled).
void setBackground(QWidget* w, const QColor& color);
QColor background(const QWidget* w);
// The system's window background colour, as fields show it by default.
QColor windowBackground();

// A label that sizes itself to its text, as the board's round label and connection line do.
void setAutoSizedText(QLabel* label, const QString& text);

// Applies the pixel heights stored with the layout (dynamic property "fontPixelSize") to every widget
// under `root`, since the layout format knows only point sizes.
void applyPixelFonts(QWidget* root);
