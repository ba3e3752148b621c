#pragma once

// An SQLite VFS over the default one that can be told to fail every write,
// for tests of what the program does when the disk refuses. While a
// FailingSqliteVfs exists it is SQLite's default VFS, so the connections
// opened in that time use it; failing writes affects only those.
class FailingSqliteVfs final {
public:
    FailingSqliteVfs();
    ~FailingSqliteVfs();
    FailingSqliteVfs(const FailingSqliteVfs &) = delete;
    FailingSqliteVfs &operator=(const FailingSqliteVfs &) = delete;

    // From now on every write and truncation returns an I/O error.
    void failWrites(bool fail);
};
