#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// Picks the word around a caret: the run of word characters on both sides
// of it, looked for within 1000 characters before the caret and 2000 in all.
// Delimiters are line ends, the blank, ! " ' ( ) * , . / : ; < = > ? @ [ \ ]
// _ { | } and the typographic quotes “ ”; every other character, the hyphen,
// the tab and the no-break space among them, belongs to a word.
struct WordSpan {
    int start = 0;  // 0-based position in the text
    int length = 0; // 0 when delimiters stand on both sides of the caret
};

bool IsWordDelimiter(QChar c);

// caret: the number of characters before the caret. charAt gives the
// character at a 0-based position below textLength.
WordSpan WordSpanAt(int textLength, int caret, const std::function<QChar(int)> &charAt);
WordSpan WordSpanAt(QStringView text, int caret);
