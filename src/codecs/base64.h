#pragma once
// Base64 (RFC 4648 standard alphabet, MIME lines of RFC 2045) in both directions, and the
// alphabet variant with "*" and "-" for the last two symbols.

#include <cstdint>

#include "codepage/selectors.h"
#include "platform/text.h"

namespace qor {

enum Base64Variant : int {
  kBase64Standard = 0,  // "+" and "/"; any variant value but kBase64Star means this one
  kBase64Star = 1,      // "*" and "-"
};

// The bytes as Base64 symbols of the standard alphabet, without padding or line breaks.
[[nodiscard]] Text EncodeBase64Bytes(BytesView bytes);

// The GBK (or UTF-8) bytes of the text as padded Base64 in lines of 76 joined by CR LF. Empty for
// an empty text or on failure.
[[nodiscard]] Text EncodeBase64Text(TextView text, bool utf8);

// The bytes of Base64 text. Every "=", space, CR and LF is removed first; a character outside the
// alphabet makes the result empty. Symbols left over at the end give what their bits hold, and a
// lone last symbol gives one byte of its own value. Empty on failure.
[[nodiscard]] Bytes DecodeBase64Bytes(TextView text, int variant);

// The decoded bytes as text under a selector (an LCID, -1 Latin1 or -4 UTF8), U+0000 as spaces.
// Empty for an empty text, another selector or any failure.
[[nodiscard]] Text DecodeBase64Text(TextView text, LcidSelector selector, int variant);

}  // namespace qor
