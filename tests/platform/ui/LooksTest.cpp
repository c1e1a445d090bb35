#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include "platform/ui/Looks.h"

namespace {

// The shared test main installs the substitutes, as the program's main does.
TEST(Looks, BoardFontResolvesToAnInstalledJapaneseGothic) {
  QFont font(kBoardFontFamily);
  font.setPixelSize(19);
  font.setBold(true);
  const QString family = QFontInfo(font).family();
  EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
  EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)) << family.toStdString();
  EXPECT_FALSE(QFont::substitutes(kBoardFontFamily).isEmpty());

  const QFontMetrics metrics(font);
  for (const QChar c : QStringLiteral("ジャンプ得点表示閉じる確認")) EXPECT_TRUE(metrics.inFont(c)) << int(c.unicode());
}

TEST(Looks, InstallingTwiceKeepsOneSubstitute) {
  installFontSubstitutes();
  installFontSubstitutes();
  EXPECT_EQ(QFont::substitutes(kBoardFontFamily).size(), 1);
}

QColor shownAtCentre(QWidget* w) {
  const QImage image = w->grab().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(Looks, FieldBackgroundIsItsBase) {
  QFrame panel;
  panel.resize(200, 100);
  auto* field = new QLineEdit(&panel);
  field->setReadOnly(true);
  field->setGeometry(10, 10, 120, 27);
  EXPECT_EQ(background(field), windowBackground()) << "a new field shows the system's window background";

  setBackground(field, BoardColor::LightYellow);
  EXPECT_EQ(background(field), BoardColor::LightYellow);
  EXPECT_EQ(field->palette().color(QPalette::Base), BoardColor::LightYellow);
  EXPECT_EQ(shownAtCentre(field), BoardColor::LightYellow);

  setBackground(field, windowBackground());
  EXPECT_EQ(background(field), windowBackground());
}

TEST(Looks, PanelBackgroundIsItsFilledWindowColour) {
  QFrame panel;
  panel.resize(200, 100);
  auto* field = new QLineEdit(&panel);
  field->setGeometry(10, 10, 50, 20);

  setBackground(&panel, BoardColor::TeamArea);
  EXPECT_EQ(background(&panel), BoardColor::TeamArea);
  EXPECT_TRUE(panel.autoFillBackground());
  EXPECT_EQ(shownAtCentre(&panel), BoardColor::TeamArea);
  EXPECT_EQ(background(field), windowBackground()) << "a panel's colour does not reach its fields";

  setBackground(&panel, BoardColor::ResultsFrameDone);
  EXPECT_EQ(background(&panel), BoardColor::ResultsFrameDone);
  EXPECT_EQ(shownAtCentre(&panel), BoardColor::ResultsFrameDone);
}

TEST(Looks, AutoSizedLabelFitsItsTextAndKeepsItsPlace) {
  QWidget board;
  auto* label = new QLabel(QStringLiteral("Linfo"), &board);
  QFont font(kBoardFontFamily);
  font.setPixelSize(16);
  font.setBold(true);
  label->setFont(font);
  label->setGeometry(16, 232, 38, 16);

  const QString longText = QStringLiteral("SERVER NAME=C:\\IB_data\\Jump.GDB");
  setAutoSizedText(label, longText);
  const QFontMetrics metrics(font);
  EXPECT_EQ(label->text(), longText);
  EXPECT_EQ(label->pos(), QPoint(16, 232));
  EXPECT_GE(label->width(), metrics.horizontalAdvance(longText));
  EXPECT_LE(label->width(), metrics.horizontalAdvance(longText) + 4);
  EXPECT_GE(label->height(), metrics.height());

  setAutoSizedText(label, QStringLiteral("ODBC DSN=JumpLocal"));
  EXPECT_EQ(label->pos(), QPoint(16, 232));
  EXPECT_LT(label->width(), metrics.horizontalAdvance(longText));
  EXPECT_GE(label->width(), metrics.horizontalAdvance(QStringLiteral("ODBC DSN=JumpLocal")));
}

// root (19 px, bold) > plain > plainChild; root > small (12 px) > smallChild; root > ownFont (own family, 11 px)
class PixelFonts : public ::testing::Test {
 protected:
  void SetUp() override {
    QFont face(kBoardFontFamily);
    face.setPointSize(14);
    face.setBold(true);
    root.setFont(face);
    root.setProperty("fontPixelSize", 19);
    small->setProperty("fontPixelSize", 12);
    QFont own(QStringLiteral("DejaVu Sans"));
    own.setBold(false);
    ownFont->setFont(own);
    ownFont->setProperty("fontPixelSize", 11);
    applyPixelFonts(&root);
  }

  QWidget root;
  QWidget* plain = new QWidget(&root);
  QWidget* plainChild = new QLabel(plain);
  QWidget* small = new QLineEdit(&root);
  QWidget* smallChild = new QWidget(small);
  QWidget* ownFont = new QLabel(&root);
};

TEST_F(PixelFonts, EachWidgetGetsItsOwnOrItsParentsPixelSize) {
  const std::pair<QWidget*, int> expected[] = {{&root, 19}, {plain, 19},      {plainChild, 19},
                                               {small, 12}, {smallChild, 12}, {ownFont, 11}};
  for (const auto& [w, pixels] : expected) {
    EXPECT_EQ(w->font().pixelSize(), pixels) << w->metaObject()->className();
    EXPECT_EQ(QFontInfo(w->font()).pixelSize(), pixels) << w->metaObject()->className();
  }
}

TEST_F(PixelFonts, FamilyAndWeightStay) {
  for (QWidget* w : {&root, plain, plainChild, small, smallChild}) {
    EXPECT_EQ(w->font().family(), kBoardFontFamily);
    EXPECT_TRUE(w->font().bold());
  }
  EXPECT_EQ(ownFont->font().family(), QStringLiteral("DejaVu Sans"));
  EXPECT_FALSE(ownFont->font().bold());
}

TEST_F(PixelFonts, WidgetsWithoutThePropertyStillFollowTheirParent) {
  QFont bigger = root.font();
  bigger.setPixelSize(25);
  root.setFont(bigger);
  EXPECT_EQ(plain->font().pixelSize(), 25);
  EXPECT_EQ(plainChild->font().pixelSize(), 25);
  EXPECT_EQ(small->font().pixelSize(), 12);
  EXPECT_EQ(smallChild->font().pixelSize(), 12);

  QFont biggerSmall = small->font();
  biggerSmall.setPixelSize(14);
  small->setFont(biggerSmall);
  EXPECT_EQ(smallChild->font().pixelSize(), 14);
}

}  // namespace
