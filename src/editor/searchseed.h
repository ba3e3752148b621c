#pragma once

#include <QString>
#include <QStringView>

// What the find and replace dialog offers to search when it opens.
struct SearchSeed {
    QString text;     // the search text
    int startPos = 0; // where the first search of replace mode starts
};

// The selected text when there is a selection; otherwise the word at the
// caret: the anchor is the character before the caret, or the one after it
// when a delimiter (WordAtCaret's set) stands before the caret or the caret
// is at 0. A word anchor grows over word characters on both sides; a
// delimiter anchor is taken alone. At the end of the text behind a
// delimiter, and in an empty text, the seed is empty.
SearchSeed SeedSearchText(QStringView text, int selectionStart, int selectionLength);
