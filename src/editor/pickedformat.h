#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QTextOption>

#include <optional>

class QTextDocument;

// The format the format painter carries from one place to another: the
// character format of a selection's first character and the paragraph
// format of its first paragraph. Sizes and indents are in points.
struct PickedCharFormat {
    QString family;
    double points = 0;
    std::optional<QColor> colour; // empty: the automatic text colour
    bool fixedPitch = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const PickedCharFormat &, const PickedCharFormat &) = default;
};

struct PickedParagraphFormat {
    Qt::Alignment alignment = Qt::AlignLeft;
    double firstIndent = 0;
    double leftIndent = 0;
    double rightIndent = 0;
    bool bullet = false;
    QList<QTextOption::Tab> tabs; // at most kMaxTabs, positions as the document holds them
    friend bool operator==(const PickedParagraphFormat &, const PickedParagraphFormat &) = default;
};

struct PickedFormat {
    static constexpr int kMaxTabs = 32;
    PickedCharFormat character;
    PickedParagraphFormat paragraph;
};

// The format at a selection (position: its start).
PickedFormat PickUpFormatAt(const QTextDocument &doc, int position);
// Sets the character format on [start, start + length), and the paragraph
// format on every paragraph from start to start + length; one undo step.
void ApplyFormat(QTextDocument &doc, int start, int length, const PickedFormat &format);
