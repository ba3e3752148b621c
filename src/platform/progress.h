#pragma once

#include <QtGlobal>

#include <functional>

namespace platform {

// How far a long operation has come: done of total units (lines, rows or
// bytes, as the operation says); total is 0 when not known in advance. The
// program paints it on the busy notice, the command-line tool as a bar on a
// terminal. Operations call it now and then, not for every unit.
using Progress = std::function<void(qint64 done, qint64 total)>;

} // namespace platform
