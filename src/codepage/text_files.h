#pragma once
// The byte side of text files: the encoding codes, their detection from a file's first bytes,
// decoding and encoding by code, and the names the file commands show.

#include <cstdint>
#include <optional>

#include "platform/text.h"

namespace qor {

// Encoding codes of text files, as the file chooser lists them and the file commands keep
// them; code k + 3 is code k (4, 5 or 6) without a byte-order mark. A number is never taken for
// a code unawares: it converts only by an explicit cast.
enum EncodingCode : std::int16_t {
  kEncodingAutomatic = 0,
  kEncodingGbk = 1,
  kEncodingEng = 2,
  kEncodingLatin1 = 3,
  kEncodingUnicode = 4,
  kEncodingUnicodeBe = 5,
  kEncodingUtf8 = 6,
  kEncodingUnicodeNoBom = 7,
  kEncodingUnicodeBeNoBom = 8,
  kEncodingUtf8NoBom = 9,
};
inline constexpr int kNoBomOffset = 3;
// The codes a file is read or written with: all but automatic.
inline constexpr EncodingCode kFileEncodings[] = {
    kEncodingGbk,       kEncodingEng,  kEncodingLatin1,       kEncodingUnicode,
    kEncodingUnicodeBe, kEncodingUtf8, kEncodingUnicodeNoBom, kEncodingUnicodeBeNoBom,
    kEncodingUtf8NoBom};

// The code without its byte-order mark: 7, 8 or 9 for 4, 5 or 6; any other code as it is.
[[nodiscard]] constexpr EncodingCode WithoutMark(EncodingCode code) {
  const bool marked = code >= kEncodingUnicode && code <= kEncodingUtf8;
  return marked ? static_cast<EncodingCode>(code + kNoBomOffset) : code;
}
// The code with its mark: 4, 5 or 6 for 7, 8 or 9; any other code as it is.
[[nodiscard]] constexpr EncodingCode WithMark(EncodingCode code) {
  const bool unmarked = code >= kEncodingUnicodeNoBom && code <= kEncodingUtf8NoBom;
  return unmarked ? static_cast<EncodingCode>(code - kNoBomOffset) : code;
}

// What a file's first bytes or its UTF-16 line breaks show: 6, 4 or 5 for a UTF-8, UTF-16LE or
// UTF-16BE byte-order mark, 7 or 8 for a UTF-16LE or UTF-16BE CR LF at an even offset, else 0.
[[nodiscard]] EncodingCode DetectEncoding(BytesView bytes);

// Whether the bytes are UTF-8 (lone surrogates in their three-byte form allowed) and hold at
// least one byte of 0x80 or more.
[[nodiscard]] bool IsNonAsciiUtf8(BytesView bytes);

// The code a file is read with: the requested code settled against what the bytes show. An
// unmarked file is GBK, or UTF-8 (9) when its bytes are non-ASCII UTF-8. Never 0.
[[nodiscard]] EncodingCode SettleEncoding(EncodingCode requested, BytesView bytes);
// The same from what the bytes show: DetectEncoding's code and IsNonAsciiUtf8, for a file read
// in parts.
[[nodiscard]] EncodingCode SettleEncoding(EncodingCode requested, EncodingCode detected,
                                          bool non_ascii_utf8);

// A file's text under a settled code 1..9: the mark removed for 4..6, U+0000 as spaces.
// nullopt for another code or a code page the platform lacks.
[[nodiscard]] std::optional<Text> DecodeTextFile(BytesView bytes, EncodingCode code);

// The code a file is written with: 1..9 as given, anything else 4.
[[nodiscard]] EncodingCode WritingEncoding(EncodingCode code);

// A text file's bytes under WritingEncoding(code), with the mark for 4..6. nullopt when the
// platform lacks the code page.
[[nodiscard]] std::optional<Bytes> EncodeTextFile(TextView text, EncodingCode code);

// "GBK", "Eng", "Latin-1", "Unicode", "Unicode BE", "UTF-8", with " (No BOM)" for 7..9; empty
// for any other code.
[[nodiscard]] Text EncodingName(EncodingCode code);

// " 只读", " 隐藏", " 系统", " 存档" for the flags 0x01, 0x02, 0x04, 0x20 that are set, in this
// order.
[[nodiscard]] Text AttributeText(std::uint16_t attributes);

}  // namespace qor
