#pragma once

#include "translator/ttalalat.h"

namespace translator {

// Sorts the lines of both lists in place, ascending, ignoring letter case,
// by the locale's string comparison. Headers and counts stay as they are;
// the order of lines that compare equal is not defined.
void SortResultLines(TResultLists &lists);

} // namespace translator
