#include "maintenance/import/stored_pair_set.h"

namespace dictimport {

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

StoredPairSet::Match StoredPairSet::find(const QString &source, const QString &target) const
{
    if (m_exact.contains({source, target}))
        return Match::Exact;
    if (m_folded.contains({folded(source), folded(target)}))
        return Match::CaseFolded;
    return Match::None;
}

void StoredPairSet::insert(const QString &source, const QString &target)
{
    m_exact.insert({source, target});
    m_folded.insert({folded(source), folded(target)});
}

} // namespace dictimport
