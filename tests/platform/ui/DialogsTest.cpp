#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "platform/ui/Dialogs.h"

namespace {

struct BoxSeen {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString title;
  QString text;
  QList<QAbstractButton*>::size_type buttons = 0;
  bool modal = false;
};

// Runs `show`, which must open a real box; the box is read and answered from inside its own loop.
BoxSeen answerRealBox(const std::function<void()>& show) {
  BoxSeen seen;
  QTimer poll;
  poll.setInterval(0);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      seen = {box->icon(), box->windowTitle(), box->text(), box->buttons().size(), box->isModal()};
      poll.stop();
      box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
      return;
    }
  });
  poll.start();
  show();
  return seen;
}

class DialogsTest : public ::testing::Test {
 protected:
  void TearDown() override { Dialogs::setHandler({}); }
};

TEST_F(DialogsTest, ErrorIsACriticalBoxWithTheMessageUnderTheApplicationTitle) {
  const BoxSeen box = answerRealBox([] { Dialogs::showError(nullptr, QStringLiteral("接続できません")); });
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.text, QStringLiteral("接続できません"));
  EXPECT_EQ(box.title, QGuiApplication::applicationDisplayName());
  EXPECT_TRUE(box.modal);
  EXPECT_EQ(box.buttons, 1);
}

TEST_F(DialogsTest, MessageIsAPlainBoxWithOneOkButton) {
  const BoxSeen box =
      answerRealBox([] { Dialogs::showMessage(nullptr, QStringLiteral("データベースが稼動していません。")); });
  EXPECT_EQ(box.icon, QMessageBox::NoIcon);
  EXPECT_EQ(box.text, QStringLiteral("データベースが稼動していません。"));
  EXPECT_TRUE(box.modal);
  EXPECT_EQ(box.buttons, 1);
}

TEST_F(DialogsTest, TestHandlerReplacesBothBoxesUntilRestored) {
  QList<std::pair<Dialogs::Kind, QString>> seen;
  Dialogs::setHandler([&](Dialogs::Kind kind, const QString& message) { seen.append({kind, message}); });
  Dialogs::showError(nullptr, QStringLiteral("e"));
  Dialogs::showMessage(nullptr, QStringLiteral("m"));
  ASSERT_EQ(seen.size(), 2);
  EXPECT_EQ(seen[0], std::make_pair(Dialogs::Kind::Error, QStringLiteral("e")));
  EXPECT_EQ(seen[1], std::make_pair(Dialogs::Kind::Message, QStringLiteral("m")));

  Dialogs::setHandler({});
  const BoxSeen box = answerRealBox([] { Dialogs::showMessage(nullptr, QStringLiteral("again")); });
  EXPECT_EQ(box.text, QStringLiteral("again"));
  EXPECT_EQ(seen.size(), 2);
}

}  // namespace
