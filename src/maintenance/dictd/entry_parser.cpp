#include "maintenance/dictd/entry_parser.h"

#include "platform/text/textfunctions.h"

namespace dictd {
namespace {

// The pronunciation is the last "/.../" of the line, standing apart from the
// headword (or alone on the line).
QStringView headwordOf(QStringView firstLine)
{
    const QStringView line = TrimBlanksView(firstLine);
    if (line.size() < 2 || !line.endsWith(u'/'))
        return line;
    const qsizetype open = line.lastIndexOf(u'/', line.size() - 2);
    if (open < 0 || (open > 0 && line[open - 1].unicode() > u' '))
        return line;
    return TrimBlanksView(line.first(open));
}

// line without its "number." in front, when it starts with exactly that
// number followed by a blank or nothing ("2." alone is an empty translation).
QStringView withoutNumber(QStringView line, int number)
{
    const QString prefix = QString::number(number) + u'.';
    if (!line.startsWith(prefix))
        return line;
    const QStringView rest = line.sliced(prefix.size());
    if (!rest.isEmpty() && rest.front().unicode() > u' ')
        return line;
    return TrimBlanksView(rest);
}

} // namespace

bool isDatabaseInfoHeadword(QStringView indexHeadword)
{
    return indexHeadword.startsWith(u"00database") || indexHeadword.startsWith(u"00-database");
}

DictdEntry parseEntry(QStringView text)
{
    DictdEntry entry;
    QList<QStringView> lines;
    qsizetype pos = 0;
    bool first = true;
    while (pos <= text.size()) {
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0)
            end = text.size();
        QStringView line = text.sliced(pos, end - pos);
        pos = end + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (first) {
            entry.headword = headwordOf(line).toString();
            first = false;
        } else if (const QStringView trimmed = TrimBlanksView(line); !trimmed.isEmpty()) {
            lines.append(trimmed);
        }
    }
    const bool numbered = lines.size() >= 2;
    for (qsizetype i = 0; i < lines.size(); ++i)
        entry.translations.append(
            (numbered ? withoutNumber(lines[i], int(i) + 1) : lines[i]).toString());
    return entry;
}

} // namespace dictd
