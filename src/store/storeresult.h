#pragma once

#include "platform/result.h"

namespace store {

// The dictionary operations report through the program's one result type.
using platform::Done;
using platform::Failure;
using platform::Result;
using platform::Status;

} // namespace store
