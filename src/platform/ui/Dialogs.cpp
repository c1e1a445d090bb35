#include "platform/ui/Dialogs.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace Dialogs {
namespace {

Handler& testHandler() {
  static Handler handler;
  return handler;
}

void show(QWidget* parent, Kind kind, const QString& message) {
  // A copy, so that a handler may replace itself while it runs.
  if (const Handler handler = testHandler()) {
    handler(kind, message);
    return;
  }
  QMessageBox box(kind == Kind::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                  QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void showError(QWidget* parent, const QString& message) {
  show(parent, Kind::Error, message);
}

void showMessage(QWidget* parent, const QString& message) {
  show(parent, Kind::Message, message);
}

void setHandler(Handler handler) {
  testHandler() = std::move(handler);
}

}  // namespace Dialogs
