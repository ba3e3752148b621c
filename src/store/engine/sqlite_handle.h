#pragma once

#include <QString>

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace store {

// A prepared statement, finalized with its owner. Text is bound and read as
// UTF-8; binding copies the data.
class Statement final {
public:
    Statement() = default;
    Statement(sqlite3 *db, const std::string &sql); // throws SqliteError
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &reset();
    Statement &bind(int index, const QString &text);
    Statement &bind(int index, std::int64_t value);
    // True while a row is there; false at the end. Throws SqliteError.
    bool step();
    void run(); // steps to the end, ignoring rows

    std::int64_t integer(int column) const;
    QString text(int column) const;
    const char *utf8(int column, int &length) const;
    bool isNull(int column) const;

private:
    sqlite3_stmt *m_stmt = nullptr;
    sqlite3 *m_db = nullptr;
};

// Carries an SQLite result code up to the engine, which turns it into a
// Hungarian message naming the file.
struct SqliteError {
    int code;
    std::string detail;
};

[[noreturn]] void throwSqlite(sqlite3 *db, int code);

// Runs statements without results.
void execSql(sqlite3 *db, const std::string &sql);

// "name" with inner quotes doubled, as UTF-8.
std::string quoteIdentifier(const QString &name);

} // namespace store
