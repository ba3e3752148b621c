#include "editor/textsearch.h"

#include "translator/wordatcaret.h"

#include <algorithm>

namespace {

bool isWholeWord(QStringView text, qsizetype at, qsizetype length)
{
    const bool startsWord = at == 0 || IsWordDelimiter(text[at - 1]);
    const bool endsWord = at + length == text.size() || IsWordDelimiter(text[at + length]);
    return startsWord && endsWord;
}

Qt::CaseSensitivity sensitivity(const SearchOptions &options)
{
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

} // namespace

int FindForward(QStringView text, QStringView pattern, int from, const SearchOptions &options,
                int lastStart)
{
    if (pattern.isEmpty() || from < 0)
        return -1;
    const qsizetype limit = std::min<qsizetype>(lastStart, text.size());
    qsizetype at = from;
    while (at <= limit) {
        at = text.indexOf(pattern, at, sensitivity(options));
        if (at < 0 || at > limit)
            return -1;
        if (!options.wholeWord || isWholeWord(text, at, pattern.size()))
            return int(at);
        ++at;
    }
    return -1;
}

int FindBackward(QStringView text, QStringView pattern, int end, const SearchOptions &options)
{
    if (pattern.isEmpty())
        return -1;
    // lastIndexOf treats a negative start as counted from the end, so stop first.
    qsizetype at = std::min<qsizetype>(end, text.size()) - pattern.size();
    while (at >= 0) {
        at = text.lastIndexOf(pattern, at, sensitivity(options));
        if (at < 0)
            return -1;
        if (!options.wholeWord || isWholeWord(text, at, pattern.size()))
            return int(at);
        --at;
    }
    return -1;
}

std::vector<int> FindAll(QStringView text, QStringView pattern, int from, int to,
                         const SearchOptions &options)
{
    std::vector<int> found;
    const int lastStart = std::min<int>(to, int(text.size())) - int(pattern.size());
    if (lastStart < 0)
        return found;
    for (int at = FindForward(text, pattern, std::max(from, 0), options, lastStart); at >= 0;
         at = FindForward(text, pattern, at + int(pattern.size()), options, lastStart))
        found.push_back(at);
    return found;
}
