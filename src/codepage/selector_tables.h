#pragma once
// The tables the pair dialogs and the transform selector offer: code pages and LCID selectors,
// each with its display name, in the order the dialogs list them. Constant data, checked when
// the program is compiled.

#include <cstdint>
#include <optional>
#include <span>

#include "platform/text.h"

namespace qor {

// A name and the number the dialogs compose their labels from: an LCID selector in the LCID
// tables, a code page selector in the code page table.
struct SelectorEntry {
  TextView name;
  std::int32_t value = 0;
};

using SelectorTable = std::span<const SelectorEntry>;

// The 42 entries of the code page dialog, "(=)" (the text's own UTF-16LE) among them.
[[nodiscard]] SelectorTable CodePageTable();
// The 15 entries of the LCID dialog: eleven languages, then Latin1, ULE, UBE and UTF8.
[[nodiscard]] SelectorTable LcidTable();
// The 13 languages of the transform selector: the eleven languages, then Latin1 and UTF8.
[[nodiscard]] SelectorTable TransformLanguageTable();

// The value of a display name in a table; nullopt when the name is not there.
[[nodiscard]] std::optional<std::int32_t> FindSelector(SelectorTable table, TextView name);

// A decimal 32-bit integer with an optional sign and surrounding blanks.
[[nodiscard]] std::optional<std::int32_t> ParseInt32(TextView text);

}  // namespace qor
