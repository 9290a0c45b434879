#pragma once
// UTF-7 (RFC 2152): UTF-16 units in "+...-" runs of modified Base64, everything printable as
// itself.

#include "platform/text.h"

namespace qor {

// Decodes each "+" run of 3 or more symbols as big-endian UTF-16 (a "-" right after it is
// dropped); shorter runs stay as written, and "+-" is "+". U+0000 becomes a space. Empty for an
// empty text or on failure.
[[nodiscard]] Text DecodeUtf7(TextView text);

// TAB, LF, CR and U+0020..U+007E as themselves ("+" as "+-"), every other unit in a run closed
// by "-". Empty on failure.
[[nodiscard]] Text EncodeUtf7(TextView text);

}  // namespace qor
