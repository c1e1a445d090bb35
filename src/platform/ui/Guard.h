#pragma once

#include <exception>
#include <QString>

#include "platform/ui/Dialogs.h"

// Runs a handler's body so that no exception reaches Qt's event loop: a failure goes to the standard
// error dialog with its own message, and the program carries on.
template <class Body>
void runGuarded(QWidget* parent, Body&& body) {
  try {
    body();
  } catch (const std::exception& e) {
    Dialogs::showError(parent, QString::fromUtf8(e.what()));
  }
}
