#pragma once
// The form in which the character language model reads a text: code points, lower case, every
// digit as "0", tabs and line breaks as spaces. The trainer and the scorer share it. Runs of
// spaces stay: a repair that turns text into blanks must not read better for it.

#include <string>

#include "platform/text.h"

namespace qor {

// Marks the edges of a text in the model; U+0000 in a text reads as U+0001.
inline constexpr char32_t kModelEdge = 0;

// The normalised code points of a text; a lone surrogate stays as its own code point.
[[nodiscard]] std::u32string ModelText(TextView text);

// The lower case of a letter of the Latin, Greek and Cyrillic blocks; other characters as they
// are.
[[nodiscard]] char32_t ModelLower(char32_t c);

}  // namespace qor
