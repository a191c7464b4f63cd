#pragma once

#include <QString>

namespace vantrel {

class clsLanguagePack;

// The strat document names its undo steps in English; the Edit menu shows
// them in the language of the loaded pack. A name without a message id (a
// group already named in the user's language) is shown as it is.
QString translatedStepName(const clsLanguagePack &language, const QString &english);

} // namespace vantrel
