#include "strat/Crc32.h"

#include <array>

namespace vantrel {

namespace {

constexpr std::array<uint32_t, 256> makeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = makeTable();

} // namespace

uint32_t crc32(QByteArrayView bytes)
{
    uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = kTable[(c ^ uint8_t(byte)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

} // namespace vantrel
