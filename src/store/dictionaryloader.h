#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace store {

class TableFile;

// Fills a new dictionary table with many rows in one go, several times
// faster than a Table: the rows go in in one transaction without a journal,
// and the field indexes are built once, from all rows, at the end. Meant
// for a file no other connection uses, which the caller throws away when
// the load fails (a crash mid-way leaves it unusable). Every failure throws
// EngineError.
class DictionaryLoader final {
public:
    // Creates path as CreateDictionaryFile does, but leaves its field
    // indexes for finish().
    DictionaryLoader(const QString &path, const QString &first, const QString &second);
    ~DictionaryLoader();
    DictionaryLoader(const DictionaryLoader &) = delete;
    DictionaryLoader &operator=(const DictionaryLoader &) = delete;

    // Appends a row and returns its key, one more at each call, from the
    // key a Table gives the first row of an empty table. Texts longer than their field are the
    // caller's to cut.
    std::int32_t append(const QString &first, const QString &second);
    // The texts of a row appended before.
    std::pair<QString, QString> row(std::int32_t azon);

    // Builds the indexes and commits. The file is then what
    // CreateDictionaryFile and appending the rows through a Table give.
    void finish();

private:
    struct Statements;

    QString m_path;
    QString m_first;
    QString m_second;
    std::unique_ptr<TableFile> m_file;
    std::unique_ptr<Statements> m_statements;
    std::int32_t m_lastKey;
    // The texts of the row being appended, as UTF-8; reused from row to row.
    std::string m_firstUtf8;
    std::string m_secondUtf8;
};

} // namespace store
