#include "support/failing_sqlite_vfs.h"

#include <sqlite3.h>

#include <atomic>
#include <stdexcept>

namespace {

// The one VFS registered at a time (SQLite keeps VFS objects by name).
std::atomic<bool> g_failWrites{false};
sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_vfs{};

struct WrappedFile {
    sqlite3_file base;
    sqlite3_file *real; // lives right after this struct
};

sqlite3_file *real(sqlite3_file *file)
{
    return reinterpret_cast<WrappedFile *>(file)->real;
}

int xClose(sqlite3_file *f)
{
    return real(f)->pMethods->xClose(real(f));
}
int xRead(sqlite3_file *f, void *buffer, int amount, sqlite3_int64 offset)
{
    return real(f)->pMethods->xRead(real(f), buffer, amount, offset);
}
int xWrite(sqlite3_file *f, const void *buffer, int amount, sqlite3_int64 offset)
{
    if (g_failWrites)
        return SQLITE_IOERR_WRITE;
    return real(f)->pMethods->xWrite(real(f), buffer, amount, offset);
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    if (g_failWrites)
        return SQLITE_IOERR_TRUNCATE;
    return real(f)->pMethods->xTruncate(real(f), size);
}
int xSync(sqlite3_file *f, int flags)
{
    return real(f)->pMethods->xSync(real(f), flags);
}
int xFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return real(f)->pMethods->xFileSize(real(f), size);
}
int xLock(sqlite3_file *f, int level)
{
    return real(f)->pMethods->xLock(real(f), level);
}
int xUnlock(sqlite3_file *f, int level)
{
    return real(f)->pMethods->xUnlock(real(f), level);
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
int xShmMap(sqlite3_file *f, int page, int size, int extend, void volatile **out)
{
    return real(f)->pMethods->xShmMap(real(f), page, size, extend, out);
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

// Version 2 methods: WAL files need the shared-memory calls. Memory mapping
// (version 3) is left out, so every write goes through xWrite.
const sqlite3_io_methods kMethods = {2,
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
                                     nullptr,
                                     nullptr};

int xOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    auto *wrapped = reinterpret_cast<WrappedFile *>(file);
    wrapped->base.pMethods = nullptr;
    wrapped->real = reinterpret_cast<sqlite3_file *>(wrapped + 1);
    const int rc = g_real->xOpen(g_real, name, wrapped->real, flags, outFlags);
    if (wrapped->real->pMethods)
        wrapped->base.pMethods = &kMethods;
    return rc;
}

int xDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return g_real->xDelete(g_real, name, syncDir);
}
int xAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return g_real->xAccess(g_real, name, flags, out);
}
int xFullPathname(sqlite3_vfs *, const char *name, int size, char *out)
{
    return g_real->xFullPathname(g_real, name, size, out);
}
int xRandomness(sqlite3_vfs *, int size, char *out)
{
    return g_real->xRandomness(g_real, size, out);
}
int xSleep(sqlite3_vfs *, int microseconds)
{
    return g_real->xSleep(g_real, microseconds);
}
int xCurrentTime(sqlite3_vfs *, double *out)
{
    return g_real->xCurrentTime(g_real, out);
}
int xGetLastError(sqlite3_vfs *, int size, char *out)
{
    return g_real->xGetLastError ? g_real->xGetLastError(g_real, size, out) : 0;
}
int xCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return g_real->xCurrentTimeInt64(g_real, out);
}

} // namespace

FailingSqliteVfs::FailingSqliteVfs()
{
    sqlite3_initialize();
    g_real = sqlite3_vfs_find(nullptr);
    if (!g_real)
        throw std::runtime_error("no default SQLite VFS");
    g_vfs = sqlite3_vfs{};
    g_vfs.iVersion = 2;
    g_vfs.szOsFile = int(sizeof(WrappedFile)) + g_real->szOsFile;
    g_vfs.mxPathname = g_real->mxPathname;
    g_vfs.zName = "velkor-failing";
    g_vfs.xOpen = xOpen;
    g_vfs.xDelete = xDelete;
    g_vfs.xAccess = xAccess;
    g_vfs.xFullPathname = xFullPathname;
    g_vfs.xRandomness = xRandomness;
    g_vfs.xSleep = xSleep;
    g_vfs.xCurrentTime = xCurrentTime;
    g_vfs.xGetLastError = xGetLastError;
    g_vfs.xCurrentTimeInt64 = xCurrentTimeInt64;
    g_failWrites = false;
    sqlite3_vfs_register(&g_vfs, 1);
}

FailingSqliteVfs::~FailingSqliteVfs()
{
    g_failWrites = false;
    sqlite3_vfs_unregister(&g_vfs);
}

void FailingSqliteVfs::failWrites(bool fail)
{
    g_failWrites = fail;
}
