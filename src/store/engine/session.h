#pragma once

#include <QString>

#include <map>
#include <memory>
#include <string>

namespace store {

class TableFile;

// The open table files of one run (the data module owns one; every test
// makes its own). Tables of a session bound to the same file share the
// file's connection and its ordered key lists, so each sees the other's
// posted rows at once.
class Session final {
public:
    Session();
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // The shared file for path, opened when no table holds it yet. Throws
    // EngineError when the file cannot be opened as a dictionary table.
    std::shared_ptr<TableFile> acquire(const QString &path);
    // True while some table of the session holds path open.
    bool isHeld(const QString &path) const;

    // Files opened from now on go through the SQLite VFS registered under
    // name (tests put a failing one in place); empty gives the default.
    void setVfs(const std::string &name) { m_vfs = name; }
    // Files opened from now on with at least rows rows build their ordered
    // key lists in the background (see TableFile::keysAtHand).
    void setBackgroundKeysFrom(int rows) { m_backgroundKeysFrom = rows; }
    // Files opened from now on are opened for reading only, as a file the
    // user may not write is (a viewer's session; tests of the refusals).
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    const std::string &vfs() const { return m_vfs; }

private:
    std::map<QString, std::weak_ptr<TableFile>> m_files;
    std::string m_vfs;
    int m_backgroundKeysFrom = 100000;
    bool m_readOnly = false;
};

} // namespace store
