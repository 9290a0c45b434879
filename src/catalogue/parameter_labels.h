#pragma once
// History labels that carry parameters, as the dialogs and prompts compose them and as the
// catalogue parses them back (exact forms only: what the program itself writes).

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/text.h"

namespace qor {

// Typed pairs: "LCID: (1041)--(2052)", "Code Page: (65001)--(936)".
inline constexpr TextView kLcidTypedPrefix = u"LCID: ";
inline constexpr TextView kCodePageTypedPrefix = u"Code Page: ";
// Named pairs: "GB--Big5" without blanks, "中文简(GBK) -- 西欧(Windows)" with them.
inline constexpr TextView kLcidNameSeparator = u"--";
inline constexpr TextView kCodePageNameSeparator = u" -- ";
// Transform and language: "URL--GB", "Base64(URL)--UTF8".
inline constexpr TextView kTransformSeparator = u"--";

// a, the separator, b: the named pairs and the transform labels.
[[nodiscard]] Text JoinLabel(TextView a, TextView separator, TextView b);

// prefix "(" a ")--(" b ")", the numbers in decimal.
[[nodiscard]] Text TypedPairLabel(TextView prefix, std::int32_t a, std::int32_t b);
// The two numbers of a typed pair label; nullopt for anything but the exact form.
[[nodiscard]] std::optional<std::pair<std::int32_t, std::int32_t>> ParseTypedPairLabel(
    TextView label, TextView prefix);

// head " (" lcid ")", as the half-character cut with a typed LCID writes it: "LCID+半字 (1041)".
[[nodiscard]] Text NumberedLabel(TextView head, std::int32_t number);
// The number of such a label; nullopt for anything but the exact form.
[[nodiscard]] std::optional<std::int32_t> ParseNumberedLabel(TextView label, TextView head);

}  // namespace qor
