#include "store/engine/key_loader.h"

#include "store/engine/collation.h"
#include "store/engine/sqlite_handle.h"

#include <sqlite3.h>

#include <climits>
#include <memory>

namespace store {
namespace {

// Rows between two looks at the cancel flag.
constexpr int kRowsPerCheck = 4096;
constexpr int kBusyTimeoutMs = 1500;

} // namespace

KeyLoader::KeyLoader(Source source, std::size_t expectedRows) : m_source(std::move(source))
{
    m_thread = std::thread([this, expectedRows] { run(expectedRows); });
}

KeyLoader::~KeyLoader()
{
    m_cancel.store(true, std::memory_order_relaxed);
    {
        // A first step that sorts the whole table would not look at the
        // flag for a long time: stop it where it stands.
        const std::lock_guard lock(m_dbMutex);
        if (m_db)
            sqlite3_interrupt(m_db);
    }
    if (m_thread.joinable())
        m_thread.join();
}

std::optional<std::vector<std::int32_t>> KeyLoader::take()
{
    if (m_thread.joinable())
        m_thread.join();
    if (!m_ok)
        return std::nullopt;
    m_ok = false;
    return std::move(m_keys);
}

void KeyLoader::run(std::size_t expectedRows)
{
    const QByteArray uri = sqliteUri(m_source.path, m_source.immutable);
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(uri.constData(), &raw,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI,
                                   m_source.vfs.empty() ? nullptr : m_source.vfs.c_str());
    const std::unique_ptr<sqlite3, int (*)(sqlite3 *)> db(raw, &sqlite3_close_v2);
    // Another program writing holds its lock a moment; wait as the
    // program's own connection does.
    if (raw)
        sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    // Seen by the destructor until the connection closes (declared after
    // db, so that it lets go first).
    struct Published {
        KeyLoader &loader;
        Published(KeyLoader &l, sqlite3 *db) : loader(l)
        {
            const std::lock_guard lock(loader.m_dbMutex);
            loader.m_db = db;
        }
        ~Published()
        {
            const std::lock_guard lock(loader.m_dbMutex);
            loader.m_db = nullptr;
        }
    } published(*this, raw);
    if (m_cancel.load(std::memory_order_relaxed))
        return finish(false);
    sqlite3_stmt *raw_stmt = nullptr;
    if (rc == SQLITE_OK && collation::registerWith(raw) == SQLITE_OK)
        sqlite3_prepare_v2(raw, m_source.sql.c_str(), int(m_source.sql.size()), &raw_stmt, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> select(raw_stmt,
                                                                        &sqlite3_finalize);
    bool ok = select != nullptr;
    if (ok) {
        m_keys.reserve(expectedRows);
        int untilCheck = kRowsPerCheck;
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
            const sqlite3_int64 key = sqlite3_column_int64(select.get(), 0);
            if (key < INT32_MIN || key > INT32_MAX) {
                ok = false;
                break;
            }
            m_keys.push_back(std::int32_t(key));
            if (--untilCheck == 0) {
                untilCheck = kRowsPerCheck;
                if (m_cancel.load(std::memory_order_relaxed)) {
                    ok = false;
                    break;
                }
            }
        }
        ok = ok && step == SQLITE_DONE;
    }
    finish(ok);
}

void KeyLoader::finish(bool ok)
{
    if (!ok)
        m_keys = std::vector<std::int32_t>();
    m_ok = ok;
    m_finished.store(true, std::memory_order_release);
}

} // namespace store
