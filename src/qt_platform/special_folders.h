#pragma once
// The user's desktop and documents folders.

#include "platform/text.h"

namespace qor {

// Full paths without a trailing "/"; they need not exist.
[[nodiscard]] Text DesktopFolder();
[[nodiscard]] Text DocumentsFolder();

}  // namespace qor
