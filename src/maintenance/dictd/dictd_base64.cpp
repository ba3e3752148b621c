#include "maintenance/dictd/dictd_base64.h"

#include <limits>

namespace dictd {
namespace {

int digitValue(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

std::optional<std::int64_t> decodeIndexNumber(QByteArrayView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() >> 6;
    std::int64_t value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c);
        if (digit < 0 || value > kLimit)
            return std::nullopt;
        value = value * 64 + digit;
    }
    return value;
}

} // namespace dictd
