#include "platform/codepage.h"

#include <array>

namespace cp1250 {
namespace {

// Characters of the bytes 0x80..0xFF. Unassigned bytes map to the C1 control
// of the same value.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20ac, 0x0081, 0x201a, 0x0083, 0x201e, 0x2026, 0x2020, 0x2021, //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015a, 0x0164, 0x017d, 0x0179, //
    0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0161, 0x203a, 0x015b, 0x0165, 0x017e, 0x017a, //
    0x00a0, 0x02c7, 0x02d8, 0x0141, 0x00a4, 0x0104, 0x00a6, 0x00a7, //
    0x00a8, 0x00a9, 0x015e, 0x00ab, 0x00ac, 0x00ad, 0x00ae, 0x017b, //
    0x00b0, 0x00b1, 0x02db, 0x0142, 0x00b4, 0x00b5, 0x00b6, 0x00b7, //
    0x00b8, 0x0105, 0x015f, 0x00bb, 0x013d, 0x02dd, 0x013e, 0x017c, //
    0x0154, 0x00c1, 0x00c2, 0x0102, 0x00c4, 0x0139, 0x0106, 0x00c7, //
    0x010c, 0x00c9, 0x0118, 0x00cb, 0x011a, 0x00cd, 0x00ce, 0x010e, //
    0x0110, 0x0143, 0x0147, 0x00d3, 0x00d4, 0x0150, 0x00d6, 0x00d7, //
    0x0158, 0x016e, 0x00da, 0x0170, 0x00dc, 0x00dd, 0x0162, 0x00df, //
    0x0155, 0x00e1, 0x00e2, 0x0103, 0x00e4, 0x013a, 0x0107, 0x00e7, //
    0x010d, 0x00e9, 0x0119, 0x00eb, 0x011b, 0x00ed, 0x00ee, 0x010f, //
    0x0111, 0x0144, 0x0148, 0x00f3, 0x00f4, 0x0151, 0x00f6, 0x00f7, //
    0x0159, 0x016f, 0x00fa, 0x0171, 0x00fc, 0x00fd, 0x0163, 0x02d9, //
};

// Inverse of kHighHalf for the characters below U+0180 (a direct table) and a
// short search for the few above.
struct Inverse {
    std::array<short, 0x180> low{};
    constexpr Inverse()
    {
        for (int c = 0; c < 0x180; ++c)
            low[static_cast<std::size_t>(c)] = c < 0x80 ? static_cast<short>(c) : -1;
        for (int b = 0; b < 128; ++b) {
            const char16_t c = kHighHalf[static_cast<std::size_t>(b)];
            if (c < 0x180)
                low[c] = static_cast<short>(0x80 + b);
        }
    }
};
constexpr Inverse kInverse;

} // namespace

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = QChar(b < 0x80 ? char16_t(b) : kHighHalf[b - 0x80]);
    }
    return out;
}

int byteFor(char32_t codePoint)
{
    if (codePoint < 0x180)
        return kInverse.low[codePoint];
    if (codePoint > 0xffff)
        return -1;
    for (int b = 0; b < 128; ++b) {
        if (kHighHalf[static_cast<std::size_t>(b)] == codePoint)
            return 0x80 + b;
    }
    return -1;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the code page
        const int b = c.isSurrogate() ? -1 : byteFor(c.unicode());
        out.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

bool canEncode(QStringView text)
{
    for (const QChar c : text) {
        if (c.isSurrogate() || byteFor(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace cp1250
