#include "maintenance/cleanup/dosaccents.h"

#include "platform/codepage.h"

#include <array>

namespace cleanup {
namespace {

// Windows-1250 byte for each DOS byte; 0 where the byte stays.
constexpr std::array<unsigned char, 256> makeTable()
{
    std::array<unsigned char, 256> table{};
    const unsigned char pairs[][2] = {
        {0x81, 0xFC}, {0x82, 0xE9}, {0x84, 0xE4}, {0x8E, 0xC4}, {0x8F, 0xC1},
        {0x90, 0xC9}, {0x93, 0xF5}, {0x94, 0xF6}, {0x96, 0xFB}, {0x99, 0xD6},
        {0xA0, 0xE1}, {0xA1, 0xED}, {0xA2, 0xF3}, {0xA3, 0xFA}, {0xE1, 0xDF},
    };
    for (const auto &pair : pairs)
        table[pair[0]] = pair[1];
    return table;
}

constexpr auto kTable = makeTable();

unsigned char converted(unsigned char byte)
{
    return kTable[byte] != 0 ? kTable[byte] : byte;
}

} // namespace

QByteArray DosToWindowsAccents(const QByteArray &bytes)
{
    QByteArray result = bytes;
    for (char &c : result)
        c = char(converted(static_cast<unsigned char>(c)));
    return result;
}

QString DosToWindowsAccents(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c.unicode() < 0x80)
            continue;
        const int byte = cp1250::byteFor(c.unicode());
        if (byte < 0 || kTable[std::size_t(byte)] == 0)
            continue;
        const char mapped = char(kTable[std::size_t(byte)]);
        c = cp1250::decode(QByteArrayView(&mapped, 1)).front();
    }
    return result;
}

} // namespace cleanup
