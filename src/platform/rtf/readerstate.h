#pragma once

#include "platform/rtf/formats.h"

#include <QList>
#include <QTextOption>

// What an RTF group carries: every group starts with a copy of its parent's
// state, and the parent's comes back when the group closes.
namespace rtf {

// Where the text of a group goes.
enum class Destination {
    Text, // the document
    Skip, // nowhere: pictures, objects, headers, unknown \* groups
    FontTable,
    ColourTable,
    Pn,        // paragraph numbering as the rich edit control writes it
    ListTable, // list definitions as word processors write them
    List,
    ListLevel,
    ListOverrideTable,
    ListOverride,
};

struct CharState {
    int font = -1; // -1: the \deff font
    int halfPoints = 24;
    int colour = 0; // 0: automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    Script script = Script::Normal;

    bool operator==(const CharState &) const = default;
};

struct ParaState {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int spaceBeforeTwips = 0;
    int spaceAfterTwips = 0;
    QList<QTextOption::Tab> tabs; // positions in twips
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    Numbering numbering = Numbering::None; // from \pn
    int pnLevel = 0;                       // from \pnlvlN
    int listOverride = 0;                  // from \ls; 0: none
    int listLevel = 0;                     // from \ilvl
    bool inTable = false;                  // \intbl: a paragraph in a table cell
};

struct GroupState {
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1; // \uc: fallback characters after each \u
};

} // namespace rtf
