#include "store/dictionaryfile.h"

#include "store/dictionaryformat.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QFileInfo>

namespace store {

void CreateDictionaryFile(const QString &path, const QString &first, const QString &second)
{
    Session session;
    Table table(session);
    const QFileInfo info(path);
    table.setDatabaseName(info.path());
    table.setTableName(info.fileName());
    table.createTable({{QStringLiteral("Azon"), FieldType::Integer, 0, true},
                       {first, FieldType::String, kTextFieldSize, false},
                       {second, FieldType::String, kTextFieldSize, false}},
                      {{QString(), QStringLiteral("Azon"), true, false},
                       {first, first, false, true},
                       {second, second, false, true}});
}

} // namespace store
