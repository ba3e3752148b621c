#pragma once

#include <QByteArray>
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
    Statement(sqlite3 *db, const std::string &sql); // throws EngineError
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &reset();
    Statement &bind(int index, const QString &text);
    Statement &bind(int index, std::int64_t value);
    // Binds UTF-8 text without copying it: it must stay unchanged until the
    // statement has run.
    Statement &bindUnchanging(int index, const std::string &utf8);
    // True while a row is there; false at the end. Throws EngineError.
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

// Throws the EngineError for an SQLite result code, its Hungarian message
// naming the connection's file. Every SQLite failure leaves the engine
// through here, so no other exception type escapes it.
[[noreturn]] void throwSqlite(sqlite3 *db, int code);
// The same for a file that has no usable connection (a failed open).
[[noreturn]] void throwSqlite(const QString &path, sqlite3 *db, int code);

// Runs statements without results. Throws EngineError.
void execSql(sqlite3 *db, const std::string &sql);

// The main file of the connection as SQLite names it; empty when unknown.
QString fileOf(sqlite3 *db);

// "name" with inner quotes doubled, as UTF-8.
std::string quoteIdentifier(const QString &name);

// The URI SQLite opens path by (with SQLITE_OPEN_URI), so that any file
// name is taken literally; immutable: a file nobody may change meanwhile.
QByteArray sqliteUri(const QString &path, bool immutable = false);

} // namespace store
