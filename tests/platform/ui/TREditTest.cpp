#include <gtest/gtest.h>

#include <QImage>

#include "platform/ui/TREdit.h"

namespace {

// Columns of the field's face that the text darkens, found by comparing with the empty field.
std::pair<int, int> inkColumns(const QImage& withText, const QImage& empty) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < withText.width(); ++x) {
    for (int y = 0; y < withText.height(); ++y) {
      if (withText.pixel(x, y) != empty.pixel(x, y)) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

TEST(TREdit, TextSitsFlushRight) {
  TREdit edit;
  EXPECT_EQ(edit.alignment(), Qt::AlignRight | Qt::AlignVCenter);

  edit.setReadOnly(true);
  edit.resize(200, 27);
  const QImage empty = edit.grab().toImage();
  edit.setText(QStringLiteral("125.0"));
  const auto [first, last] = inkColumns(edit.grab().toImage(), empty);
  ASSERT_GE(first, 0) << "no text drawn";
  EXPECT_GT(first, edit.width() / 2);
  EXPECT_GT(last, edit.width() - 20);
}

TEST(TREdit, StaysAnEditField) {
  TREdit edit;
  edit.setText(QStringLiteral("888"));
  EXPECT_EQ(edit.text(), QStringLiteral("888"));
  EXPECT_FALSE(edit.isReadOnly()) << "read-only comes from the stored layout";
  EXPECT_NE(edit.focusPolicy(), Qt::NoFocus) << "tab order comes from the stored layout";
}

}  // namespace
