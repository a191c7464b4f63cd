#pragma once

// The safe writer moved to fileio; this header serves the export's files until
// they include it from there.
#include "fileio/SafeFile.h"

namespace vantrel::SafeFile {
using vantrel::fileError;
} // namespace vantrel::SafeFile
