#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

namespace platform {

// How far a long operation has come: done of total units (lines, rows or
// bytes, as the operation says); total is 0 when not known in advance. The
// program paints it on the busy notice, the command-line tool as a bar on a
// terminal. Operations call it now and then, not for every unit.
using Progress = std::function<void(qint64 done, qint64 total)>;

// The maintenance panel's two progress lines: the text being worked on and
// the counter, already formatted. A null QString leaves that line as it is;
// an empty callback: nobody shows them. Unlike Progress these are words for
// a person to read, not amounts a bar can be drawn from.
using ProgressLines = std::function<void(const QString &text, const QString &counter)>;

} // namespace platform
