#pragma once

#include "store/engine/table.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Dictionary files for tests, made and read through the program's own
// engine.
namespace velkor_test {

using Pair = std::pair<QString, QString>;

// A table component on file: its folder and file name, and the fields.
void bindTable(store::Table &table, const QString &file, const QStringList &fields = {});

// Appends the pairs to the open table's fields first and second.
void appendPairs(store::Table &table, const std::vector<Pair> &pairs,
                 const QString &first = QStringLiteral("Angol"),
                 const QString &second = QStringLiteral("Magyar"));

// Makes file as the program makes a new dictionary (fields first and
// second, an index on each) and adds the pairs to it.
void makeDictionary(const QString &file, const QString &first, const QString &second,
                    const std::vector<Pair> &pairs = {});

// The same with the fields "Angol" and "Magyar".
void makeDictionary(const QString &file, const std::vector<Pair> &pairs = {});

// Adds the pairs to the dictionary file's fields first and second.
void addPairs(const QString &file, const std::vector<Pair> &pairs,
              const QString &first = QStringLiteral("Angol"),
              const QString &second = QStringLiteral("Magyar"));

// Every row of file in key order: its key and the texts of fields.
std::vector<store::RowValues> readRows(const QString &file, const QStringList &fields = {});

// The texts of the fields first and second of every row, in key order.
std::vector<Pair> readPairs(const QString &file, const QString &first = QStringLiteral("Angol"),
                            const QString &second = QStringLiteral("Magyar"));

// The number of rows of file.
int rowCount(const QString &file);

} // namespace velkor_test
