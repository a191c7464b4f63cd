#pragma once

#include "export/ExportResult.h"

namespace vantrel {

// The outcome of writing a video: the file result (ok, or a message naming
// the file and the reason, with its icon), whether it was cancelled (then
// silent, and no file is left), and what went into the file.
struct VideoResult : ExportResult
{
    bool cancelled = false;
    int framesWritten = 0;
    int replacedFrames = 0; // frame files that could not be read: the previous frame stands in

    static VideoResult failure(const QString &message, ResultIcon icon = ResultIcon::Information)
    {
        VideoResult r;
        r.message = message;
        r.icon = icon;
        return r;
    }
};

} // namespace vantrel
