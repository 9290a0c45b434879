#pragma once
// Character codes in the ANSI code page, as the system's character-code functions give them; the
// ANSI code page is fixed to 936 (GBK). Each unit is coded on its own, but a whole text costs one
// conversion.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/text.h"

namespace qor {

inline constexpr int kAnsiCodePage = 936;

// The code of each unit: ASCII as itself, a double-byte character as lead × 256 + trail, a
// single byte from 0x80 as itself, a unit without a mapping (a lone surrogate, for one) as the
// code of "?".
[[nodiscard]] std::vector<std::uint16_t> AnsiCodes(TextView text);

// The character of each double-byte code, one unit per code; U+FFFD for a code that is not a
// double-byte code of the code page.
[[nodiscard]] Text DoubleByteChars(std::span<const std::uint16_t> codes);

}  // namespace qor
