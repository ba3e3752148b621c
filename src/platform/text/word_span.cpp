#include "platform/text/word_span.h"

#include <algorithm>

namespace {

constexpr int kWindowBefore = 1000;
constexpr int kWindowLength = 2000;

} // namespace

bool IsWordDelimiter(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u' ':
    case u'!':
    case u'"':
    case u'\'':
    case u'(':
    case u')':
    case u'*':
    case u',':
    case u'.':
    case u'/':
    case u':':
    case u';':
    case u'<':
    case u'=':
    case u'>':
    case u'?':
    case u'@':
    case u'[':
    case u'\\':
    case u']':
    case u'_':
    case u'{':
    case u'|':
    case u'}':
    case u'\u201c':
    case u'\u201d':
    // Paragraph and line breaks of a rich text document, and embedded objects.
    case u'\u2029':
    case u'\u2028':
    case u'\ufffc':
        return true;
    default:
        return false;
    }
}

WordSpan WordSpanAt(int textLength, int caret, const std::function<QChar(int)> &charAt)
{
    caret = std::clamp(caret, 0, textLength);
    // 1-based positions as the rule is stated: the window starts at text
    // position windowStart; window position i is the character before the caret.
    const int windowStart = caret > kWindowBefore ? caret - kWindowBefore : 1;
    const int i = caret > kWindowBefore ? kWindowBefore + 1 : caret;
    const int windowEnd = std::min(kWindowLength, textLength - windowStart + 1);
    auto at = [&](int windowPos) { return charAt(windowStart + windowPos - 2); };
    int j = i;
    while (j > 0 && !IsWordDelimiter(at(j)))
        --j;
    int e = i + 1;
    while (e <= windowEnd && !IsWordDelimiter(at(e)))
        ++e;
    return WordSpan{windowStart - 1 + j, std::max(0, e - 1 - j)};
}

WordSpan WordSpanAt(QStringView text, int caret)
{
    return WordSpanAt(int(text.size()), caret, [text](int pos) { return text[pos]; });
}
