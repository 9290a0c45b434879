#pragma once
// Whether a text may need a repair at all. Clean text is what a stream of records mostly holds,
// and the search costs thousands of conversions; text without escapes, without signs of
// mojibake, and reading as well as clean text of its script reads, is left as it is without one.

#include "diagnosis/plausibility.h"
#include "platform/text.h"

namespace qor {

// Log-probability a unit above which a text without escapes or signs of mojibake counts as
// clean: garbled text without signs reads below it in every script group.
inline constexpr double kCleanLevel = -2.5;

// Whether ASCII text holds what an escape format writes: "%41", "=41", "\u", "&#", "&amp;",
// UTF-7's "+…-", HZ's "~{", or a word that looks like Base64.
[[nodiscard]] bool HasEscapes(TextView text);

// Whether the text (as read) needs the search for repairs.
[[nodiscard]] bool MayNeedRepair(TextView text, const Reading& reading);

}  // namespace qor
