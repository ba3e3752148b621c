#pragma once

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

// Readable QStrings in GoogleTest's failure messages, line feeds shown as \n.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << QString(text).replace(u'\n', QStringLiteral("\\n")).toStdString() << '"';
}

// Readable parameters: failure messages and the names ctest lists.
namespace velkor_test {

// The text of one field of a test case, as a person reads it.
inline QString fieldText(const QString &text)
{
    return text;
}
inline QString fieldText(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes);
}
inline QString fieldText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
inline QString fieldText(const char *text)
{
    return text ? QString::fromUtf8(text) : QStringLiteral("null");
}
inline QString fieldText(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}
inline QString fieldText(const char16_t *text)
{
    return text ? QString::fromUtf16(text) : QStringLiteral("null");
}
inline QString fieldText(QChar c)
{
    return QString(c);
}
inline QString fieldText(char16_t c)
{
    return QString(QChar(c));
}
inline QString fieldText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
template <typename T>
requires(std::is_arithmetic_v<T> && !std::same_as<T, bool> && !std::same_as<T, char16_t>) QString
    fieldText(T value)
{
    return QString::number(value);
}

// "a, b, c" for a failure message; texts quoted.
template <typename... Fields> std::string describe(const Fields &...fields)
{
    QString out;
    auto add = [&out]<typename F>(const F &field) {
        if (!out.isEmpty())
            out += QStringLiteral(", ");
        constexpr bool quoted = !std::is_arithmetic_v<F> && !std::same_as<F, QChar>;
        out += quoted ? u'"' + fieldText(field) + u'"' : fieldText(field);
    };
    (add(fields), ...);
    return out.toStdString();
}

// A test name made of the fields: letters and digits stay (accented letters
// without their accent, other scripts as U+hex), anything else starts a new
// capitalised word, and fields are joined by '_'. A minus before a number
// becomes "Minus", blanks before or after a text "Blank".
template <typename... Fields> std::string caseName(const Fields &...fields)
{
    std::string name;
    auto add = [&name](const QString &text) {
        if (!name.empty())
            name += '_';
        const QString plain = text.normalized(QString::NormalizationForm_D);
        bool wordStart = true;
        bool any = false;
        // Blanks around a text often are the point of a case.
        const bool blankAround = !text.trimmed().isEmpty();
        if (blankAround && text.front().isSpace())
            name += "Blank";
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const QChar c = plain[i];
            if (c.category() == QChar::Mark_NonSpacing)
                continue;
            const char16_t u = c.unicode();
            const bool ascii =
                (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
            if (ascii) {
                char out = char(u);
                if (wordStart && out >= 'a' && out <= 'z')
                    out = char(out - 'a' + 'A');
                name += out;
                wordStart = false;
            } else if (c.isLetterOrNumber() || c.isSymbol()) {
                name += "U" + QString::number(u, 16).toUpper().toStdString();
                wordStart = true;
            } else {
                if (u == u'-' && i + 1 < plain.size() && plain[i + 1].isDigit())
                    name += "Minus";
                wordStart = true;
                continue;
            }
            any = true;
        }
        if (blankAround && text.back().isSpace())
            name += "Blank";
        if (!any && text.isEmpty())
            name += "Empty";
        else if (!any)
            name += "Blank";
    };
    (add(fieldText(fields)), ...);
    return name;
}

// For cases that differ only in accents, blanks or punctuation: ASCII
// letters and digits stay, every other character is spelled by its code
// ("x20" for a blank, "U151" for ő), fields are joined by '_'.
template <typename... Fields> std::string exactCaseName(const Fields &...fields)
{
    std::string name;
    auto add = [&name](const QString &text) {
        if (!name.empty())
            name += '_';
        if (text.isEmpty())
            name += "Empty";
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'))
                name += char(u);
            else
                name += (u < 0x80 ? "x" : "U") + QString::number(u, 16).toUpper().toStdString();
        }
    };
    (add(fieldText(fields)), ...);
    return name;
}

} // namespace velkor_test
