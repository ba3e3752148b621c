#pragma once

#include <QString>
#include <QTextCharFormat>

#include <functional>

class QTextDocument;

// Character formatting of a range of a document, worked out over runs of
// equal format rather than character by character: the result is the same,
// and a long selection costs one step per run. Every command is one undo
// step and changes nothing when the range is empty. Sizes are whole points.
namespace charformat {

struct Range {
    int start = 0;
    int length = 0;
};

enum class Style { Bold, Italic, Underline };

// The format of the character at position (for a selection, its first).
QTextCharFormat FormatAt(const QTextDocument &doc, int position);
// The whole-point size the character at position shows in.
int PointSizeAt(const QTextDocument &doc, int position);
// The font family the character at position shows in.
QString FamilyAt(const QTextDocument &doc, int position);
bool HasStyle(const QTextCharFormat &format, Style style);

// Every character loses the style when the first one has it, and gains it
// otherwise; the other styles stay as they are.
void ToggleStyle(QTextDocument &doc, Range range, Style style);
// Every character one point larger.
void GrowByOnePoint(QTextDocument &doc, Range range);
// Every character of size z gets z - 1, or z - 2 when the font does not
// show z - 1; a character keeps its size when neither is shown.
using ShowsSize = std::function<bool(const QString &family, int points)>;
void ShrinkByOnePoint(QTextDocument &doc, Range range, const ShowsSize &shows);
// Every character gets size points; nothing happens below 1 point.
void SetPointSize(QTextDocument &doc, Range range, int points);

} // namespace charformat
