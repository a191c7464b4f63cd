#include "i18n/PackCipher.h"

namespace vantrel::PackCipher {

std::optional<QByteArray> decipher(const QByteArray &stored)
{
    QByteArray out(stored.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const int code = static_cast<unsigned char>(stored[i]);
        if (code < kShift)
            return std::nullopt;
        out[i] = char(code - kShift);
    }
    return out;
}

std::optional<QByteArray> encipher(const QByteArray &plain)
{
    QByteArray out(plain.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const int code = static_cast<unsigned char>(plain[i]) + kShift;
        if (code > 255)
            return std::nullopt;
        out[i] = char(code);
    }
    return out;
}

} // namespace vantrel::PackCipher
