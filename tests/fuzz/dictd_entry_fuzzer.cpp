// libFuzzer entry for the splitting of a dictd entry into headword and
// translations.
#include "maintenance/dictd/entry_parser.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const dictd::DictdEntry entry = dictd::parseEntry(text);
    // Every translation is a trimmed piece of one line.
    for (const QString &translation : entry.translations) {
        if (translation.contains(u'\n'))
            __builtin_trap();
    }
    (void)dictd::isDatabaseInfoHeadword(entry.headword);
    return 0;
}
