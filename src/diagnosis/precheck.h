#pragma once
// Whether a text may need a repair at all. Clean text is what a stream of records mostly holds,
// and the search costs thousands of conversions; text without escapes, without signs of
// mojibake, and reading as well as clean text of its script reads, is left as it is without one.

#include <optional>
#include <string_view>

#include "diagnosis/plausibility.h"
#include "platform/text.h"

namespace qor {

// Log-probability a unit above which a text without escapes or signs of mojibake counts as
// clean: garbled text without signs reads below it in every script group.
inline constexpr double kCleanLevel = -2.5;

// Log-probability a character beyond ASCII (LanguageModel::WideReading) above which a text
// counts as clean too, by the group of the run that holds most of them; nullopt for a group
// without one. Garbled text without signs reads below it: the level of a group lies where the
// model's corpus shows the clean texts of sources it was not trained on above and the garbled
// ones below.
[[nodiscard]] std::optional<double> CleanWideLevel(std::string_view group);

// Whether ASCII text holds what an escape format writes: "%E4", "=E4", "%u4E2D", "\u", "&#",
// "&amp;", UTF-7's "+…-", HZ's "~{", or a word that looks like Base64.
[[nodiscard]] bool HasEscapes(TextView text);

// Whether the text (as Read under the model) needs the search for repairs.
[[nodiscard]] bool MayNeedRepair(TextView text, const Reading& reading, const LanguageModel& model);

}  // namespace qor
