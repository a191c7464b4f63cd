// Fuzzes the language pack reader: any bytes must give a pack or an error,
// and whatever it accepts must be written and read again without loss.
// (The first rewrite may normalise a file, e.g. a control list stored with
// another lower bound; from then on the bytes must be a fixed point.)

#include "i18n/PackFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray rewrite(const QByteArray &bytes)
{
    using namespace vantrel;
    PackData pack;
    if (!PackFile::decode(bytes, QStringLiteral("fuzz.lpk"), pack).ok)
        return {};
    QByteArray out;
    if (!PackFile::encode(pack, out).ok)
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
