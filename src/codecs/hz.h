#pragma once
// HZ (RFC 1843): GB2312 text in 7-bit ASCII, each character's two bytes less 0x80 between "~{"
// and "~}"; "~~" is a "~", and "~" before a line break continues the line.

#include "platform/text.h"

namespace qor {

// Decodes HZ text; malformed "~" sequences stay as written, an unfinished pair or a trailing
// "~" is dropped, and a line break or a non-ASCII character ends GB mode. Empty for an empty
// text or on failure.
[[nodiscard]] Text DecodeHz(TextView text);

// GB2312 characters as HZ pairs, "~" as "~~", everything else unchanged outside GB mode. Empty
// on failure.
[[nodiscard]] Text EncodeHz(TextView text);

}  // namespace qor
