#pragma once

#include "platform/result.h"

// The dictd readers and the converter report every problem as a Failure;
// nothing of theirs throws.
namespace dictd {

using platform::Done;
using platform::Failure;
using platform::Result;
using platform::Status;

} // namespace dictd
