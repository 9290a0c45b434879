#pragma once
// The program's own conversions between text and bytes: Latin-1, UTF-16 byte order and UTF-8.
// Their treatment of malformed input is what the user sees, so they are not library calls.

#include "platform/text.h"

namespace qor {

// The low byte of each unit (U+4E2D gives 0x2D).
[[nodiscard]] Bytes CharsToBytes(TextView text);
// Each byte as the unit of the same value (U+0000..U+00FF).
[[nodiscard]] Text BytesToChars(BytesView bytes);
// Exchanges bytes 2k and 2k+1; an odd last byte stays. Its own inverse.
[[nodiscard]] Bytes SwapBytePairs(BytesView bytes);

// The text's UTF-16LE bytes, low byte first.
[[nodiscard]] Bytes TextToUtf16LeBytes(TextView text);
// Bytes read as UTF-16LE units; an odd final byte is dropped.
[[nodiscard]] Text Utf16LeBytesToText(BytesView bytes);

// Each unit on its own, at most three bytes; surrogates are encoded one by one.
[[nodiscard]] Bytes TextToUtf8Bytes(TextView text);
// Never fails: unfinished sequences are flushed as what they gathered, values below 32 that were
// built from sequences become spaces, and a pending value at the end is dropped.
[[nodiscard]] Text Utf8BytesToText(BytesView bytes);

// Whether a byte can lead a double-byte character of the Chinese and Korean code pages.
[[nodiscard]] constexpr bool IsLeadByte(unsigned b) { return b >= 0x81 && b <= 0xFE; }

// Replaces every U+0000 by a space, as every decoding that ends in text does.
void ZerosToSpaces(Text& text);
// Removes a leading U+FEFF.
void DropByteOrderMark(Text& text);

}  // namespace qor
