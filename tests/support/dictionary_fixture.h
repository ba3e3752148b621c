#pragma once

#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/dictionary_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

// A temporary folder with an English–Hungarian dictionary table in it, and
// helpers to fill and read it through the engine.
class DictionaryFixture : public ::testing::Test {
protected:
    using Pair = velkor_test::Pair;

    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString &name = QStringLiteral("Angol_Magyar.DB")) const
    {
        return QDir(dir.path()).filePath(name);
    }

    // A table component on the file, with the two language fields.
    std::unique_ptr<store::Table> makeTable(const QString &name = QStringLiteral("Angol_Magyar.DB"))
    {
        auto table = std::make_unique<store::Table>(session);
        velkor_test::bindTable(*table, path(name));
        table->addField(QStringLiteral("Azon"), store::FieldType::Integer);
        table->addField(QStringLiteral("Angol"));
        table->addField(QStringLiteral("Magyar"));
        return table;
    }

    void createDictionary(const QString &name = QStringLiteral("Angol_Magyar.DB"),
                          bool withIndexes = true)
    {
        velkor_test::makeDictionary(path(name));
        if (!withIndexes) {
            auto table = makeTable(name);
            table->deleteIndex(QStringLiteral("Angol"));
            table->deleteIndex(QStringLiteral("Magyar"));
        }
    }

    // A dictionary with indexes holding pairs, closed again.
    void createDictionaryWith(const std::vector<Pair> &pairs)
    {
        velkor_test::makeDictionary(path(), pairs);
    }

    static void add(store::Table &table, const QString &source, const QString &target)
    {
        velkor_test::appendPairs(table, {{source, target}});
    }

    static void addAll(store::Table &table, const std::vector<Pair> &pairs)
    {
        velkor_test::appendPairs(table, pairs);
    }

    static QString source(const store::Table &table)
    {
        return table.findField(QStringLiteral("Angol"))->asString();
    }
    static QString target(const store::Table &table)
    {
        return table.findField(QStringLiteral("Magyar"))->asString();
    }

    // The source texts from the first row to the last, in the current order.
    static QStringList walk(store::Table &table)
    {
        QStringList seen;
        table.first();
        while (!table.eof()) {
            seen << source(table);
            table.next();
        }
        return seen;
    }

    QTemporaryDir dir;
    store::Session session;
};
