#pragma once

#include <QList>
#include <QRgb>
#include <QString>
#include <QTextOption>

#include <optional>

// The formats the reader hands to the document builder, already resolved
// against the file's font and colour tables.
namespace rtf {

enum class Numbering { None, Bullet, Decimal, LowerLetter, UpperLetter, LowerRoman, UpperRoman };

enum class Script { Normal, Super, Sub };

struct RunFormat {
    QString family; // empty: the document's default font
    bool fixedPitch = false;
    int halfPoints = 24; // RTF sizes are in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    Script script = Script::Normal;
    std::optional<QRgb> colour; // empty: the automatic text colour

    bool operator==(const RunFormat &) const = default;
};

struct ParagraphFormat {
    Qt::Alignment alignment = Qt::AlignLeft;
    // Lengths in pixels, 96 to the inch (lengths.h), as the document holds them.
    double leftMargin = 0;
    double rightMargin = 0;
    double firstIndent = 0; // relative to leftMargin
    double spaceBefore = 0;
    double spaceAfter = 0;
    QList<QTextOption::Tab> tabs;
    Numbering numbering = Numbering::None;
    int listKey = -1; // paragraphs with equal keys form one list
    int listLevel = 0;
};

} // namespace rtf
