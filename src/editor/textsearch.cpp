#include "editor/textsearch.h"

#include "platform/text/word_span.h"

#include <QHash>
#include <QVarLengthArray>

#include <algorithm>

namespace {

using Variants = QVarLengthArray<char16_t, 4>;

// Every character whose simple case folding is the same as c's, c included.
Variants caseVariants(char16_t c)
{
    // Built once: folded character -> the other characters folding to it.
    static const QHash<char16_t, Variants> others = [] {
        QHash<char16_t, Variants> table;
        for (char32_t u = 0; u < 0x10000; ++u) {
            const auto unit = char16_t(u);
            if (QChar::isSurrogate(u))
                continue;
            const char16_t folded = QChar(unit).toCaseFolded().unicode();
            if (folded != unit)
                table[folded].append(unit);
        }
        return table;
    }();
    const char16_t folded = QChar(c).toCaseFolded().unicode();
    Variants variants{folded};
    for (char16_t other : others.value(folded))
        variants.append(other);
    return variants;
}

bool isWholeWord(QStringView text, qsizetype at, qsizetype length)
{
    const bool startsWord = at == 0 || IsWordDelimiter(text[at - 1]);
    const bool endsWord = at + length == text.size() || IsWordDelimiter(text[at + length]);
    return startsWord && endsWord;
}

// Finds the matches of a pattern in increasing order of position. It jumps
// between the occurrences of the pattern's first character (in each of its
// case forms without match case), which the vectorised single character
// search finds several times faster than Qt's search for a whole string,
// and compares the pattern only there.
class MatchScanner {
public:
    // Matches start before searchEnd.
    MatchScanner(QStringView text, QStringView pattern, const SearchOptions &options,
                 qsizetype searchEnd)
        : m_text(text), m_pattern(pattern), m_options(options),
          m_starts(text.first(std::clamp<qsizetype>(searchEnd, 0, text.size())))
    {
        if (options.matchCase)
            m_next.append({pattern.front().unicode(), -2});
        else
            for (char16_t variant : caseVariants(pattern.front().unicode()))
                m_next.append({variant, -2});
    }

    // The first match at from or later; -1 when there is none. Each call
    // starts at or behind the position the previous one started at.
    qsizetype nextFrom(qsizetype from)
    {
        for (qsizetype at = candidate(from); at >= 0; at = candidate(at + 1))
            if (!m_options.wholeWord || isWholeWord(m_text, at, m_pattern.size()))
                return at;
        return -1;
    }

private:
    struct Next {
        char16_t c;
        qsizetype at; // -2: not looked for yet, -1: none left
    };

    qsizetype candidate(qsizetype from)
    {
        if (from > m_starts.size())
            return -1;
        for (;;) {
            Next *first = nullptr;
            for (Next &next : m_next) {
                if (next.at == -2 || (next.at >= 0 && next.at < from))
                    next.at = m_starts.indexOf(QChar(next.c), from, Qt::CaseSensitive);
                if (next.at >= 0 && (!first || next.at < first->at))
                    first = &next;
            }
            if (!first)
                return -1;
            const qsizetype at = first->at;
            if (at + m_pattern.size() <= m_text.size() &&
                m_text.sliced(at, m_pattern.size()).compare(m_pattern, sensitivity()) == 0)
                return at;
            from = at + 1;
        }
    }

    Qt::CaseSensitivity sensitivity() const
    {
        return m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    }

    QStringView m_text;
    QStringView m_pattern;
    SearchOptions m_options;
    QStringView m_starts;
    QVarLengthArray<Next, 4> m_next;
};

} // namespace

int FindForward(QStringView text, QStringView pattern, int from, const SearchOptions &options,
                int lastStart)
{
    if (pattern.isEmpty() || from < 0 || lastStart < 0)
        return -1;
    const qsizetype end = std::min<qsizetype>(lastStart, text.size()) + 1;
    return int(MatchScanner(text, pattern, options, end).nextFrom(from));
}

int FindBackward(QStringView text, QStringView pattern, int end, const SearchOptions &options)
{
    if (pattern.isEmpty())
        return -1;
    // Forward scans over ever wider windows towards the start: a near match
    // comes at once, and the whole text costs about two forward scans.
    qsizetype lastStart = std::min<qsizetype>(end, text.size()) - pattern.size();
    for (qsizetype window = 1 << 16; lastStart >= 0; window *= 2) {
        const qsizetype firstStart = std::max<qsizetype>(0, lastStart - window + 1);
        MatchScanner scanner(text, pattern, options, lastStart + 1);
        qsizetype last = -1;
        for (qsizetype at = scanner.nextFrom(firstStart); at >= 0; at = scanner.nextFrom(at + 1))
            last = at;
        if (last >= 0)
            return int(last);
        lastStart = firstStart - 1;
    }
    return -1;
}

std::vector<int> FindAll(QStringView text, QStringView pattern, int from, int to,
                         const SearchOptions &options)
{
    std::vector<int> found;
    const qsizetype lastStart = std::min<qsizetype>(to, text.size()) - pattern.size();
    if (pattern.isEmpty() || lastStart < 0)
        return found;
    MatchScanner scanner(text, pattern, options, lastStart + 1);
    for (qsizetype at = scanner.nextFrom(std::max(from, 0)); at >= 0;
         at = scanner.nextFrom(at + pattern.size()))
        found.push_back(int(at));
    return found;
}
