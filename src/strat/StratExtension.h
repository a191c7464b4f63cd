#pragma once

#include "strat/StratRecords.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

// The extension block that follows the link block of a strat file: the
// drawings and the full text of every title, text and link whose code-page
// form lost characters. Readers of the core ignore it as a tail; its header
// records the length and CRC-32 of the core it belongs to, so a tail left
// behind by another writer never comes back. docs/strat-file.md has the
// byte layout.
namespace StratExtension {

inline constexpr char kMagic[] = "VTR-EXT\x1A"; // 8 bytes, no terminator stored
inline constexpr uint16_t kVersion = 1;

// Why a block that matched its core was left out, in the words the window
// shows (the message ids of the language packs carry their translations).
inline constexpr char kNewerNotice[]
    = "This strat holds drawings or texts saved by a newer version. They are not shown, "
      "and saving the strat leaves them out.";
inline constexpr char kDamagedNotice[]
    = "The drawings and texts stored beside this strat are damaged. They are not shown, "
      "and saving the strat leaves them out.";

// Appends the block for `strat` to `bytes`, which hold exactly its core;
// nothing when the strat needs no block.
void append(const Strat &strat, QByteArray &bytes);

// Reads the block that may start at `coreEnd` into `strat`, whose core is
// read already: its drawings, and each full text whose code-page form equals
// what the core holds. No block, or one that belongs to another core, is
// silently nothing. A block of a later version, or a damaged one, changes
// nothing and returns the notice to show; otherwise the result is empty.
QString read(const QByteArray &bytes, qsizetype coreEnd, Strat &strat);

} // namespace StratExtension

} // namespace vantrel
