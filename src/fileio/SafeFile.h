#pragma once

#include "fileio/FileResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vantrel::SafeFile {

enum class Times { New, KeepOld };

// The one way the program writes a whole file. The bytes go to a new
// temporary file beside the target; every write is checked, the data is
// flushed to the disk and only then renamed over the target, so on any
// failure (a full disk, a lost folder) the old file is untouched and no
// temporary file is left behind. A replaced file hands its permissions on to
// the new one, and with Times::KeepOld its access and modification times.
//
// An existing target that is not a regular file (a device, a FIFO, a folder)
// is refused with "not a regular file" and left alone. A symbolic link is
// followed: the file it leads to is replaced and the link stays; a link that
// leads nowhere is refused, as writing would create a file elsewhere than
// the user sees. A failure's message names the file and the reason.
FileResult replace(const QString &path, const QByteArray &bytes, Times times = Times::New);

// Refuses `path` as an output when it exists and is not a regular file, or
// when it is one of `inputs` (through a link or another spelling too), which
// writing would destroy before it is read. Used before a command spends time
// on work it could not write.
FileResult checkTarget(const QString &path, const QStringList &inputs = {});

} // namespace vantrel::SafeFile
