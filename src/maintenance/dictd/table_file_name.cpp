#include "maintenance/dictd/table_file_name.h"

#include "store/dictionaryname.h"

#include <QFileInfo>

namespace dictd {

std::optional<TableLanguages> languagesOfTableFile(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    // One dot only, that of the extension: the program splits before the first.
    if (!name.endsWith(u".DB") || name.indexOf(u'.') != name.size() - 3 || !name.contains(u'_'))
        return std::nullopt;
    const auto [first, second] = SplitDictionaryName(name);
    const QString key = QStringLiteral("Azon");
    if (first.isEmpty() || second.isEmpty() || first.compare(second, Qt::CaseInsensitive) == 0 ||
        first.compare(key, Qt::CaseInsensitive) == 0 ||
        second.compare(key, Qt::CaseInsensitive) == 0)
        return std::nullopt;
    return TableLanguages{first, second};
}

} // namespace dictd
