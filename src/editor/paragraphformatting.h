#pragma once

#include <Qt>

class QTextBlock;
class QTextDocument;

// Paragraph formatting of the paragraphs a range touches, each command one
// undo step. Indents are in points, 96 pixels to the inch in the document
// (platform/rtf/lengths.h): the first indent is where a paragraph's first
// line starts, the left indent where its other lines start, counted from
// the first indent.
namespace paragraphformat {

double FirstIndent(const QTextBlock &block);
double LeftIndent(const QTextBlock &block);
bool HasBullet(const QTextBlock &block);
// Left, right, centre or justify, whatever else the alignment carries:
// "Bal" and "Jobb" set left and right with Qt::AlignAbsolute, so that they
// hold in right-to-left text too.
Qt::Alignment HorizontalAlignment(Qt::Alignment alignment);

void SetAlignment(QTextDocument &doc, int start, int length, Qt::Alignment alignment);
// Bullets on every paragraph when the first has none, off everywhere otherwise.
void ToggleBullets(QTextDocument &doc, int start, int length);
void SetBullets(QTextDocument &doc, int start, int length, bool on);
// Every paragraph's first indent := the first paragraph's + step (points);
// each keeps its own left indent, so whole paragraphs move.
void StepFirstIndent(QTextDocument &doc, int start, int length, double step);

} // namespace paragraphformat
