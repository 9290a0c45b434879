#pragma once
// The two kinds of value every conversion works on, and the few helpers every layer uses on them.

#include <cstdint>
#include <string>
#include <string_view>

namespace qor {

// UTF-16 code units, never paired up by the program's own routines.
using Text = std::u16string;
using TextView = std::u16string_view;
// 8-bit bytes.
using Bytes = std::string;
using BytesView = std::string_view;

// The value in decimal, "-" before a negative one.
[[nodiscard]] Text IntegerText(std::int64_t value);

// The two texts one after the other.
[[nodiscard]] Text Concat(TextView a, TextView b);

// Every occurrence of `from`, left to right, replaced by `to`, without looking again at what was
// put in; the text as it is for an empty `from`.
[[nodiscard]] Text ReplaceAll(TextView text, TextView from, TextView to);

}  // namespace qor
