#pragma once
// Encodings on the command line: the window's codes 1..9 and their names.

#include <cstdint>
#include <optional>
#include <string>

#include "codepage/text_files.h"

namespace qor {

// An encoding code from its number or its name, in any letter case.
[[nodiscard]] std::optional<std::int16_t> ParseEncodingCode(const std::string& arg);

// The code for the parts of a text after the first: the byte-order mark only comes first.
[[nodiscard]] constexpr std::int16_t WithoutMark(std::int16_t code) {
  const bool marked = code >= kEncodingUnicode && code <= kEncodingUtf8;
  return marked ? static_cast<std::int16_t>(code + kNoBomOffset) : code;
}

}  // namespace qor
