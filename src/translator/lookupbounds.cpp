#include "translator/lookupbounds.h"

#include "store/dictionaryformat.h"
#include "translator/wordlookup.h"

#include <algorithm>

namespace translator {
namespace {

using Neighbour = store::Table::Neighbour;

// A locate refuses a key longer than the field.
constexpr qsizetype kLongestKey = store::kTextFieldSize;

} // namespace

std::vector<qsizetype> shortenedLengths(const QString &w)
{
    std::vector<qsizetype> lengths;
    qsizetype length = w.size() - 1;
    while (length > 0) {
        lengths.push_back(length);
        --length;
        if (length > 0 && w[length - 1] == u' ')
            --length;
    }
    return lengths;
}

LookupBounds::LookupBounds(store::Table &table, const QString &sourceField, const QString &w)
    : m_table(table), m_field(sourceField)
{
    m_plain.text = w;
    m_marked.text = kInfinitiveMarker + w;
    for (Side *side : {&m_plain, &m_marked}) {
        side->before = m_table.probeNeighbour(m_field, side->text, Neighbour::AtOrBefore);
        side->after = m_table.probeNeighbour(m_field, side->text, Neighbour::AtOrAfter);
    }
}

bool LookupBounds::markedWordPossible() const
{
    const auto &before = m_marked.before;
    return m_marked.text.size() <= kLongestKey && before.found && before.whole &&
           before.common == m_marked.text.size();
}

qsizetype LookupBounds::completionLimit(bool marked) const
{
    const Side &side = marked ? m_marked : m_plain;
    qsizetype reach = std::max(side.before.common, side.after.common);
    reach = std::min(reach, kLongestKey);
    if (marked)
        reach -= kInfinitiveMarker.size();
    return std::max<qsizetype>(reach, 0);
}

template <typename Allowed>
qsizetype LookupBounds::longestEntry(const Side &side, qsizetype limit, Allowed allowed)
{
    // at: the entry at or before the first length characters of the text;
    // the probe at the whole text is at hand already.
    store::Table::NeighbourMatch at = side.before;
    qsizetype length = side.text.size();
    while (limit > 0) {
        if (!at.found)
            return 0;
        if (at.whole && at.common <= limit) {
            // The entry is itself a beginning of the text, and no longer
            // beginning is an entry.
            if (allowed(at.common))
                return at.common;
            limit = at.common - 1;
        } else if (!at.whole) {
            // Every beginning of the text that is an entry lies between the
            // entry found and the text, so it begins the entry found; the
            // text up to length is no entry itself.
            limit = std::min({limit, at.common, length - 1});
        }
        // (An entry longer than limit says nothing of the shorter ones.)
        if (limit <= 0)
            break;
        length = limit;
        at = m_table.probeNeighbour(m_field, side.text.left(length), Neighbour::AtOrBefore);
    }
    return 0;
}

qsizetype LookupBounds::shortenedLimit(bool marked, const std::vector<qsizetype> &tried)
{
    if (tried.empty())
        return 0;
    const auto isTried = [&tried](qsizetype form) {
        return std::binary_search(tried.rbegin(), tried.rend(), form);
    };
    if (!marked) {
        return longestEntry(m_plain, std::min(tried.front(), kLongestKey),
                            [&](qsizetype length) { return length > 0 && isTried(length); });
    }
    const qsizetype marker = kInfinitiveMarker.size();
    const qsizetype found =
        longestEntry(m_marked, std::min(tried.front() + marker, kLongestKey),
                     [&](qsizetype length) { return length > marker && isTried(length - marker); });
    return found > marker ? found - marker : 0;
}

} // namespace translator
