#include "store/dictionaryname.h"

#include <QList>

namespace {

constexpr qsizetype kMaxSecondName = 1000;

QString withoutTrailingDigits(const QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && name[end - 1].isDigit() && name[end - 1].unicode() < 0x80)
        --end;
    return name.left(end);
}

QString beforeFirstDot(const QString &name)
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

} // namespace

std::pair<QString, QString> SplitDictionaryName(const QString &name)
{
    const QString base = withoutTrailingDigits(beforeFirstDot(name));
    const qsizetype underscore = base.indexOf(QLatin1Char('_'));
    if (underscore < 0)
        return {QString(), base.left(kMaxSecondName)};
    return {base.left(underscore), base.mid(underscore + 1, kMaxSecondName)};
}

bool IsDictionaryName(const QString &name)
{
    return !withoutTrailingDigits(beforeFirstDot(name)).isEmpty();
}

char32_t ForbiddenNameCharacter(const QString &name)
{
    static constexpr char16_t kReserved[] = u"/\\:*?\"<>|";
    const auto ucs4 = name.toUcs4();
    for (const char32_t c : ucs4) {
        if (c < 0x80 && QStringView(kReserved).contains(QChar(char16_t(c))))
            return c;
        // Other_Format holds U+200B-U+200F, U+202A-U+202E, U+2066-U+2069
        // and U+FEFF; toUcs4 turns a lone surrogate into U+FFFD.
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Other_Surrogate || c == 0xFFFD)
            return c;
    }
    return 0;
}
