#include "platform/ini/inisyntax.h"

#include "platform/codepage.h"

namespace inisyntax {

namespace {

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool holdsLineBreakOrNul(QStringView text)
{
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar(0))
            return true;
    }
    return false;
}

} // namespace

bool isBlank(QChar c)
{
    switch (c.unicode()) {
    case u' ':
    case u'\t':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\n':
    case 0x1a:
        return true;
    default:
        return false;
    }
}

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

ParsedLine parseLine(QStringView line)
{
    const QStringView text = trimmed(line);
    if (text.isEmpty() || text.front() == u';')
        return {};
    if (text.front() == u'[') {
        const qsizetype close = text.lastIndexOf(u']');
        if (close < 0)
            return {};
        return {LineKind::Section, trimmed(text.sliced(1, close - 1)), {}};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0)
        return {};
    const QStringView name = trimmed(text.first(equals));
    if (name.isEmpty())
        return {};
    return {LineKind::Entry, name, trimmed(text.sliced(equals + 1))};
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquote(QStringView value)
{
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.sliced(1, value.size() - 2).toString();
    return value.toString();
}

QString quoteForStorage(const QString &value)
{
    if (value.isEmpty())
        return value;
    const bool blankAtEnd = isBlank(value.front()) || isBlank(value.back());
    const bool wrapped =
        value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
    if (blankAtEnd || wrapped)
        return u'"' + value + u'"';
    return value;
}

std::optional<int> parseInteger(QStringView text)
{
    const QStringView t = trimmed(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    // The magnitude of the lowest int is one more than the highest.
    const qint64 limit = negative ? 2147483648LL : 2147483647LL;
    qint64 magnitude = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QString sectionNameProblem(QStringView section)
{
    const QStringView name = trimmed(section);
    if (name.isEmpty())
        return QStringLiteral("A beállításfájl szakaszneve üres.");
    if (holdsLineBreakOrNul(name) || name.contains(u']'))
        return QStringLiteral("A beállításfájl szakasznevében tiltott karakter van: %1").arg(name);
    if (!cp1250::canEncode(name))
        return QStringLiteral("A szakasznév nem írható a beállításfájlba: %1").arg(name);
    return {};
}

QString keyNameProblem(QStringView key)
{
    const QStringView name = trimmed(key);
    if (name.isEmpty())
        return QStringLiteral("A beállításfájl kulcsneve üres.");
    if (holdsLineBreakOrNul(name) || name.contains(u'=') || name.front() == u';' ||
        name.front() == u'[')
        return QStringLiteral("A beállításfájl kulcsnevében tiltott karakter van: %1").arg(name);
    if (!cp1250::canEncode(name))
        return QStringLiteral("A kulcsnév nem írható a beállításfájlba: %1").arg(name);
    return {};
}

QString valueProblem(QStringView value)
{
    if (holdsLineBreakOrNul(value))
        return QStringLiteral("A beállítás értéke sortörést vagy nulla bájtot tartalmaz.");
    if (!cp1250::canEncode(value))
        return QStringLiteral("A beállítás értéke nem írható a beállításfájlba: %1").arg(value);
    return {};
}

} // namespace inisyntax
