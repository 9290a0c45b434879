#pragma once
// Simplified and traditional Chinese through OpenCC's phrase-aware configurations.

#include <optional>
#include <string>
#include <string_view>

namespace qor {

// Converts well-formed UTF-8 without NUL bytes to traditional (or simplified) Chinese; nullopt
// when OpenCC or its data is not available. The converters open once, on first use.
[[nodiscard]] std::optional<std::string> ConvertChineseScript(std::string_view utf8,
                                                              bool traditional);

}  // namespace qor
