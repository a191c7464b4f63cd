#pragma once

#include "strat/StratRecords.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

// The outcome of reading or writing a strat file: ok, or a message that names
// the file and what is wrong.
struct StratFileResult
{
    bool ok = false;
    QString message;

    explicit operator bool() const { return ok; }
};

// Strat files (.vtr): a straight little-endian dump of the overview name, the
// title and the five lists. Empty text and movement lists are written as
// placeholders and read back as empty lists.
namespace StratFile {

// The exact bytes of a strat file. Fails only when a text or list does not fit
// its 16-bit length or count.
StratFileResult encode(const Strat &strat, QByteArray &bytes);

// Parses bytes read from `fileName` (used in messages only). Every count and
// length is checked against the bytes present; on error `strat` is left empty.
StratFileResult decode(const QByteArray &bytes, const QString &fileName, Strat &strat);

// Reads a whole file, or writes it atomically: a temporary file beside the
// target, renamed over it, so a failed save leaves the old file whole.
StratFileResult read(const QString &path, Strat &strat);
StratFileResult write(const QString &path, const Strat &strat);

} // namespace StratFile

} // namespace vantrel
