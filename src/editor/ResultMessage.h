#pragma once

#include "export/ExportResult.h"

class QWidget;

namespace vantrel {

class Ui;

// Shows an export result's message in a message box with the icon it asks
// for; a result without a message shows nothing.
void showResultMessage(Ui &ui, QWidget *owner, const ExportResult &result);

} // namespace vantrel
