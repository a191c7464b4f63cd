#pragma once

#include <QString>

class QWidget;

namespace vantrel {

class Ui;
class Workspace;

// The error boxes the main window and its dialogs share: one text, an OK
// button and the critical icon.
namespace ShellMessages {

void critical(Ui &ui, QWidget *owner, const QString &message);
// "Too much strats open at the same time." (s0009): all eleven slots are taken.
void tooManyStrats(const Workspace &ws, QWidget *owner);

} // namespace ShellMessages

} // namespace vantrel
