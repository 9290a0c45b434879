#pragma once
// Deleting a file to the user's trash, laid out as freedesktop.org's Trash standard has it:
// the home trash for files on its volume, the volume's own trash for others. Paths are the
// system's bytes, so that a file of any name can go.

#include <filesystem>

#include "platform/text.h"

namespace qor {

// Moves the file to the trash without asking, or deletes it where its volume has no trash.
// False when the file is still there; the reason then goes to `error` when given.
[[nodiscard]] bool RecycleFile(const std::filesystem::path& path, Text* error = nullptr);

}  // namespace qor
