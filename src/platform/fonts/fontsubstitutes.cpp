#include "platform/fonts/fontsubstitutes.h"

#include <QFont>
#include <QFontDatabase>

#include <algorithm>

namespace {

struct Substitute {
    const char16_t *name;
    const char16_t *freeFont;
};

// Metric-compatible free fonts; "MS Sans Serif" has none, the sans serif
// of the same widths comes closest.
constexpr Substitute kSubstitutes[] = {
    {u"Arial", u"Liberation Sans"},
    {u"Arial Narrow", u"Liberation Sans Narrow"},
    {u"Times New Roman", u"Liberation Serif"},
    {u"MS Sans Serif", u"Liberation Sans"},
};

bool substituted(const QString &name)
{
    return !QFontDatabase::hasFamily(name) && QFontDatabase::hasFamily(QFont::substitute(name));
}

} // namespace

void InstallFontSubstitutes()
{
    for (const Substitute &s : kSubstitutes) {
        const QString name = QString::fromUtf16(s.name);
        const QString freeFont = QString::fromUtf16(s.freeFont);
        if (!QFontDatabase::hasFamily(name) && QFontDatabase::hasFamily(freeFont))
            QFont::insertSubstitution(name, freeFont);
    }
}

QStringList FontFamiliesWithSubstitutes()
{
    QStringList names = QFontDatabase::families();
    for (const Substitute &s : kSubstitutes) {
        const QString name = QString::fromUtf16(s.name);
        if (substituted(name) && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}
