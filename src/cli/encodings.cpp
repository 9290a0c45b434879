#include "cli/encodings.h"

#include <algorithm>
#include <cctype>

#include "platform/wtf8.h"

namespace qor {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

std::optional<std::int16_t> ParseEncodingCode(const std::string& arg) {
  if (arg.size() == 1 && arg[0] >= '0' && arg[0] <= '9') return arg[0] - '0';
  for (std::int16_t code = kEncodingGbk; code <= kEncodingUtf8NoBom; ++code) {
    if (Lower(EncodeWtf8(EncodingName(code))) == Lower(arg)) return code;
  }
  return std::nullopt;
}

}  // namespace qor
