#pragma once

#include "export/AviFile.h"
#include "export/RecordingVideo.h"
#include "export/VideoWriter.h"
#include "fileio/FileResult.h"

#include <QString>

#include <memory>

class QCoreApplication;

namespace vantrel {

// The command line's renders: a strat opened in a strat window that is never
// shown on a screen, played for an exact number of frame ticks without
// waiting in real time, and written through the window's own export and
// recording code.
namespace HeadlessRender {

// The application a render needs: windows on the offscreen platform.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv);

// Exporta at frame `frames` (0: a stopped window): the JPEG written to
// `typedName` with the ".jpg" rule. A failure names the file and the reason,
// and leaves no output file behind.
FileResult image(const QString &stratPath, const QString &typedName, int frames);

// REC, `frames` frame ticks, STOP and SAVE in `format` (an AVI codec, MP4
// or GIF), in full motion (every frame recorded, 64 a second) when asked: the
// video written to `typedName`, its extension following the format. The
// frames are recorded into a private scratch folder, so a recording of the
// program is left alone.
AviResult video(const QString &stratPath, const QString &typedName, int frames,
                const RecordingFormat &format, bool fullMotion = false);

} // namespace HeadlessRender

} // namespace vantrel
