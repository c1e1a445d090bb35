// The board's stored layout, checked control by control against the design table below: a wrong
// position, text, colour or flag in FmDisp.ui fails here.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QWidget>
#include <ostream>
#include <string_view>
#include <vector>

#include "platform/ui/Looks.h"
#include "platform/ui/RadioGroup.h"
#include "platform/ui/TREdit.h"
#include "ui_FmDisp.h"

namespace {

enum class Colour { None, LightYellow, LightGreen, ResultsFrame, TeamArea };

constexpr int kAny = -1;  // a position the layout does not fix (Panel5 fills the window at start-up)

struct Control {
  const char* name;
  const char* parent;
  const char* cls;
  int x, y, w, h;
  const char* text;  // caption, title or design text; nullptr where a control has none (panels)
  bool readOnly;     // fields only
  Qt::FocusPolicy focus;
  Colour colour;  // background of fields and panels; None is the system's colour
};

void PrintTo(const Control& c, std::ostream* os) {
  *os << c.name;
}

constexpr auto kNo = Qt::NoFocus;
constexpr auto kTab = Qt::StrongFocus;
constexpr auto Yellow = Colour::LightYellow;
constexpr auto Green = Colour::LightGreen;
constexpr auto NoColour = Colour::None;

// name, parent, class, x, y, w, h, text, readOnly, focus, colour
const Control kControls[] = {
    // On the window: the top strip and the close button.
    {"Label1", "Fedit", "QLabel", 16, 16, 35, 21, "NO.", false, kNo, NoColour},
    {"Label34", "Fedit", "QLabel", 744, 8, 25, 11, "V3.5", false, kNo, NoColour},
    {"Button4", "Fedit", "QPushButton", 736, 32, 59, 25, "閉じる", false, kTab, NoColour},
    {"eZek", "Fedit", "TREdit", 48, 16, 65, 27, "888", true, kNo, Yellow},
    {"eCode", "Fedit", "TREdit", 128, 16, 81, 27, "888", true, kNo, NoColour},
    {"eName", "Fedit", "QLineEdit", 216, 16, 201, 27, "", false, kTab, NoColour},
    {"Enamee", "Fedit", "QLineEdit", 432, 16, 281, 27, "", false, kTab, NoColour},
    {"Enamek", "Fedit", "QLineEdit", 216, 48, 201, 27, "", false, kTab, NoColour},
    {"eSyoz", "Fedit", "QLineEdit", 432, 48, 281, 27, "", false, kTab, NoColour},
    // Team and member number box.
    {"Panel3", "Fedit", "QFrame", 88, 56, 121, 41, nullptr, false, kNo, NoColour},
    {"etno", "Panel3", "TREdit", 8, 6, 41, 27, "888", true, kNo, Yellow},
    {"Label42", "Panel3", "QLabel", 54, 12, 11, 19, "-", false, kNo, NoColour},
    {"tkno", "Panel3", "TREdit", 72, 6, 41, 27, "888", true, kNo, Yellow},
    // The results frame: round label, grid headings, results table, connection line.
    {"Panel4", "Fedit", "QFrame", 16, 80, 809, 481, nullptr, false, kNo, Colour::ResultsFrame},
    {"lHon", "Panel4", "QLabel", 8, 8, 54, 19, "１本目", false, kNo, NoColour},
    {"Label19", "Panel4", "QLabel", 108, 24, 15, 19, "Ａ", false, kNo, NoColour},
    {"Label20", "Panel4", "QLabel", 173, 24, 16, 19, "Ｂ", false, kNo, NoColour},
    {"Label21", "Panel4", "QLabel", 238, 24, 15, 19, "Ｃ", false, kNo, NoColour},
    {"Label22", "Panel4", "QLabel", 303, 24, 15, 19, "Ｄ", false, kNo, NoColour},
    {"Label23", "Panel4", "QLabel", 368, 24, 15, 19, "Ｅ", false, kNo, NoColour},
    {"Label28", "Panel4", "QLabel", 27, 52, 40, 19, "空中", false, kNo, NoColour},
    {"Label29", "Panel4", "QLabel", 27, 84, 40, 19, "着地", false, kNo, NoColour},
    {"Label30", "Panel4", "QLabel", 6, 116, 83, 19, "アウトラン", false, kNo, NoColour},
    {"Label31", "Panel4", "QLabel", 13, 148, 68, 19, "トータル", false, kNo, NoColour},
    {"Lbhon1", "Panel4", "QLabel", 552, 16, 29, 19, "1st", false, kNo, NoColour},
    {"Lb2hon", "Panel4", "QLabel", 640, 16, 32, 19, "2nd", false, kNo, NoColour},
    {"Label43", "Panel4", "QLabel", 451, 51, 68, 19, "スピード", false, kNo, NoColour},
    {"Label44", "Panel4", "QLabel", 455, 83, 60, 19, "飛距離", false, kNo, NoColour},
    {"Label11", "Panel4", "QLabel", 455, 115, 60, 19, "距離点", false, kNo, NoColour},
    {"Label5", "Panel4", "QLabel", 455, 147, 60, 19, "飛型点", false, kNo, NoColour},
    {"lSou", "Panel4", "QLabel", 712, 150, 74, 19, "２本合計", false, kNo, NoColour},
    {"Label12", "Panel4", "QLabel", 465, 179, 40, 19, "合計", false, kNo, NoColour},
    {"Label35", "Panel4", "QLabel", 445, 219, 80, 19, "現在順位", false, kNo, NoColour},
    {"eSpeed1", "Panel4", "TREdit", 536, 48, 80, 27, "", true, kNo, NoColour},
    {"eDist1", "Panel4", "TREdit", 536, 80, 80, 27, "", true, kNo, NoColour},
    {"eDistP1", "Panel4", "TREdit", 536, 112, 80, 27, "", true, kNo, NoColour},
    {"eJudge1", "Panel4", "TREdit", 535, 144, 80, 27, "", true, kNo, NoColour},
    {"eTotal1", "Panel4", "TREdit", 536, 176, 80, 27, "", true, kNo, Yellow},
    {"Erank1", "Panel4", "TREdit", 536, 216, 80, 27, "", true, kNo, Yellow},
    {"eSpeed2", "Panel4", "TREdit", 624, 48, 80, 27, "", true, kNo, NoColour},
    {"eDist2", "Panel4", "TREdit", 624, 80, 80, 27, "", true, kNo, NoColour},
    {"eDistP2", "Panel4", "TREdit", 624, 112, 80, 27, "", true, kNo, NoColour},
    {"eJudge2", "Panel4", "TREdit", 623, 144, 80, 27, "", true, kNo, NoColour},
    {"eTotal2", "Panel4", "TREdit", 624, 176, 80, 27, "", true, kNo, Green},
    {"Erank2", "Panel4", "TREdit", 624, 216, 80, 27, "", true, kNo, Green},
    {"eSougou", "Panel4", "TREdit", 712, 176, 65, 27, "", true, kNo, Yellow},
    {"Erankt", "Panel4", "TREdit", 712, 216, 64, 27, "", true, kNo, Yellow},
    {"Linfo", "Panel4", "QLabel", 16, 232, 38, 16, "Linfo", false, kNo, NoColour},
    // The team area inside the results frame.
    {"Panel2", "Panel4", "QFrame", 8, 256, 497, 113, nullptr, false, kNo, Colour::TeamArea},
    {"Label36", "Panel2", "QLabel", 16, 8, 80, 19, "団体競技", false, kNo, NoColour},
    {"Label37", "Panel2", "QLabel", 208, 16, 54, 19, "１本目", false, kNo, NoColour},
    {"Label38", "Panel2", "QLabel", 296, 16, 54, 19, "２本目", false, kNo, NoColour},
    {"Label39", "Panel2", "QLabel", 389, 16, 74, 19, "２本合計", false, kNo, NoColour},
    {"Label40", "Panel2", "QLabel", 116, 48, 40, 19, "合計", false, kNo, NoColour},
    {"Label41", "Panel2", "QLabel", 96, 80, 80, 19, "現在順位", false, kNo, NoColour},
    {"etmp1", "Panel2", "TREdit", 192, 48, 80, 27, "", true, kNo, Yellow},
    {"etmp2", "Panel2", "TREdit", 280, 48, 80, 27, "", true, kNo, Green},
    {"etmpt", "Panel2", "TREdit", 392, 48, 65, 27, "", true, kNo, Yellow},
    {"etms1", "Panel2", "TREdit", 192, 78, 80, 27, "", true, kNo, Yellow},
    {"etms2", "Panel2", "TREdit", 280, 78, 80, 27, "", true, kNo, Green},
    {"etmst", "Panel2", "TREdit", 393, 78, 64, 27, "", true, kNo, Yellow},
    // The next-competitor strip.
    {"Panel1", "Fedit", "QFrame", 16, 448, 809, 89, nullptr, false, kNo, NoColour},
    {"Label3", "Panel1", "QLabel", 16, 16, 45, 21, "Next", false, kNo, NoColour},
    {"ezeknx", "Panel1", "TREdit", 88, 16, 65, 27, "888", true, kNo, Yellow},
    {"Enamenx", "Panel1", "QLineEdit", 256, 16, 201, 27, "", false, kTab, NoColour},
    {"Enameenx", "Panel1", "QLineEdit", 472, 16, 281, 27, "", false, kTab, NoColour},
    {"Enameknx", "Panel1", "QLineEdit", 256, 48, 201, 27, "", false, kTab, NoColour},
    {"Esyoznx", "Panel1", "QLineEdit", 472, 48, 281, 27, "", false, kTab, NoColour},
    {"Panel6", "Panel1", "QFrame", 88, 48, 121, 41, nullptr, false, kNo, NoColour},
    {"etnonx", "Panel6", "TREdit", 8, 6, 41, 27, "888", true, kNo, Yellow},
    {"Label2", "Panel6", "QLabel", 54, 12, 11, 19, "-", false, kNo, NoColour},
    {"tknonx", "Panel6", "TREdit", 72, 6, 41, 27, "888", true, kNo, Yellow},
    // The database selection panel.
    {"Panel5", "Fedit", "QFrame", kAny, kAny, kAny, kAny, nullptr, false, kNo, NoColour},
    {"RGdb", "Panel5", "RadioGroup", 217, 56, 81, 73, "MySQL", false, kNo, NoColour},
    {"CuteButton1", "Panel5", "QPushButton", 192, 152, 153, 49, "確認", false, kTab, NoColour},
    {"RGdbi", "Panel5", "RadioGroup", 225, 224, 81, 73, "Interbase", false, kNo, NoColour},
};

// The judges' grid: `e` + judge letter + row letter, left by judge, top by row.
std::vector<Control> judgeFields() {
  static const char* const names[5][4] = {{"eAA", "eAO", "eAL", "eAT"},
                                          {"eBA", "eBO", "eBL", "eBT"},
                                          {"eCA", "eCO", "eCL", "eCT"},
                                          {"eDA", "eDO", "eDL", "eDT"},
                                          {"eEA", "eEO", "eEL", "eET"}};
  const int left[5] = {91, 156, 221, 286, 351};
  const int top[4] = {49, 80, 112, 144};  // rows A, O, L, T
  std::vector<Control> fields;
  for (int judge = 0; judge < 5; ++judge) {
    for (int row = 0; row < 4; ++row) {
      const bool designed = judge == 0 && row == 0;  // eAA holds "20.0" in the design
      fields.push_back({names[judge][row], "Panel4", "TREdit", left[judge], top[row], 54, 27, designed ? "20.0" : "",
                        true, kNo, NoColour});
    }
  }
  return fields;
}

std::vector<Control> allControls() {
  std::vector<Control> all(std::begin(kControls), std::end(kControls));
  const auto grid = judgeFields();
  all.insert(all.end(), grid.begin(), grid.end());
  return all;
}

template <typename Pred>
std::vector<Control> rowsWhere(Pred pred) {
  std::vector<Control> rows;
  for (const Control& c : allControls()) {
    if (pred(c)) rows.push_back(c);
  }
  return rows;
}

bool isField(const Control& c) {
  return std::string_view(c.cls) == "TREdit" || std::string_view(c.cls) == "QLineEdit";
}
bool isPanel(const Control& c) {
  return std::string_view(c.cls) == "QFrame";
}

std::string rowName(const ::testing::TestParamInfo<Control>& p) {
  return p.param.name;
}

QString u8(const char* s) {
  return QString::fromUtf8(s);
}

QColor colourOf(Colour c) {
  switch (c) {
    case Colour::LightYellow:
      return {255, 255, 128};
    case Colour::LightGreen:
      return {128, 255, 128};
    case Colour::ResultsFrame:
      return {204, 238, 251};
    case Colour::TeamArea:
      return {160, 252, 232};
    case Colour::None:
      break;
  }
  return {};
}

// The colour a row asks for; without one, what the system gives that kind of control.
QColor expectedColour(Colour c, const QWidget* w, QPalette::ColorRole role) {
  return c == Colour::None ? QApplication::palette(w).color(QPalette::Active, role) : colourOf(c);
}

// The stored layout on a plain widget, as the window loads it.
class StoredLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.setupUi(&form);
    applyPixelFonts(&form);
  }

  QWidget* find(const char* name) const { return form.findChild<QWidget*>(u8(name)); }
  QString parentName(const QWidget* w) const { return w->parentWidget() ? w->parentWidget()->objectName() : QString(); }
  int stackIndex(const char* name) const {
    const QWidget* w = find(name);
    return w ? int(w->parentWidget()->children().indexOf(const_cast<QWidget*>(w))) : -1;
  }

  QWidget form;
  Ui::Fedit ui;
};

class BoardControl : public StoredLayout, public ::testing::WithParamInterface<Control> {};

TEST_P(BoardControl, StandsWhereTheBoardPutsIt) {
  const Control& c = GetParam();
  const auto matches = form.findChildren<QWidget*>(u8(c.name));
  ASSERT_EQ(matches.size(), 1) << c.name << " must exist exactly once";
  QWidget* w = matches.front();

  EXPECT_STREQ(w->metaObject()->className(), c.cls);
  EXPECT_EQ(parentName(w), u8(c.parent));
  if (c.x != kAny) {
    EXPECT_EQ(w->geometry(), QRect(c.x, c.y, c.w, c.h));
  }
  EXPECT_EQ(w->focusPolicy(), c.focus);
}

INSTANTIATE_TEST_SUITE_P(Layout, BoardControl, ::testing::ValuesIn(allControls()), rowName);

class BoardCaption : public BoardControl {};

TEST_P(BoardCaption, ShowsItsDesignText) {
  const Control& c = GetParam();
  QWidget* w = find(c.name);
  ASSERT_NE(w, nullptr);
  QString text;
  if (auto* label = qobject_cast<QLabel*>(w)) {
    text = label->text();
    EXPECT_FALSE(label->wordWrap());
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    text = edit->text();
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    text = button->text();
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    text = group->title();
  } else {
    FAIL() << c.name << " has no place for a text";
  }
  EXPECT_EQ(text, u8(c.text));
}

INSTANTIATE_TEST_SUITE_P(Layout, BoardCaption,
                         ::testing::ValuesIn(rowsWhere([](const Control& c) { return c.text != nullptr; })), rowName);

class BoardField : public BoardControl {
 protected:
  QLineEdit* field() const { return qobject_cast<QLineEdit*>(find(GetParam().name)); }
};

TEST_P(BoardField, IsReadOnlyAndAlignedByKind) {
  QLineEdit* edit = field();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->isReadOnly(), GetParam().readOnly);
  // Figures sit flush right; names and affiliations read from the left.
  const Qt::Alignment horizontal = edit->alignment() & Qt::AlignHorizontal_Mask;
  EXPECT_EQ(horizontal, qobject_cast<TREdit*>(edit) ? Qt::AlignRight : Qt::AlignLeft);
}

TEST_P(BoardField, HasItsBackground) {
  QLineEdit* edit = field();
  ASSERT_NE(edit, nullptr);
  const QColor expected = expectedColour(GetParam().colour, edit, QPalette::Base);
  EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Base), expected);
  EXPECT_EQ(edit->palette().color(QPalette::Inactive, QPalette::Base), expected);
}

INSTANTIATE_TEST_SUITE_P(Layout, BoardField, ::testing::ValuesIn(rowsWhere(isField)), rowName);

class BoardPanel : public BoardControl {};

TEST_P(BoardPanel, IsAnOpaqueRaisedPanel) {
  auto* frame = qobject_cast<QFrame*>(find(GetParam().name));
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->autoFillBackground()) << "a panel hides what lies behind it";
  EXPECT_EQ(frame->frameShape(), QFrame::Panel);
  EXPECT_EQ(frame->frameShadow(), QFrame::Raised);
  EXPECT_EQ(frame->lineWidth(), 1);
  EXPECT_EQ(frame->layout(), nullptr) << "its controls stand where they are put";
}

TEST_P(BoardPanel, HasItsBackground) {
  QWidget* w = find(GetParam().name);
  ASSERT_NE(w, nullptr);
  const QColor expected = expectedColour(GetParam().colour, w, QPalette::Window);
  EXPECT_EQ(w->palette().color(QPalette::Active, QPalette::Window), expected);
  EXPECT_EQ(w->palette().color(QPalette::Inactive, QPalette::Window), expected);
}

INSTANTIATE_TEST_SUITE_P(Layout, BoardPanel, ::testing::ValuesIn(rowsWhere(isPanel)), rowName);

TEST_F(StoredLayout, HoldsNoControlBeyondTheTable) {
  const QSet<QString> containers{u8("Fedit"),  u8("Panel1"), u8("Panel2"), u8("Panel3"),
                                 u8("Panel4"), u8("Panel5"), u8("Panel6")};
  QStringList found;
  for (QWidget* w : form.findChildren<QWidget*>()) {
    if (containers.contains(parentName(w))) found << w->objectName();
  }
  QStringList expected;
  for (const Control& c : allControls()) expected << u8(c.name);
  found.sort();
  expected.sort();
  EXPECT_EQ(found, expected);
}

TEST_F(StoredLayout, WindowHasItsCaptionSizeAndFont) {
  EXPECT_EQ(form.objectName(), u8("Fedit"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("ジャンプ\u3000得点表示"));
  EXPECT_EQ(form.size(), QSize(843, 679));
  EXPECT_EQ(form.layout(), nullptr);
  EXPECT_EQ(form.font().family(), kBoardFontFamily);
  EXPECT_EQ(form.font().pixelSize(), 19);
  EXPECT_TRUE(form.font().bold());
}

struct FontCase {
  const char* name;
  int pixels;
  bool bold;
};
void PrintTo(const FontCase& f, std::ostream* os) {
  *os << f.name;
}

class BoardFont : public StoredLayout, public ::testing::WithParamInterface<FontCase> {};

TEST_P(BoardFont, UsesItsFaceSizeAndWeight) {
  const FontCase& f = GetParam();
  QWidget* w = find(f.name);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->font().family(), kBoardFontFamily);
  EXPECT_EQ(w->font().pixelSize(), f.pixels);
  EXPECT_EQ(w->font().bold(), f.bold);
}

// Controls with fonts of their own, and a sample of those that take the window's.
INSTANTIATE_TEST_SUITE_P(
    Layout, BoardFont,
    ::testing::Values(FontCase{"Label1", 21, true}, FontCase{"Label34", 11, true}, FontCase{"Label3", 21, true},
                      FontCase{"RGdb", 12, false}, FontCase{"RGdbi", 12, false}, FontCase{"Linfo", 16, true},
                      FontCase{"eCode", 19, false}, FontCase{"eZek", 19, true}, FontCase{"eName", 19, true},
                      FontCase{"lHon", 19, true}, FontCase{"eAA", 19, true}, FontCase{"Label30", 19, true},
                      FontCase{"eSougou", 19, true}, FontCase{"Label36", 19, true}, FontCase{"etmst", 19, true},
                      FontCase{"Esyoznx", 19, true}, FontCase{"tknonx", 19, true}, FontCase{"Button4", 19, true},
                      FontCase{"CuteButton1", 19, true}),
    [](const ::testing::TestParamInfo<FontCase>& p) { return std::string(p.param.name); });

TEST_F(StoredLayout, ChoiceGroupsOfferLocalAndServer) {
  auto* mysql = form.findChild<RadioGroup*>(u8("RGdb"));
  auto* interbase = form.findChild<RadioGroup*>(u8("RGdbi"));
  ASSERT_NE(mysql, nullptr);
  ASSERT_NE(interbase, nullptr);
  const QStringList items{u8("Local"), u8("Server")};
  EXPECT_EQ(mysql->items(), items);
  EXPECT_EQ(interbase->items(), items);
  EXPECT_EQ(mysql->itemIndex(), -1);
  EXPECT_EQ(interbase->itemIndex(), 0);

  // The groups' small regular black face reaches their items.
  for (RadioGroup* group : {mysql, interbase}) {
    EXPECT_EQ(group->palette().color(QPalette::WindowText), QColor(Qt::black));
    const auto buttons = group->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 2);
    for (QRadioButton* b : buttons) {
      EXPECT_EQ(b->font().pixelSize(), 12);
      EXPECT_FALSE(b->font().bold());
      EXPECT_EQ(b->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
  }
}

TEST_F(StoredLayout, SelectionPanelLiesAboveTheWholeBoard) {
  QWidget* last = nullptr;
  for (QObject* child : form.children()) {
    if (child->isWidgetType()) last = static_cast<QWidget*>(child);
  }
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->objectName(), u8("Panel5"));
}

TEST_F(StoredLayout, NumberBoxesLieAboveTheFieldsTheyCover) {
  // Once shown, Panel3 stands on eZek and eCode, and Panel6 on ezeknx.
  EXPECT_GT(stackIndex("Panel3"), stackIndex("eZek"));
  EXPECT_GT(stackIndex("Panel3"), stackIndex("eCode"));
  EXPECT_GT(stackIndex("Panel6"), stackIndex("ezeknx"));
  EXPECT_GE(stackIndex("eZek"), 0);
  EXPECT_GE(stackIndex("eCode"), 0);
  EXPECT_GE(stackIndex("ezeknx"), 0);
}

TEST_F(StoredLayout, ClearDisplayFieldsAreAllThere) {
  const char* const cleared[] = {"eZek",    "eCode",   "eName",   "eSyoz",   "eAA",     "eAL",     "eAO",    "eAT",
                                 "eBA",     "eBL",     "eBO",     "eBT",     "eCA",     "eCL",     "eCO",    "eCT",
                                 "eDA",     "eDL",     "eDO",     "eDT",     "eEA",     "eEL",     "eEO",    "eET",
                                 "eSpeed1", "eDist1",  "eDistP1", "eJudge1", "eTotal1", "eSpeed2", "eDist2", "eDistP2",
                                 "eJudge2", "eTotal2", "eSougou", "Erank1",  "Erank2",  "Erankt"};
  ASSERT_EQ(std::size(cleared), 38u);
  for (const char* name : cleared) {
    auto* field = form.findChild<QLineEdit*>(u8(name));
    ASSERT_NE(field, nullptr) << name;
    const bool plain = std::string_view(name) == "eName" || std::string_view(name) == "eSyoz";
    EXPECT_STREQ(field->metaObject()->className(), plain ? "QLineEdit" : "TREdit") << name;
  }
}

}  // namespace
