#pragma once
// ISO-2022 text whose ESC characters were stripped on the way: the ESC put back before each
// designation mark of one language, then decoded with that language's ISO-2022 code page.

#include "platform/text.h"

namespace qor {

// Index 0 Chinese ("$)A", "$)G"; code page 50227), 1 Japanese ("(B", "$B"; 50221), 2 Korean
// ("$)C"; 50225). An empty text stays empty, another index leaves the text as it is; any
// failure gives the empty string. Characters above U+00FF do not survive the Latin-1 step.
[[nodiscard]] Text RestoreIso2022Escapes(TextView text, int index);

// The first half of the above, before decoding: ESC put before every mark of the language, a
// doubled ESC made single, and designations directly followed by an ESC dropped. Another index
// leaves the text as it is.
[[nodiscard]] Text RestoreIso2022Marks(TextView text, int index);

}  // namespace qor
