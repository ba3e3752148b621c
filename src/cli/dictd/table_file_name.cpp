#include "cli/dictd/table_file_name.h"

#include <QFileInfo>

namespace dictd {

std::optional<TableLanguages> languagesOfTableFile(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (!name.endsWith(u".DB"))
        return std::nullopt;
    name.chop(3);
    while (!name.isEmpty() && name.back() >= u'0' && name.back() <= u'9')
        name.chop(1);
    if (name.contains(u'.'))
        return std::nullopt;
    const qsizetype underscore = name.indexOf(u'_');
    if (underscore < 0)
        return std::nullopt;
    TableLanguages languages{name.left(underscore), name.mid(underscore + 1)};
    const QString key = QStringLiteral("Azon");
    if (languages.first.isEmpty() || languages.second.isEmpty() ||
        languages.first.compare(languages.second, Qt::CaseInsensitive) == 0 ||
        languages.first.compare(key, Qt::CaseInsensitive) == 0 ||
        languages.second.compare(key, Qt::CaseInsensitive) == 0)
        return std::nullopt;
    return languages;
}

} // namespace dictd
