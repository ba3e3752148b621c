#include "failing_vfs.h"

#include <sqlite3.h>

#include <atomic>
#include <cstring>

namespace failing_vfs {
namespace {

// The test binary's one failure switch: tests arm it around the calls that
// must fail.
std::atomic<bool> g_armed{false};
std::atomic<std::int64_t> g_budget{0};
std::atomic<int> g_failure{int(Failure::DiskFull)};
std::atomic<std::int64_t> g_written{0};

sqlite3_vfs g_vfs;
sqlite3_vfs *g_base = nullptr;

// The wrapped file: our methods first, the real file's storage after them.
struct File {
    sqlite3_file base;
    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

File *own(sqlite3_file *file)
{
    return reinterpret_cast<File *>(file);
}
sqlite3_file *real(sqlite3_file *file)
{
    return own(file)->real();
}

int xClose(sqlite3_file *f)
{
    return real(f)->pMethods ? real(f)->pMethods->xClose(real(f)) : SQLITE_OK;
}
int xRead(sqlite3_file *f, void *buffer, int amount, sqlite3_int64 offset)
{
    return real(f)->pMethods->xRead(real(f), buffer, amount, offset);
}
int xWrite(sqlite3_file *f, const void *buffer, int amount, sqlite3_int64 offset)
{
    if (g_armed) {
        if (g_budget.fetch_sub(amount) < amount) {
            g_budget = 0;
            return g_failure == int(Failure::DiskFull) ? SQLITE_FULL : SQLITE_IOERR_WRITE;
        }
    }
    g_written += amount;
    return real(f)->pMethods->xWrite(real(f), buffer, amount, offset);
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    if (g_armed && g_budget <= 0)
        return SQLITE_IOERR_TRUNCATE;
    return real(f)->pMethods->xTruncate(real(f), size);
}
int xSync(sqlite3_file *f, int flags)
{
    if (g_armed && g_budget <= 0)
        return SQLITE_IOERR_FSYNC;
    return real(f)->pMethods->xSync(real(f), flags);
}
int xFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return real(f)->pMethods->xFileSize(real(f), size);
}
int xLock(sqlite3_file *f, int lock)
{
    return real(f)->pMethods->xLock(real(f), lock);
}
int xUnlock(sqlite3_file *f, int lock)
{
    return real(f)->pMethods->xUnlock(real(f), lock);
}
int xCheckReservedLock(sqlite3_file *f, int *out)
{
    return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int xFileControl(sqlite3_file *f, int op, void *arg)
{
    return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int xSectorSize(sqlite3_file *f)
{
    return real(f)->pMethods->xSectorSize(real(f));
}
int xDeviceCharacteristics(sqlite3_file *f)
{
    return real(f)->pMethods->xDeviceCharacteristics(real(f));
}
int xShmMap(sqlite3_file *f, int region, int size, int extend, void volatile **out)
{
    return real(f)->pMethods->xShmMap(real(f), region, size, extend, out);
}
int xShmLock(sqlite3_file *f, int offset, int n, int flags)
{
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}
void xShmBarrier(sqlite3_file *f)
{
    real(f)->pMethods->xShmBarrier(real(f));
}
int xShmUnmap(sqlite3_file *f, int deleteFlag)
{
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}
int xFetch(sqlite3_file *f, sqlite3_int64 offset, int amount, void **out)
{
    // No memory-mapped reads: every page goes through xRead and xWrite.
    (void)f;
    (void)offset;
    (void)amount;
    *out = nullptr;
    return SQLITE_OK;
}
int xUnfetch(sqlite3_file *f, sqlite3_int64 offset, void *page)
{
    (void)f;
    (void)offset;
    (void)page;
    return SQLITE_OK;
}

const sqlite3_io_methods kMethods = {
    3,
    xClose,
    xRead,
    xWrite,
    xTruncate,
    xSync,
    xFileSize,
    xLock,
    xUnlock,
    xCheckReservedLock,
    xFileControl,
    xSectorSize,
    xDeviceCharacteristics,
    xShmMap,
    xShmLock,
    xShmBarrier,
    xShmUnmap,
    xFetch,
    xUnfetch,
};

int xOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    File *wrapped = own(file);
    std::memset(wrapped->real(), 0, std::size_t(g_base->szOsFile));
    const int rc = g_base->xOpen(g_base, name, wrapped->real(), flags, outFlags);
    // Without methods SQLite never calls xClose, so neither may we forward it.
    wrapped->base.pMethods = wrapped->real()->pMethods ? &kMethods : nullptr;
    return rc;
}

} // namespace

void install()
{
    if (g_base)
        return;
    g_base = sqlite3_vfs_find(nullptr);
    g_vfs = *g_base;
    g_vfs.zName = kFailingVfsName;
    g_vfs.szOsFile = int(sizeof(File)) + g_base->szOsFile;
    g_vfs.pNext = nullptr;
    g_vfs.xOpen = xOpen;
    // The other calls (delete, access, full path name, ...) receive our VFS
    // pointer but work on names only; the unix VFS ignores that pointer's
    // own fields but for pAppData, which the copy keeps.
    sqlite3_vfs_register(&g_vfs, 0);
}

void armAfter(std::int64_t budget, Failure failure)
{
    g_failure = int(failure);
    g_budget = budget;
    g_armed = true;
}

void disarm()
{
    g_armed = false;
}

std::int64_t bytesWritten()
{
    return g_written;
}

DefaultScope::DefaultScope()
{
    install();
    sqlite3_vfs_register(&g_vfs, 1);
}

DefaultScope::~DefaultScope()
{
    disarm();
    sqlite3_vfs_register(g_base, 1);
}

} // namespace failing_vfs
