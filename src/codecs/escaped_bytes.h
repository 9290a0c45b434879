#pragma once
// The byte interpretations of the escape codecs: the bytes an escape format carries become text
// under an LCID (its ANSI code page), Latin-1 or UTF-8; the encoders take GBK or UTF-8 bytes.

#include <optional>

#include "codepage/selectors.h"
#include "platform/text.h"

namespace qor {

// Whether the escape decoders accept the selector: an LCID the platform knows, -1 Latin1 or
// -4 UTF8.
[[nodiscard]] bool IsEscapedBytesSelector(LcidSelector selector);

// The bytes as text under an accepted selector, U+0000 turned into spaces; nullopt otherwise.
[[nodiscard]] std::optional<Text> EscapedBytesToText(BytesView bytes, LcidSelector selector);

// The GBK bytes (LCID 2052) or the UTF-8 bytes of the text; nullopt when GBK is unavailable.
[[nodiscard]] std::optional<Bytes> GbkOrUtf8Bytes(TextView text, bool utf8);

}  // namespace qor
