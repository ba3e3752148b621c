#pragma once

#include <cstdint>

// An SQLite VFS for tests that wraps the default one and fails writes on
// request, as a full disk or a failing device would. Files opened through
// it (by its name, kFailingVfsName) behave normally until a failure is armed.
namespace failing_vfs {

inline constexpr char kFailingVfsName[] = "velkor-failing";

enum class Failure {
    IoError,  // the write fails with an I/O error
    DiskFull, // the write fails with SQLITE_FULL
};

// Registers the VFS (once; later calls do nothing). Not the default VFS.
void install();

// From now on, writes succeed for budget more bytes, then every write fails
// as failure says, until disarm().
void armAfter(std::int64_t budget, Failure failure = Failure::DiskFull);
void disarm();
// Bytes written through the VFS since install().
std::int64_t bytesWritten();

// Makes the failing VFS SQLite's default while it lives, so connections the
// code under test opens on its own (through the data module, say) use it.
class DefaultScope {
public:
    DefaultScope();
    ~DefaultScope();
    DefaultScope(const DefaultScope &) = delete;
    DefaultScope &operator=(const DefaultScope &) = delete;
};

// Arms on construction, disarms on destruction.
class ArmedScope {
public:
    ArmedScope(std::int64_t budget, Failure failure) { armAfter(budget, failure); }
    ~ArmedScope() { disarm(); }
    ArmedScope(const ArmedScope &) = delete;
    ArmedScope &operator=(const ArmedScope &) = delete;
};

} // namespace failing_vfs
