// libFuzzer entry for the Windows-1250 code page: every byte string survives
// decode and encode unchanged, and text made of any UTF-16 units encodes to
// one byte a character that decodes back to the same text wherever the code
// page holds the character.
#include "platform/codepage.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const QString decoded = cp1250::decode(bytes);
    if (decoded.size() != bytes.size() || cp1250::encode(decoded) != bytes)
        __builtin_trap();

    // The same input as UTF-16 units, lone surrogates included.
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(data),
                                            static_cast<qsizetype>(size / 2));
    const QByteArray encoded = cp1250::encode(text);
    if (cp1250::canEncode(text) && cp1250::decode(encoded) != text)
        __builtin_trap();
    return 0;
}
