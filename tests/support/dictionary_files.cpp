#include "support/dictionary_files.h"

#include "store/dictionaryfile.h"
#include "store/engine/session.h"

#include <QFileInfo>

namespace velkor_test {

void bindTable(store::Table &table, const QString &file, const QStringList &fields)
{
    const QFileInfo info(file);
    table.setDatabaseName(info.absolutePath());
    table.setTableName(info.fileName());
    for (const QString &field : fields)
        table.addField(field);
}

void appendPairs(store::Table &table, const std::vector<Pair> &pairs, const QString &first,
                 const QString &second)
{
    for (const auto &[source, target] : pairs) {
        table.append();
        table.findField(first)->setAsString(source);
        table.findField(second)->setAsString(target);
        table.post();
    }
}

void makeDictionary(const QString &file, const QString &first, const QString &second,
                    const std::vector<Pair> &pairs)
{
    store::CreateDictionaryFile(file, first, second);
    if (!pairs.empty())
        addPairs(file, pairs, first, second);
}

void makeDictionary(const QString &file, const std::vector<Pair> &pairs)
{
    makeDictionary(file, QStringLiteral("Angol"), QStringLiteral("Magyar"), pairs);
}

void addPairs(const QString &file, const std::vector<Pair> &pairs, const QString &first,
              const QString &second)
{
    store::Session session;
    store::Table table(session);
    bindTable(table, file, {first, second});
    table.open();
    appendPairs(table, pairs, first, second);
    table.close();
}

std::vector<store::RowValues> readRows(const QString &file, const QStringList &fields)
{
    store::Session session;
    store::Table table(session);
    bindTable(table, file);
    table.open();
    std::vector<store::RowValues> rows;
    for (int i = 0; i < table.recordCount(); ++i)
        rows.push_back(table.rowAt(i, fields));
    return rows;
}

std::vector<Pair> readPairs(const QString &file, const QString &first, const QString &second)
{
    std::vector<Pair> pairs;
    for (const store::RowValues &row : readRows(file, {first, second}))
        pairs.emplace_back(row.values.at(0), row.values.at(1));
    return pairs;
}

int rowCount(const QString &file)
{
    store::Session session;
    store::Table table(session);
    bindTable(table, file);
    table.open();
    return table.recordCount();
}

} // namespace velkor_test
