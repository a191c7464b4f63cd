#pragma once

#include "appcore/SettingsStore.h"

#include <QString>

namespace vantrel {

// Where the file dialogs start.
namespace StartFolder {

// The folder last used for `kind` while it still exists; before that the
// program folder where it can be written, else the user's documents folder
// (an installed copy's folder is a read-only system folder).
QString forKind(const SettingsStore &settings, FileKind kind);
// Remembers the folder of `chosenFile` for the next dialog of its kind.
void remember(SettingsStore &settings, FileKind kind, const QString &chosenFile);

} // namespace StartFolder

} // namespace vantrel
