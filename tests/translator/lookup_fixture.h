#pragma once

#include "support/dictionary_fixture.h"
#include "translator/wordlookup.h"

#include <memory>
#include <vector>

// The lines in use of a result list.
inline QStringList listLines(const translator::TTalalat &list)
{
    QStringList lines;
    for (int i = 0; i < list.Count; ++i)
        lines << list.Items[std::size_t(i)];
    return lines;
}

// A temporary English–Hungarian dictionary, open and ordered by its source
// field as the translator tab keeps it, with a lookup on it.
class LookupFixture : public DictionaryFixture {
protected:
    void openWith(const std::vector<Pair> &rows) { openFrom(QStringLiteral("Angol"), rows); }

    // rows: (English, Hungarian) pairs; language: the direction's source,
    // "Angol" to look up English words, "Magyar" Hungarian ones.
    void openFrom(const QString &language, const std::vector<Pair> &rows)
    {
        createDictionary();
        table = makeTable();
        table->setIndexFieldNames(language);
        table->open();
        addAll(*table, rows);
        const QString other = language == QStringLiteral("Angol") ? QStringLiteral("Magyar")
                                                                  : QStringLiteral("Angol");
        lookup = std::make_unique<translator::WordLookup>(*table, *table->findField(language),
                                                          *table->findField(other));
    }

    // List index's header as HeadText + "+" + TailText.
    QString header(int index = 0) const
    {
        const translator::TTalalat &list = lookup->ResultLists()[std::size_t(index)];
        return list.HeadText + u'+' + list.TailText;
    }

    // Lines in use of list index (0: match list, 1: completion list).
    QStringList items(int index) const
    {
        return listLines(lookup->ResultLists()[std::size_t(index)]);
    }

    std::unique_ptr<store::Table> table;
    std::unique_ptr<translator::WordLookup> lookup;
};
