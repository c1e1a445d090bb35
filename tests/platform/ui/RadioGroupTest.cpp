#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>
#include <stdexcept>

#include "platform/ui/Dialogs.h"
#include "platform/ui/RadioGroup.h"

namespace {

enum class Action { Assign, Click, LayoutProperty };

struct SelectionCase {
  const char* name;
  int start;  // item selected before, as the stored layout selects it
  Action action;
  int target;
  bool handlerThrows;
  int runs;  // times the handler ran
  int finalIndex;
  bool escapes;  // the handler's failure leaves the assignment
  int errorDialogs;
};

std::ostream& operator<<(std::ostream& os, const SelectionCase& c) {
  return os << c.name;
}

// A group as the stored layout builds it: caption, items and selection set as properties.
class RadioGroupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    group.setObjectName(QStringLiteral("RGdbi"));
    group.setTitle(QStringLiteral("Interbase"));
    group.setProperty("items", QStringList{QStringLiteral("Local"), QStringLiteral("Server")});
    group.setGeometry(225, 224, 81, 73);
    group.show();
    Dialogs::setHandler([this](Dialogs::Kind kind, const QString& message) { dialogs.append({kind, message}); });
    group.setOnClick([this] {
      ++runs;
      seenIndex = group.itemIndex();
      seenChecked = group.button(seenIndex) && group.button(seenIndex)->isChecked();
      if (failure) throw std::runtime_error("connection refused");
    });
  }
  void TearDown() override { Dialogs::setHandler({}); }

  void click(int item) { QTest::mouseClick(group.button(item), Qt::LeftButton); }

  void expectSelected(int index) {
    EXPECT_EQ(group.itemIndex(), index);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(group.button(i)->isChecked(), i == index) << "item " << i;
  }

  RadioGroup group;
  int runs = 0;
  int seenIndex = -2;
  bool seenChecked = false;
  bool failure = false;
  QList<std::pair<Dialogs::Kind, QString>> dialogs;
};

class Selection : public RadioGroupTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(Selection, RunsTheHandlerOnlyWhenAnotherItemBecomesSelected) {
  const SelectionCase& c = GetParam();
  group.setProperty("itemIndex", c.start);
  ASSERT_EQ(runs, 0);
  failure = c.handlerThrows;

  bool escaped = false;
  try {
    switch (c.action) {
      case Action::Assign:
        group.setItemIndex(c.target);
        break;
      case Action::Click:
        click(c.target);
        break;
      case Action::LayoutProperty:
        group.setProperty("itemIndex", c.target);
        break;
    }
  } catch (const std::runtime_error& e) {
    escaped = true;
    EXPECT_STREQ(e.what(), "connection refused");
  }

  EXPECT_EQ(runs, c.runs);
  if (c.runs > 0) {
    EXPECT_EQ(seenIndex, c.target) << "the group reports the new item while the handler runs";
    EXPECT_TRUE(seenChecked) << "the new item is marked while the handler runs";
  }
  EXPECT_EQ(escaped, c.escapes);
  expectSelected(c.finalIndex);
  ASSERT_EQ(dialogs.size(), c.errorDialogs);
  for (const auto& [kind, message] : dialogs) {
    EXPECT_EQ(kind, Dialogs::Kind::Error);
    EXPECT_EQ(message, QStringLiteral("connection refused"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Selection,
                         ::testing::Values(
                             // name, start, action, target, throws, runs, final, escapes, dialogs
                             SelectionCase{"assign_from_none", -1, Action::Assign, 1, false, 1, 1, false, 0},
                             SelectionCase{"assign_other", 0, Action::Assign, 1, false, 1, 1, false, 0},
                             SelectionCase{"assign_same", 1, Action::Assign, 1, false, 0, 1, false, 0},
                             SelectionCase{"clear", 0, Action::Assign, -1, false, 0, -1, false, 0},
                             SelectionCase{"clear_none", -1, Action::Assign, -1, false, 0, -1, false, 0},
                             SelectionCase{"click_unselected", 0, Action::Click, 1, false, 1, 1, false, 0},
                             SelectionCase{"click_from_none", -1, Action::Click, 0, false, 1, 0, false, 0},
                             SelectionCase{"click_selected", 1, Action::Click, 1, false, 0, 1, false, 0},
                             SelectionCase{"assign_throws", 0, Action::Assign, 1, true, 1, 1, true, 0},
                             SelectionCase{"assign_from_none_throws", -1, Action::Assign, 0, true, 1, 0, true, 0},
                             SelectionCase{"click_throws", 0, Action::Click, 1, true, 1, 1, false, 1},
                             SelectionCase{"layout_selects", -1, Action::LayoutProperty, 0, false, 0, 0, false, 0},
                             SelectionCase{"layout_changes", 0, Action::LayoutProperty, 1, false, 0, 1, false, 0},
                             SelectionCase{"layout_clears", 0, Action::LayoutProperty, -1, false, 0, -1, false, 0}),
                         [](const ::testing::TestParamInfo<SelectionCase>& p) { return std::string(p.param.name); });

TEST_F(RadioGroupTest, ClearedItemCanBeSelectedAgain) {
  group.setProperty("itemIndex", 0);
  group.setItemIndex(-1);
  group.setItemIndex(0);
  EXPECT_EQ(runs, 1);
  expectSelected(0);

  group.setItemIndex(-1);
  click(0);
  EXPECT_EQ(runs, 2);
  expectSelected(0);
}

TEST_F(RadioGroupTest, HandlerMayClearAnotherGroup) {
  RadioGroup other;
  other.setProperty("items", QStringList{QStringLiteral("Local"), QStringLiteral("Server")});
  other.setProperty("itemIndex", 1);
  int otherRuns = 0;
  other.setOnClick([&] { ++otherRuns; });
  group.setOnClick([&] {
    ++runs;
    other.setItemIndex(-1);
  });

  click(1);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(otherRuns, 0);
  expectSelected(1);
  EXPECT_EQ(other.itemIndex(), -1);
  EXPECT_FALSE(other.button(0)->isChecked() || other.button(1)->isChecked());
}

TEST_F(RadioGroupTest, ItemsAreRadioButtonsStackedInTheGroup) {
  ASSERT_NE(group.button(0), nullptr);
  ASSERT_NE(group.button(1), nullptr);
  EXPECT_EQ(group.button(2), nullptr);
  EXPECT_EQ(group.button(0)->text(), QStringLiteral("Local"));
  EXPECT_EQ(group.button(1)->text(), QStringLiteral("Server"));
  EXPECT_EQ(group.title(), QStringLiteral("Interbase"));
  EXPECT_EQ(group.items(), (QStringList{QStringLiteral("Local"), QStringLiteral("Server")}));

  const QRect first = group.button(0)->geometry();
  const QRect second = group.button(1)->geometry();
  EXPECT_GE(second.top(), first.bottom()) << "one above the other";
  EXPECT_EQ(first.left(), second.left());
  EXPECT_TRUE(group.rect().contains(first) && group.rect().contains(second));
  EXPECT_GT(first.height(), 0);
}

TEST_F(RadioGroupTest, SelectionFromTheLayoutMayComeBeforeTheItems) {
  RadioGroup loaded;
  int loadedRuns = 0;
  loaded.setOnClick([&] { ++loadedRuns; });
  loaded.setProperty("itemIndex", 0);
  loaded.setProperty("items", QStringList{QStringLiteral("Local"), QStringLiteral("Server")});
  EXPECT_EQ(loadedRuns, 0);
  EXPECT_EQ(loaded.itemIndex(), 0);
  EXPECT_TRUE(loaded.button(0)->isChecked());
  EXPECT_FALSE(loaded.button(1)->isChecked());
}

TEST_F(RadioGroupTest, IndexOutsideTheItemsSelectsNothing) {
  group.setProperty("itemIndex", 0);
  group.setItemIndex(5);
  EXPECT_EQ(runs, 0);
  expectSelected(-1);
}

}  // namespace
