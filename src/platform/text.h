#pragma once
// The two kinds of value every conversion works on.

#include <string>
#include <string_view>

namespace qor {

// UTF-16 code units, never paired up by the program's own routines.
using Text = std::u16string;
using TextView = std::u16string_view;
// 8-bit bytes.
using Bytes = std::string;
using BytesView = std::string_view;

}  // namespace qor
