#pragma once

#include "store/engine/collation.h"

#include <QString>

#include <sqlite3.h>

#include <string>

// Plain SQLite access to a dictionary file, past the engine, for checking
// what really is in it.
class SqliteProbe {
public:
    explicit SqliteProbe(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(m_db, 2000);
        store::collation::registerWith(m_db);
    }
    ~SqliteProbe() { sqlite3_close_v2(m_db); }
    SqliteProbe(const SqliteProbe &) = delete;
    SqliteProbe &operator=(const SqliteProbe &) = delete;

    // The first column of the first row, as text; empty when none.
    std::string text(const char *sql) const
    {
        sqlite3_stmt *stmt = nullptr;
        std::string result;
        if (sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0))
            result = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        return result;
    }
    int exec(const char *sql) const { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    std::string integrity() const { return text("PRAGMA integrity_check"); }
    int rows() const { return std::stoi("0" + text("SELECT count(*) FROM Angol_Magyar")); }
    sqlite3 *db() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};
