#pragma once
// Standard UTF-8 for the program's own input and output (command line, Qt strings, literals):
// surrogate pairs are combined, a lone surrogate travels as its three-byte form so that nothing
// is lost. Not to be confused with Utf8BytesToText, the decoder whose quirks the user sees.

#include <cstddef>
#include <optional>

#include "platform/text.h"

namespace qor {

// Encodes text; a lone surrogate becomes its three-byte form (ED A0 80..ED BF BF).
[[nodiscard]] Bytes EncodeWtf8(TextView text);

// Decodes bytes written by EncodeWtf8 (or any valid UTF-8). Returns nullopt on the first invalid
// sequence and, when error_offset is given, stores the offset of its first byte there.
[[nodiscard]] std::optional<Text> DecodeWtf8(BytesView bytes, std::size_t* error_offset = nullptr);

// The length of the UTF-8 sequence at bytes[i] (a lone surrogate's three-byte form included)
// and its code point; 0 when no valid sequence starts there.
[[nodiscard]] std::size_t DecodeUtf8Sequence(BytesView bytes, std::size_t i, char32_t& c);

// Copies eight bytes at p as units and advances `out` when they are all ASCII; false, with
// nothing written, when one is not. The fast path of the UTF-8 readers.
[[nodiscard]] bool CopyAscii8(const unsigned char* p, char16_t*& out);

// Appends a code point as one unit, or as a surrogate pair above U+FFFF.
void AppendUnits(Text& out, char32_t c);

// For literals and trusted UTF-8: invalid sequences become U+FFFD.
[[nodiscard]] Text Utf8ToText(BytesView bytes);

}  // namespace qor
