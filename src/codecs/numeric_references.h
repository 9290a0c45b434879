#pragma once
// Numeric character references ("&#x53EF;", "&#21487;", "\u53EF", "%u53EF", "%28") and the
// HTML 4.01 named entities, in both directions. Unicode text in, Unicode text out.

#include <span>

#include "platform/text.h"

namespace qor {

// Decoder modes, the index of the menu item that uses each.
enum NumericReferenceMode : int {
  kHtmlReferences = 0,       // "&#x" hex, "&#" decimal, named entities and tags; ";" ends one
  kBackslashReferences = 1,  // "\u" 4 hex digits, "\x" 2 hex digits
  kPercentReferences = 2,    // "%u" 4 hex digits, "%" 2 hex digits
};

// Decodes the references of a mode; the empty text for an empty text, an unknown mode or any
// failure.
[[nodiscard]] Text DecodeNumericReferences(TextView text, int mode);

// Every unit from U+0080 up as "&#xHEX;" (upper case, no leading zeros) or "&#DECIMAL;";
// units below U+0080 are copied. Empty on failure.
[[nodiscard]] Text EncodeNumericReferences(TextView text, bool decimal);

struct HtmlEntity {
  const char* name;  // case-sensitive
  char16_t code;
};

// The 252 character entities of HTML 4.01: "quot", "amp", "lt", "gt", then the rest.
[[nodiscard]] std::span<const HtmlEntity> HtmlEntityTable();

}  // namespace qor
