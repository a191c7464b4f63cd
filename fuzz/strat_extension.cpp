// Fuzzes the reader of the extension block. The input is the block's body;
// the harness puts it behind a fixed core with a header and CRCs that fit,
// so the section reader sees it rather than a CRC failure. Whatever it
// accepts must be written and read back to the same strat.

#include "strat/Crc32.h"
#include "strat/StratExtension.h"
#include "strat/StratFile.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace vantrel;

template<typename T> void put(QByteArray &out, T v)
{
    v = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&v), sizeof v);
}

// A core with texts for the block's full texts to replace.
const QByteArray &core()
{
    static const QByteArray bytes = [] {
        Strat s;
        s.Title = QStringLiteral("Rush ?");
        s.Texts.append({10, 20, QStringLiteral("smoke ?")});
        s.Texts.append({30, 40, QStringLiteral("??")});
        s.Links.append({QStringLiteral("http://?"), 0, 0, 0});
        QByteArray out;
        StratFile::encode(s, out);
        return out;
    }();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = core();
    bytes.append(StratExtension::kMagic, 8);
    put<uint16_t>(bytes, StratExtension::kVersion);
    put<uint32_t>(bytes, uint32_t(core().size()));
    put<uint32_t>(bytes, crc32(core()));
    put<uint32_t>(bytes, uint32_t(size));
    bytes.append(reinterpret_cast<const char *>(data), qsizetype(size));
    put<uint32_t>(bytes, crc32(QByteArrayView(bytes).sliced(core().size())));

    Strat strat;
    const FileResult read = StratFile::decode(bytes, QStringLiteral("fuzz.vtr"), strat);
    if (!read.ok)
        std::abort(); // the core is sound: a block never fails a read
    QByteArray again;
    if (!StratFile::encode(strat, again).ok)
        return 0;
    Strat back;
    if (!StratFile::decode(again, QStringLiteral("again.vtr"), back).ok || !(back == strat))
        std::abort();
    return 0;
}
