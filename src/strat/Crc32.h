#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace vantrel {

// CRC-32 as zip and PNG compute it: reflected polynomial 0xEDB88320, initial
// value and final xor 0xFFFFFFFF ("123456789" gives 0xCBF43926).
uint32_t crc32(QByteArrayView bytes);

} // namespace vantrel
