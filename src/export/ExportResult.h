#pragma once

// The export's results are the program's one file result; these names serve
// the video writers until they use it by its own name.
#include "fileio/FileResult.h"

namespace vantrel {
using ExportResult = FileResult;
using ResultIcon = MsgIcon;
} // namespace vantrel
