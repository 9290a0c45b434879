#pragma once
// Simplified/traditional Chinese and full/half width mapping of a text.

#include "platform/text.h"

namespace qor {

// Simplified (traditional = false) or traditional Chinese, one UTF-16 unit out per unit in:
// where a mapping would change the length, and for characters without a mapping, the original
// stays. Empty for an empty text and on failure.
[[nodiscard]] Text MapString(TextView text, bool traditional);

// Full-width (or half-width) forms; the length may change. Empty for an empty text and on failure.
[[nodiscard]] Text MapWidth(TextView text, bool to_full_width);

}  // namespace qor
