#pragma once
// The user's desktop and documents folders.

#include <filesystem>

namespace qor {

// Full paths without a trailing "/", as the system's bytes; they need not exist.
[[nodiscard]] std::filesystem::path DesktopFolder();
[[nodiscard]] std::filesystem::path DocumentsFolder();

}  // namespace qor
