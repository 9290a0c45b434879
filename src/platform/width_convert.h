#pragma once
// Full-width and half-width forms through ICU's transliterators.

#include <optional>

#include "platform/text.h"

namespace qor {

// ASCII, the space and half-width katakana and Hangul to their full-width forms (or back). The
// length may change: half-width katakana with voiced marks compose. nullopt on failure.
[[nodiscard]] std::optional<Text> ConvertWidth(TextView text, bool to_full_width);

}  // namespace qor
