#pragma once

#include "fileio/FileResult.h"

class QWidget;

namespace vantrel {

class Ui;

// Shows a file result's message in a message box with the icon it asks
// for; a result without a message shows nothing.
void showResultMessage(Ui &ui, QWidget *owner, const FileResult &result);

} // namespace vantrel
