#pragma once

#include <QDir>
#include <QString>

namespace dictd {

// A conversion builds its table in a hidden work folder beside the output,
// named ".szotar-atalakitas-PID-XXXXXX" after the process that owns it. A
// killed conversion leaves its folder behind; the next one clears it.

// The QTemporaryDir template of this process's work folder in directory.
QString workFolderTemplate(const QDir &directory);

// The owner's process id in a work folder's name; 0 when the name is not a
// work folder's.
qint64 workFolderOwner(const QString &name);

// Removes the work folders in directory whose owner process is gone and
// returns how many. Folders of live processes, this one included, and
// anything that is not a work folder are left alone.
int removeStaleWorkFolders(const QDir &directory);

} // namespace dictd
