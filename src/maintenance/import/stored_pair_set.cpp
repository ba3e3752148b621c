#include "maintenance/import/stored_pair_set.h"

#include <QStringView>

#include <algorithm>

namespace dictimport {
namespace {

constexpr std::size_t kMinimumSlots = 4096;

// Slots for pairs at most three quarters full, so that probe runs stay short.
std::size_t slotsFor(std::int64_t pairs)
{
    return std::max(kMinimumSlots, std::size_t(pairs) / 3 * 4 + 4);
}

// Yields the code points of a text lower-cased one by one.
class FoldedCodePoints {
public:
    explicit FoldedCodePoints(QStringView text) : m_text(text) {}
    bool atEnd() const { return m_pos >= m_text.size(); }
    char32_t next()
    {
        char32_t c = m_text[m_pos].unicode();
        if (m_text[m_pos].isHighSurrogate() && m_pos + 1 < m_text.size() &&
            m_text[m_pos + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(m_text[m_pos], m_text[m_pos + 1]);
            ++m_pos;
        }
        ++m_pos;
        if (c < 0x80) // most letters, and no lookup needed
            return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
        return QChar::toLower(c);
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

std::uint64_t mix(std::uint64_t h, std::uint64_t value)
{
    h ^= value + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h * 0xff51afd7ed558ccdULL;
}

std::uint64_t finish(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

std::uint32_t fingerprintOf(std::uint64_t slot)
{
    return std::uint32_t(slot >> 32);
}

std::int32_t keyOf(std::uint64_t slot)
{
    return std::int32_t(slot & 0xffffffffU);
}

} // namespace

StoredPairSet::StoredPairSet(RowReader readRow, std::int64_t expectedPairs)
    : m_readRow(std::move(readRow)), m_slots(slotsFor(expectedPairs))
{}

QString StoredPairSet::folded(const QString &text)
{
    // Most texts are lower-case already and are returned shared, uncopied.
    QString out;
    bool changed = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype start = i;
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const char32_t lower = QChar::toLower(c);
        if (!changed) {
            if (lower == c)
                continue;
            out = text.left(start);
            changed = true;
        }
        if (QChar::requiresSurrogates(lower)) {
            out.append(QChar(QChar::highSurrogate(lower)));
            out.append(QChar(QChar::lowSurrogate(lower)));
        } else {
            out.append(QChar(lower));
        }
    }
    return changed ? out : text;
}

bool StoredPairSet::equalFolded(QStringView a, QStringView b)
{
    FoldedCodePoints left(a);
    FoldedCodePoints right(b);
    while (!left.atEnd() && !right.atEnd()) {
        if (left.next() != right.next())
            return false;
    }
    return left.atEnd() && right.atEnd();
}

std::uint64_t StoredPairSet::hashOf(const QString &source, const QString &target)
{
    std::uint64_t h = 0x243f6a8885a308d3ULL;
    for (FoldedCodePoints points(source); !points.atEnd();)
        h = mix(h, points.next());
    // No code point is this large: "ab"+"c" and "a"+"bc" differ.
    h = mix(h, 0x110000);
    for (FoldedCodePoints points(target); !points.atEnd();)
        h = mix(h, points.next());
    return finish(h);
}

std::size_t StoredPairSet::slotOf(std::uint32_t fingerprint) const
{
    return std::size_t((std::uint64_t(fingerprint) * m_slots.size()) >> 32);
}

std::size_t StoredPairSet::probe(const QString &source, const QString &target,
                                 std::uint32_t fingerprint, bool &found) const
{
    for (std::size_t i = slotOf(fingerprint);; i = i + 1 == m_slots.size() ? 0 : i + 1) {
        const std::uint64_t slot = m_slots[i];
        if (slot == 0) {
            found = false;
            return i;
        }
        if (fingerprintOf(slot) != fingerprint)
            continue;
        const auto [storedSource, storedTarget] = m_readRow(keyOf(slot));
        if (equalFolded(storedSource, source) && equalFolded(storedTarget, target)) {
            found = true;
            return i;
        }
    }
}

bool StoredPairSet::contains(const QString &source, const QString &target) const
{
    bool found = false;
    probe(source, target, std::uint32_t(hashOf(source, target) >> 32), found);
    return found;
}

void StoredPairSet::insert(const QString &source, const QString &target, std::int32_t key)
{
    if (slotsFor(m_size + 1) > m_slots.size())
        resize(slotsFor(2 * (m_size + 1)));
    const std::uint64_t fingerprint = hashOf(source, target) >> 32;
    place(fingerprint << 32 | std::uint32_t(key));
    ++m_size;
}

bool StoredPairSet::insertNew(const QString &source, const QString &target,
                              const std::function<std::int32_t()> &write)
{
    if (slotsFor(m_size + 1) > m_slots.size())
        resize(slotsFor(2 * (m_size + 1)));
    const auto fingerprint = std::uint32_t(hashOf(source, target) >> 32);
    bool found = false;
    const std::size_t empty = probe(source, target, fingerprint, found);
    if (found)
        return false;
    m_slots[empty] = std::uint64_t(fingerprint) << 32 | std::uint32_t(write());
    ++m_size;
    return true;
}

void StoredPairSet::place(std::uint64_t slot)
{
    std::size_t i = slotOf(fingerprintOf(slot));
    while (m_slots[i] != 0)
        i = i + 1 == m_slots.size() ? 0 : i + 1;
    m_slots[i] = slot;
}

void StoredPairSet::resize(std::size_t slots)
{
    std::vector<std::uint64_t> old(slots);
    old.swap(m_slots);
    for (const std::uint64_t slot : old) {
        if (slot != 0)
            place(slot);
    }
}

} // namespace dictimport
