#pragma once
// The view settings of the text control (word wrap, font name, font size) and the texts they are
// stored as in the settings store.

#include <optional>

#include "platform/text.h"

namespace qor {

// Where the settings live in the store, and their keys.
inline constexpr TextView kViewSection = u"Picks";
inline constexpr TextView kWordWrapKey = u"WordWrap";
inline constexpr TextView kFontNameKey = u"FontName";
inline constexpr TextView kFontSizeKey = u"FontSize";

// The values at start, before the stored ones are applied.
inline constexpr bool kDefaultWordWrap = true;
inline constexpr TextView kDefaultFontName = u"宋体";
inline constexpr double kDefaultFontSize = 12;

// "True" or "False".
[[nodiscard]] Text BoolText(bool value);
// The Boolean conversion of a stored text: True or False in any case, or a decimal number
// (non-zero is true), blanks around allowed; nullopt for anything else.
[[nodiscard]] std::optional<bool> ParseBoolText(TextView text);

// A decimal number with "." as its point, as short as it goes: "12", "10.5".
[[nodiscard]] Text DecimalText(double value);
// The decimal conversion of a stored text ("10.5", " 12 ", "1e1"); nullopt for anything else,
// infinities and NaN included.
[[nodiscard]] std::optional<double> ParseDecimalText(TextView text);

// Rounds to the nearest whole number, halves to the even neighbour: 10.5 gives 10, 11.5 gives 12.
[[nodiscard]] long long RoundHalfEven(double value);

// Whether the text control takes a font of this size in points.
[[nodiscard]] bool IsUsableFontSize(double points);

}  // namespace qor
