#pragma once

#include "store/storeresult.h"

// The dictd readers and the converter report every problem as a Failure;
// nothing of theirs throws.
namespace dictd {

using store::Done;
using store::Failure;
using store::Result;
using store::Status;

} // namespace dictd
