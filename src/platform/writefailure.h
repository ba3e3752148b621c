#pragma once

#include <QString>

// Why a file could not be written, in the program's language: the system's
// reasons come in English. Each says what it can find out about the place
// and keeps the system's reason in brackets for the rest.
namespace platform {

// Why no file can be made at path: a missing folder, a file where a folder
// should be, a folder that cannot be written.
QString cannotCreateReason(const QString &path, const QString &systemReason);

// Why writing the file at path failed part way: a full disk, or a failing
// device.
QString cannotWriteReason(const QString &path, const QString &systemReason);

} // namespace platform
