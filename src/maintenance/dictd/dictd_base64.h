#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace dictd {

// Decodes a number written in the digits of a dictd index: the 64 characters
// A-Z a-z 0-9 + / stand for 0..63, most significant digit first (there is no
// padding). Returns nothing for an empty text, a character outside that
// alphabet, or a value that does not fit in 63 bits.
std::optional<std::int64_t> decodeIndexNumber(QByteArrayView digits);

} // namespace dictd
