#pragma once

#include "translator/colours.h"

#include <QString>

#include <array>

namespace translator {

inline constexpr int kResultSlots = 200;     // lines a result list holds
inline constexpr int kResultLineLength = 70; // characters kept of a line

// One result list of the lookup: up to 200 lines under a two-part coloured
// header. Items[0] .. Items[Count - 1] are in use; whatever lies beyond Count,
// and the header of a list whose Count is 0, is stale and never shown.
struct TTalalat {
    std::array<QString, kResultSlots> Items;
    int Count = 0;
    QString HeadText; // empty: the list has no header
    QString TailText; // drawn right after HeadText
    Colour HeadColor = 0;
    Colour TailColor = 0;

    bool isFull() const { return Count >= kResultSlots; }
};

// The match list (index 0) and the completion list (index 1).
using TResultLists = std::array<TTalalat, 2>;

// A line cut to what a slot holds.
inline QString resultLine(const QString &text)
{
    return text.size() <= kResultLineLength ? text : text.left(kResultLineLength);
}

} // namespace translator
