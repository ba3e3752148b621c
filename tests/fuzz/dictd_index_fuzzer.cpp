// libFuzzer entry for the dictd index parser.
#include "maintenance/dictd/index_reader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const auto entries = dictd::parseIndex(bytes, QStringLiteral("fuzz.index"));
    if (entries.ok()) {
        for (const dictd::IndexEntry &entry : entries.value()) {
            if (entry.offset < 0 || entry.length < 0 || entry.line < 1)
                __builtin_trap();
        }
    }
    return 0;
}
