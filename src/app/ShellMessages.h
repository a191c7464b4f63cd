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
// What opening `path` left out (a notice of StratFile::read), with the
// exclamation icon: the strat opened all the same.
void openNotice(const Workspace &ws, QWidget *owner, const QString &path, const QString &notice);
// "Too much strats open at the same time." (s0009): all eleven slots are taken.
void tooManyStrats(const Workspace &ws, QWidget *owner);

} // namespace ShellMessages

} // namespace vantrel
