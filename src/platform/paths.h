#pragma once

#include <QString>

// Paths written in the Windows form the program's settings use ("C:\..."),
// on a system without drive letters.
namespace paths {

// "C:\Vegyes\Szótár" stands for the folder Vegyes/Szótár in the user's home
// directory; any other path is returned with its separators turned into "/".
QString fromWindowsPath(const QString &path);

// The directory with a trailing separator.
QString withSeparator(const QString &directory);

} // namespace paths
