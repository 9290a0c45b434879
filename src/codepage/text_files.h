#pragma once
// The byte side of text files: the encoding codes, their detection from a file's first bytes,
// decoding and encoding by code, and the names the file commands show.

#include <cstdint>
#include <optional>

#include "platform/text.h"

namespace qor {

// Encoding codes of text files; code k + 3 is code k (4, 5 or 6) without a byte-order mark.
inline constexpr std::int16_t kEncodingAutomatic = 0;
inline constexpr std::int16_t kEncodingGbk = 1;
inline constexpr std::int16_t kEncodingEng = 2;
inline constexpr std::int16_t kEncodingLatin1 = 3;
inline constexpr std::int16_t kEncodingUnicode = 4;
inline constexpr std::int16_t kEncodingUnicodeBe = 5;
inline constexpr std::int16_t kEncodingUtf8 = 6;
inline constexpr std::int16_t kEncodingUnicodeNoBom = 7;
inline constexpr std::int16_t kEncodingUnicodeBeNoBom = 8;
inline constexpr std::int16_t kEncodingUtf8NoBom = 9;
inline constexpr std::int16_t kNoBomOffset = 3;

// What a file's first bytes or its UTF-16 line breaks show: 6, 4 or 5 for a UTF-8, UTF-16LE or
// UTF-16BE byte-order mark, 7 or 8 for a UTF-16LE or UTF-16BE CR LF at an even offset, else 0.
[[nodiscard]] std::int16_t DetectEncoding(BytesView bytes);

// Whether the bytes are UTF-8 (lone surrogates in their three-byte form allowed) and hold at
// least one byte of 0x80 or more.
[[nodiscard]] bool IsNonAsciiUtf8(BytesView bytes);

// The code a file is read with: the requested code settled against what the bytes show. An
// unmarked file is GBK, or UTF-8 (9) when its bytes are non-ASCII UTF-8. Never 0.
[[nodiscard]] std::int16_t SettleEncoding(std::int16_t requested, BytesView bytes);
// The same from what the bytes show: DetectEncoding's code and IsNonAsciiUtf8, for a file read
// in parts.
[[nodiscard]] std::int16_t SettleEncoding(std::int16_t requested, std::int16_t detected,
                                          bool non_ascii_utf8);

// A file's text under a settled code 1..9: the mark removed for 4..6, U+0000 as spaces.
// nullopt for another code or a code page the platform lacks.
[[nodiscard]] std::optional<Text> DecodeTextFile(BytesView bytes, std::int16_t code);

// The code a file is written with: 1..9 as given, anything else 4.
[[nodiscard]] std::int16_t WritingEncoding(std::int16_t code);

// A text file's bytes under WritingEncoding(code), with the mark for 4..6. nullopt when the
// platform lacks the code page.
[[nodiscard]] std::optional<Bytes> EncodeTextFile(TextView text, std::int16_t code);

// "GBK", "Eng", "Latin-1", "Unicode", "Unicode BE", "UTF-8", with " (No BOM)" for 7..9; empty
// for any other code.
[[nodiscard]] Text EncodingName(std::int16_t code);

// " 只读", " 隐藏", " 系统", " 存档" for the flags 0x01, 0x02, 0x04, 0x20 that are set, in this
// order.
[[nodiscard]] Text AttributeText(std::uint16_t attributes);

}  // namespace qor
