#pragma once
// Hex digits, read and written.

namespace qor {

// The value of a hex digit (either case), or -1.
[[nodiscard]] constexpr int HexDigitValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

inline constexpr char16_t kUpperHexDigits[] = u"0123456789ABCDEF";

}  // namespace qor
