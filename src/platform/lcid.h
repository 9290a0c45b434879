#pragma once
// Windows locale identifiers (LCIDs) and their ANSI code pages.

#include <cstdint>
#include <optional>

namespace qor {

// The ANSI code page of a Windows LCID: the named LCIDs as Windows has them, the others by
// their language and script (3076 zh-Hant-HK gives 950); Windows' default locales (0, 0x400,
// 0x800) give the program's system code page, 936. nullopt for an unknown LCID or a locale that
// has no ANSI code page (a Unicode-only language such as Hindi).
[[nodiscard]] std::optional<int> AnsiCodePageOfLcid(std::int32_t lcid);

}  // namespace qor
