#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Every modal box of the program goes through here, so that tests can answer and inspect them.
namespace Dialogs {

enum class Kind { Error, Message };

// The application's standard error dialog for a failure that escaped a handler.
void showError(QWidget* parent, const QString& message);

// A modal message box with one OK button.
void showMessage(QWidget* parent, const QString& message);

// Tests replace the boxes with a function that records them; an empty function restores the real ones.
using Handler = std::function<void(Kind, const QString&)>;
void setHandler(Handler handler);

}  // namespace Dialogs
