#pragma once

#include <array>

// Single-byte code pages an RTF file may use for its \'hh bytes and raw
// 8-bit text.
namespace rtf {

// Decodes the bytes of one code page. Code pages the program has no table
// for decode as Windows-1252, the usual default of RTF writers.
class ByteDecoder final {
public:
    explicit ByteDecoder(int codePage = 1252);

    // The code page actually used (1252 when the requested one is unknown).
    int codePage() const { return m_codePage; }

    char16_t decode(unsigned char byte) const
    {
        return byte < 0x80 ? char16_t(byte) : m_high[byte - 0x80];
    }

    // True when the program has a table for the code page.
    static bool isSupported(int codePage);

private:
    int m_codePage;
    std::array<char16_t, 128> m_high{};
};

// The code page of a font's \fcharset, or fallback when the character set
// names none that a single-byte table covers (ANSI default, OEM, Mac, the
// double-byte Asian sets).
int codePageForCharset(int charset, int fallback);

} // namespace rtf
