#pragma once
// Windows locale identifiers (LCIDs) and their ANSI code pages.

#include <cstdint>
#include <optional>

namespace qor {

// The ANSI code page of a Windows LCID; nullopt for an unknown LCID or a locale that has no
// ANSI code page (a Unicode-only language such as Hindi).
[[nodiscard]] std::optional<int> AnsiCodePageOfLcid(std::int32_t lcid);

}  // namespace qor
