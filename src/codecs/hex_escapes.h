#pragma once
// Bytes written as two hex digits behind an escape character: URL percent-encoding ("%E4", "+"
// for a space) and quoted-printable ("=E4", RFC 2045), turned into text under a chosen byte
// interpretation; and the quoted-printable encoder.

#include <cstdint>

#include "codepage/selectors.h"
#include "platform/text.h"

namespace qor {

// Decoder modes: the escape character and the preparation.
enum HexEscapeMode : int {
  kQuotedPrintable = 0,  // "=XX"; soft line breaks ("=", "= " or "=" TAB before a line break)
                         // are removed first
  kUrlEncoding = 1,      // "%XX"; every "+" is a space
};

// Decodes each unbroken run of escapes (with a plain ASCII character right after an escaped lead
// byte taken as its trail byte when the selector is an LCID) as one byte string under the
// selector (an LCID, -1 Latin1 or -4 UTF8); malformed escapes stay as written. Any mode other
// than kUrlEncoding is quoted-printable. Empty for an empty text, another selector or a failure.
[[nodiscard]] Text DecodeHexEscapes(TextView text, LcidSelector selector, int mode);

// The GBK (or UTF-8) bytes of the text as quoted-printable: every byte that is not printable
// ASCII, and "=", as "=XX"; lines of at most 76 characters joined by soft breaks "=" CR LF.
// Empty for an empty text or on failure.
[[nodiscard]] Text EncodeQuotedPrintable(TextView text, bool utf8);

}  // namespace qor
