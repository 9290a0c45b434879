#pragma once
// Starting another process of the running program.

#include "platform/text.h"

namespace qor {

// Starts the program's own executable (or the given one) without arguments, detached; false
// when it could not be started.
bool StartOwnExecutable(TextView program = {});

}  // namespace qor
