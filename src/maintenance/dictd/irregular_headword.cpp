#include "maintenance/dictd/irregular_headword.h"

#include "maintenance/dictd/dictd_converter.h"

#include <QRegularExpression>

namespace dictd {

QString WithoutIrregularForms(const QString &headword, ConvertReport &report)
{
    if (report.sourceField.compare(u"Angol", Qt::CaseInsensitive) != 0)
        return headword;
    // A word, or "to " + a word, then one to three single-word forms (one
    // may give two: "to be, was/were, been"): no headword of the kind has
    // more, and longer lists are phrases.
    static const QRegularExpression kWithForms(
        QStringLiteral("^\\s*((?:to )?[A-Za-z]+)(?:, [A-Za-z]+(?:/[A-Za-z]+)?){1,3}\\s*$"));
    const QRegularExpressionMatch match = kWithForms.match(headword);
    if (!match.hasMatch())
        return headword;
    ++report.headwordsSplit;
    return match.captured(1);
}

} // namespace dictd
