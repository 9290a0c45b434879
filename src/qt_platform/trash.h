#pragma once
// Deleting a file to the user's trash.

#include "platform/text.h"

namespace qor {

// Moves the file to the trash without asking, or deletes it where its volume has no trash.
// False when the file is still there; the reason then goes to `error` when given.
[[nodiscard]] bool RecycleFile(TextView path, Text* error = nullptr);

}  // namespace qor
