#include "platform/text/textfunctions.h"

namespace {

QChar lowerHungarianChar(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return QChar(u + 32);
    switch (u) {
    case u'Á':
        return QChar(u'á');
    case u'É':
        return QChar(u'é');
    case u'Í':
        return QChar(u'í');
    case u'Ó':
        return QChar(u'ó');
    case u'Ő':
        return QChar(u'ő');
    case u'Ö':
        return QChar(u'ö');
    case u'Ú':
        return QChar(u'ú');
    case u'Ű':
        return QChar(u'ű');
    case u'Ü':
        return QChar(u'ü');
    default:
        return c;
    }
}

bool isHungarianVowel(QChar c)
{
    static constexpr char16_t kVowels[] = u"AEIOUaeiouÁÉÍÓŐÖÚŰÜáéíóőöúűü";
    for (const char16_t v : kVowels) {
        if (v != 0 && v == c.unicode())
            return true;
    }
    return false;
}

} // namespace

QString LowerHungarian(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = lowerHungarianChar(text[i]);
    return out;
}

QString WithArticle(const QString &word)
{
    const QStringView trimmed = TrimBlanksView(word);
    const bool vowel = !trimmed.isEmpty() && isHungarianVowel(trimmed.front());
    return (vowel ? QStringLiteral("Az ") : QStringLiteral("A ")) + word;
}

namespace {

// The rich text control hands over its line and paragraph ends as U+2028 and
// U+2029; they are line ends like CR and LF.
bool isBlank(QChar c)
{
    return c.unicode() <= u' ' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QStringView TrimBlanksView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QString TrimBlanks(QStringView text)
{
    return TrimBlanksView(text).toString();
}
