#pragma once
// The two tables the pair dialogs offer: code pages and LCID selectors, each with its display
// name. Kept as comma-separated text, name then number, in the order the dialogs list them.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/text.h"

namespace qor {

struct SelectorEntry {
  Text name;
  std::int32_t value = 0;
};

// The 42 entries of the code page dialog, "(=)" (-2) among them.
const std::vector<SelectorEntry>& CodePageTable();
// The 15 entries of the LCID dialog: eleven languages, then Latin1, ULE, UBE and UTF8.
const std::vector<SelectorEntry>& LcidTable();
// The 13 languages of the transform selector: the eleven languages, then Latin1 and UTF8.
const std::vector<SelectorEntry>& TransformLanguageTable();

// Splits "name,number,name,number…" into entries; nullopt when a number does not convert.
std::optional<std::vector<SelectorEntry>> ParseSelectorTable(TextView text);

// The value of a display name in a table; nullopt when the name is not there.
std::optional<std::int32_t> FindSelector(const std::vector<SelectorEntry>& table, TextView name);

// A decimal 32-bit integer with an optional sign and surrounding blanks.
std::optional<std::int32_t> ParseInt32(TextView text);
// The value in decimal, "-" before a negative one.
Text DecimalText(std::int32_t value);

}  // namespace qor
