#pragma once

#include "fileio/FileResult.h"
#include "strat/StratRecords.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

// Strat files (.vtr): a straight little-endian dump of the overview name, the
// title and the five lists (the core), followed by the extension block when
// the strat has drawings or texts outside the code page. Empty text and
// movement lists are written as placeholders and read back as empty lists.
namespace StratFile {

// The exact bytes of a strat file. Fails only when a text or list does not fit
// its 16-bit length or count.
FileResult encode(const Strat &strat, QByteArray &bytes);

// Parses bytes read from `fileName` (used in messages only). Every count and
// length is checked against the bytes present; on error `strat` is left empty.
// An extension block that was left out (a later version, or damaged) gives an
// ok result whose message is that notice (StratExtension::kNewerNotice or
// kDamagedNotice).
FileResult decode(const QByteArray &bytes, const QString &fileName, Strat &strat);

// Reads a whole file (a regular file of at most 64 MiB), or writes it through
// the safe writer, so a failed save leaves the old file whole.
FileResult read(const QString &path, Strat &strat);
FileResult write(const QString &path, const Strat &strat);

} // namespace StratFile

} // namespace vantrel
