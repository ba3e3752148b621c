#include "editor/charformatting.h"

#include "platform/rtf/fontsize.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace charformat {
namespace {

struct Run {
    int start;
    int length;
    int points;
    QString family;
};

int roundedPoints(const QTextCharFormat &f, const QFont &defaultFont)
{
    return qRound(rtf::EffectivePointSize(f, defaultFont));
}

QString familyOf(const QTextCharFormat &f, const QFont &defaultFont)
{
    const QStringList families = f.fontFamilies().toStringList();
    return families.isEmpty() || families.front().isEmpty() ? defaultFont.family()
                                                            : families.front();
}

// The text of range cut into runs of equal size and family; the paragraph
// ends between blocks carry no text and are left out.
std::vector<Run> runsOf(const QTextDocument &doc, Range range)
{
    std::vector<Run> runs;
    const int end = range.start + range.length;
    const QFont defaultFont = doc.defaultFont();
    for (QTextBlock block = doc.findBlock(range.start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(fragment.position(), range.start);
            const int to = std::min(fragment.position() + fragment.length(), end);
            if (from >= to)
                continue;
            const QTextCharFormat f = fragment.charFormat();
            const int points = roundedPoints(f, defaultFont);
            const QString family = familyOf(f, defaultFont);
            if (!runs.empty() && runs.back().start + runs.back().length == from &&
                runs.back().points == points && runs.back().family == family) {
                runs.back().length += to - from;
                continue;
            }
            runs.push_back({from, to - from, points, family});
        }
    }
    return runs;
}

void merge(QTextCursor &cursor, int start, int length, const QTextCharFormat &f)
{
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(f);
}

QTextCharFormat sizeFormat(int points)
{
    QTextCharFormat f;
    f.setFontPointSize(points);
    return f;
}

// Applies newSize to every run that gets one, in one undo step.
template <typename NewSize> void resizeRuns(QTextDocument &doc, Range range, NewSize newSize)
{
    if (range.length <= 0)
        return;
    const std::vector<Run> runs = runsOf(doc, range);
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    for (const Run &run : runs) {
        const int points = newSize(run);
        if (points > 0 && points != run.points)
            merge(cursor, run.start, run.length, sizeFormat(points));
    }
    cursor.endEditBlock();
}

} // namespace

QTextCharFormat FormatAt(const QTextDocument &doc, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    const int last = std::max(0, doc.characterCount() - 1);
    cursor.setPosition(std::clamp(position, 0, last));
    // The format before the cursor is the one of the character it passed.
    if (position < last)
        cursor.movePosition(QTextCursor::NextCharacter);
    return cursor.charFormat();
}

int PointSizeAt(const QTextDocument &doc, int position)
{
    return roundedPoints(FormatAt(doc, position), doc.defaultFont());
}

QString FamilyAt(const QTextDocument &doc, int position)
{
    return familyOf(FormatAt(doc, position), doc.defaultFont());
}

bool HasStyle(const QTextCharFormat &format, Style style)
{
    switch (style) {
    case Style::Bold:
        return format.fontWeight() >= QFont::DemiBold;
    case Style::Italic:
        return format.fontItalic();
    case Style::Underline:
        return format.fontUnderline();
    }
    return false;
}

void ToggleStyle(QTextDocument &doc, Range range, Style style)
{
    if (range.length <= 0)
        return;
    // The reference character decides for all, so one merge does it.
    const bool on = !HasStyle(FormatAt(doc, range.start), style);
    QTextCharFormat f;
    switch (style) {
    case Style::Bold:
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        break;
    case Style::Italic:
        f.setFontItalic(on);
        break;
    case Style::Underline:
        f.setFontUnderline(on);
        break;
    }
    QTextCursor cursor(&doc);
    merge(cursor, range.start, range.length, f);
}

void GrowByOnePoint(QTextDocument &doc, Range range)
{
    resizeRuns(doc, range, [](const Run &run) { return run.points + 1; });
}

void ShrinkByOnePoint(QTextDocument &doc, Range range, const ShowsSize &asked)
{
    // The font database is slow to ask, and a long text has few fonts.
    QHash<std::pair<QString, int>, bool> known;
    const auto shows = [&asked, &known](const QString &family, int points) {
        const auto key = std::pair{family, points};
        auto it = known.constFind(key);
        if (it == known.constEnd())
            it = known.insert(key, asked(family, points));
        return *it;
    };
    resizeRuns(doc, range, [&shows](const Run &run) {
        const int smaller = run.points - 1;
        if (smaller >= 1 && shows(run.family, smaller))
            return smaller;
        return smaller - 1 >= 1 && shows(run.family, smaller - 1) ? smaller - 1 : run.points;
    });
}

void SetPointSize(QTextDocument &doc, Range range, int points)
{
    if (range.length <= 0 || points < 1)
        return;
    QTextCursor cursor(&doc);
    merge(cursor, range.start, range.length, sizeFormat(points));
}

} // namespace charformat
