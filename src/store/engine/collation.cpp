#include "store/engine/collation.h"

#include <sqlite3.h>

#include <array>
#include <vector>

namespace store::collation {
namespace {

constexpr char32_t kTableSize = 0x3000; // Latin, Greek, Cyrillic and the symbol blocks

int hungarianRank(char32_t lower)
{
    switch (lower) {
    case U'á':
    case U'é':
    case U'í':
    case U'ó':
    case U'ú':
        return 1;
    case U'ö':
    case U'ü':
        return 2;
    case U'ő':
    case U'ű':
        return 3;
    default:
        return 0;
    }
}

std::uint64_t computeWeight(char32_t c)
{
    const char32_t lower = QChar::toLower(c);
    if (lower < 0x80)
        return std::uint64_t(lower) << 32;
    const QString nfd = QString::fromUcs4(&lower, 1).normalized(QString::NormalizationForm_D);
    if (nfd.size() >= 2 && nfd[0].unicode() < 0x80 && nfd[0].isLetter()) {
        bool marksOnly = true;
        for (qsizetype i = 1; i < nfd.size() && marksOnly; ++i)
            marksOnly = nfd[i].isMark();
        if (marksOnly) {
            const char32_t base = QChar::toLower(char32_t(nfd[0].unicode()));
            const int rank = hungarianRank(lower);
            return (std::uint64_t(base) << 32) | (rank > 0 ? rank : 0x100 + lower);
        }
    }
    return std::uint64_t(lower) << 32;
}

const std::vector<std::uint64_t> &weightTable()
{
    static const std::vector<std::uint64_t> table = [] {
        std::vector<std::uint64_t> t(kTableSize);
        for (char32_t c = 0; c < kTableSize; ++c)
            t[c] = computeWeight(c);
        return t;
    }();
    return table;
}

// Decodes one code point; an invalid byte stands for itself.
char32_t nextUtf8(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int extra = 0;
    char32_t cp = 0;
    if ((b & 0xe0) == 0xc0) {
        extra = 1;
        cp = b & 0x1f;
    } else if ((b & 0xf0) == 0xe0) {
        extra = 2;
        cp = b & 0x0f;
    } else if ((b & 0xf8) == 0xf0) {
        extra = 3;
        cp = b & 0x07;
    } else {
        return b;
    }
    if (end - p < extra)
        return b;
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xc0) != 0x80)
            return b;
        cp = (cp << 6) | (p[i] & 0x3f);
    }
    p += extra;
    return cp;
}

char32_t nextUtf16(QStringView s, qsizetype &i)
{
    const QChar c = s[i++];
    if (c.isHighSurrogate() && i < s.size() && s[i].isLowSurrogate())
        return QChar::surrogateToUcs4(c, s[i++]);
    return c.unicode();
}

int sqliteCompare(void *, int aLen, const void *a, int bLen, const void *b)
{
    return compareUtf8(static_cast<const char *>(a), aLen, static_cast<const char *>(b), bLen);
}

} // namespace

std::uint64_t weight(char32_t c)
{
    if (c < kTableSize)
        return weightTable()[c];
    return computeWeight(c);
}

int compare(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const std::uint64_t wa = weight(nextUtf16(a, i));
        const std::uint64_t wb = weight(nextUtf16(b, j));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

int compareUtf8(const char *a, int aLen, const char *b, int bLen)
{
    const auto &table = weightTable();
    auto pa = reinterpret_cast<const unsigned char *>(a);
    auto pb = reinterpret_cast<const unsigned char *>(b);
    const unsigned char *ea = pa + aLen;
    const unsigned char *eb = pb + bLen;
    while (pa < ea && pb < eb) {
        if (*pa < 0x80 && *pb < 0x80) {
            const std::uint64_t wa = table[*pa++];
            const std::uint64_t wb = table[*pb++];
            if (wa != wb)
                return wa < wb ? -1 : 1;
            continue;
        }
        const std::uint64_t wa = weight(nextUtf8(pa, ea));
        const std::uint64_t wb = weight(nextUtf8(pb, eb));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (pa < ea)
        return 1;
    return pb < eb ? -1 : 0;
}

bool startsWith(QStringView text, QStringView prefix)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (j < prefix.size()) {
        if (i >= text.size())
            return false;
        if (weight(nextUtf16(text, i)) != weight(nextUtf16(prefix, j)))
            return false;
    }
    return true;
}

qsizetype commonPrefix(QStringView value, const char *text, int textLen, bool *whole)
{
    auto p = reinterpret_cast<const unsigned char *>(text);
    const unsigned char *end = p + textLen;
    qsizetype i = 0;
    while (i < value.size() && p < end) {
        qsizetype next = i;
        char32_t c = nextUtf16(value, next);
        if (QChar::isSurrogate(c))
            c = 0xfffd;
        const unsigned char *after = p;
        if (weight(c) != weight(nextUtf8(after, end)))
            break;
        i = next;
        p = after;
    }
    if (whole)
        *whole = p == end;
    return i;
}

QString upperBoundFor(QStringView prefix)
{
    // U+10FFFF has the largest weight of all characters.
    QString bound = prefix.toString();
    const char32_t top = 0x10ffff;
    bound.append(QString::fromUcs4(&top, 1));
    return bound;
}

int registerWith(sqlite3 *db)
{
    return sqlite3_create_collation_v2(db, kSqlName, SQLITE_UTF8, nullptr, &sqliteCompare, nullptr);
}

} // namespace store::collation
