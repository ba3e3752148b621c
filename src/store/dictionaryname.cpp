#include "store/dictionaryname.h"

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
