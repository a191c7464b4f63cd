// Fuzzes the strat file reader: any bytes must give a strat or an error, and
// whatever it accepts must be written and read again without loss. (The
// first rewrite may normalise a file, e.g. an empty list written without its
// placeholder; from then on the bytes must be a fixed point.)

#include "strat/StratFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray rewrite(const QByteArray &bytes)
{
    using namespace vantrel;
    Strat strat;
    if (!StratFile::decode(bytes, QStringLiteral("fuzz.vtr"), strat).ok)
        return {};
    QByteArray out;
    if (!StratFile::encode(strat, out).ok)
        return {};
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray once = rewrite(bytes);
    if (once.isEmpty())
        return 0;
    const QByteArray twice = rewrite(once);
    if (twice.isEmpty())
        std::abort(); // the reader refused what the writer wrote
    if (rewrite(twice) != twice)
        std::abort();
    return 0;
}
