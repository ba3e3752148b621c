#pragma once

#include <QStringView>

#include <limits>
#include <vector>

// Finding a text the way the find and replace dialog does, on a plain view
// of the document's characters (positions are character positions).
struct SearchOptions {
    // Without it letters compare by their simple case folding, as Qt's
    // case-insensitive search does: Ő finds ő, K finds the Kelvin sign.
    bool matchCase = false;
    // A match counts only when the characters on both sides of it are word
    // delimiters of WordAtCaret or the ends of the text.
    bool wholeWord = false;
};

// The first match that starts at from or later and at most at lastStart;
// -1 when there is none. An empty pattern matches nowhere.
int FindForward(QStringView text, QStringView pattern, int from, const SearchOptions &options,
                int lastStart = std::numeric_limits<int>::max());

// The last match that ends at end or before it; -1 when there is none or
// the pattern is empty.
int FindBackward(QStringView text, QStringView pattern, int end, const SearchOptions &options);

// Start positions of the matches lying wholly in [from, to), scanning
// forward without overlaps.
std::vector<int> FindAll(QStringView text, QStringView pattern, int from, int to,
                         const SearchOptions &options);
