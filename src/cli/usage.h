#pragma once
// The text of qor-cli --help.

#include <string_view>

namespace qor {

[[nodiscard]] std::string_view Usage();

}  // namespace qor
