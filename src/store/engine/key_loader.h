#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct sqlite3;

namespace store {

// Reads the keys of a table file in one order on a thread and a read-only
// connection of its own, so that the ordered key list of a large table is
// built while the caller goes on. The loader sees the file as it was when
// its read began; whoever takes the keys must know that nothing was written
// since it started.
class KeyLoader final {
public:
    struct Source {
        QString path;
        bool immutable = false;
        std::string vfs; // empty: SQLite's default
        std::string sql; // one integer column, the keys in order
    };

    KeyLoader(Source source, std::size_t expectedRows);
    // Cancels a running load and waits for the thread.
    ~KeyLoader();
    KeyLoader(const KeyLoader &) = delete;
    KeyLoader &operator=(const KeyLoader &) = delete;

    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // Waits for the end of the load. The keys, or nullopt when the load
    // failed (any SQLite error, a key outside 32 bits) or was cancelled.
    std::optional<std::vector<std::int32_t>> take();

private:
    void run(std::size_t expectedRows);
    void finish(bool ok);

    Source m_source;
    std::vector<std::int32_t> m_keys;
    bool m_ok = false;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_finished{false};
    std::mutex m_dbMutex;
    sqlite3 *m_db = nullptr; // the load's open connection, under m_dbMutex
    std::thread m_thread;
};

} // namespace store
