#pragma once

#include <QString>
#include <QStringList>

namespace vantrel {

// The scratch files of a recording: the frame bitmaps video/0001.bmp onward
// and temp.bmp, in the program folder (or the per-user data folder when the
// program folder is not writable).
namespace FrameFolder {

// The folder video/ inside the writable program folder.
QString path();
// Puts video/ and temp.bmp into `folder` instead (empty: back to the program
// folder). For headless renders, which must not touch a recording of the
// program that may be running at the same time.
void setScratchFolder(const QString &folder);
// Creates the folder when it is missing; false when it cannot be had.
bool ensureExists();
// Deletes every file in the folder (sub-folders are left alone).
void empty();

// "0001.bmp": k formatted with at least four digits.
QString frameFileName(int k);
QString framePath(int k);
// The paths of frame files 1 to `count`, in order.
QStringList framePaths(int count);

// temp.bmp beside the video/ folder.
QString tempBitmapPath();

} // namespace FrameFolder

} // namespace vantrel
