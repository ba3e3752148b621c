#include "editor/searchseed.h"

#include "platform/text/word_span.h"

#include <algorithm>

SearchSeed SeedSearchText(QStringView text, int selectionStart, int selectionLength)
{
    const int size = int(text.size());
    if (selectionLength > 0) {
        const int start = std::clamp(selectionStart, 0, size);
        return {text.mid(start, selectionLength).toString(), start};
    }
    const int caret = std::clamp(selectionStart, 0, size);
    const int anchor = caret > 0 && !IsWordDelimiter(text[caret - 1]) ? caret - 1 : caret;
    if (anchor >= size)
        return {QString(), size == 0 ? 0 : caret};
    int first = anchor;
    int last = anchor;
    if (!IsWordDelimiter(text[anchor])) {
        while (first > 0 && !IsWordDelimiter(text[first - 1]))
            --first;
        while (last + 1 < size && !IsWordDelimiter(text[last + 1]))
            ++last;
    }
    return {text.mid(first, last - first + 1).toString(), first};
}
