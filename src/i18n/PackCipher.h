#pragma once

#include <QByteArray>

#include <optional>

namespace vantrel::PackCipher {

// Every enciphered text of a language pack stores each character's code plus
// this shift; it is the one value the reader and the writers share.
constexpr int kShift = 3;

// Subtracts the shift from every byte; nothing when a byte is below it (such
// a byte has no character, so the pack is damaged).
std::optional<QByteArray> decipher(const QByteArray &stored);

// Adds the shift to every byte; nothing when a byte would pass 255.
std::optional<QByteArray> encipher(const QByteArray &plain);

} // namespace vantrel::PackCipher
