#pragma once

#include <QString>

namespace platform {

// Every file the program reads must be a regular file: reading a device
// (/dev/zero) never ends and a named pipe blocks until a writer comes.
// A symbolic link counts as what it points to.

// True when path names an existing regular file.
bool isRegularFile(const QString &path);

// Empty when path is a regular file or does not exist (the caller reports a
// missing file in its own words); otherwise a Hungarian message that names
// the path and says what it is, for example "... nem fájl, hanem eszköz:".
QString notRegularFileMessage(const QString &path);

} // namespace platform
