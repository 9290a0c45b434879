#pragma once
// The usual charset labels ("utf-8", "gbk", "shift_jis", "windows-1252", "cp936"…), as other
// tools take them, through ICU's alias table.

#include <optional>
#include <string_view>

namespace qor {

// The Windows code page number a charset label names, in any letter case: one this program
// converts (platform/codepage_catalog.h), or 1200 and 1201 for UTF-16LE and UTF-16BE. nullopt
// for an unknown label, or one of a code page this program does not convert ("utf-16" names
// no byte order, so none).
[[nodiscard]] std::optional<int> CodePageOfCharsetName(std::string_view name);

}  // namespace qor
