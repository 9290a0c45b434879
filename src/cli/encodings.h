#pragma once
// Encodings on the command line: the window's codes 0..9 and their names, and the usual charset
// labels (utf-8, gbk, big5, shift_jis, windows-1252…) for the code pages this program converts.

#include <cstdint>
#include <optional>
#include <string>

#include "codepage/text_files.h"
#include "platform/text.h"

namespace qor {

// One of the window's codes, or a code page of its own (read and written without a mark).
struct Encoding {
  EncodingCode code = kEncodingAutomatic;  // 0 for a code page
  int code_page = 0;                       // not 0 for a code page

  friend bool operator==(const Encoding&, const Encoding&) = default;
};

inline constexpr Encoding kAutomatic{};
inline constexpr Encoding kUtf8WithoutMark{kEncodingUtf8NoBom};

// An encoding from a number 0..9, one of the window's names, "utf-8-bom", or a charset label
// (letter case does not matter). "utf-8" is UTF-8 without a mark, "utf-16le" and "utf-16be"
// UTF-16 without one, as in other tools; the labels of GBK, Windows-1252 and ISO-8859-1 give
// the window's codes 1, 2 and 3.
[[nodiscard]] std::optional<Encoding> ParseEncoding(const std::string& arg);

// The code page a charset label names for a code page pair: -2 for UTF-16LE (the text's own);
// nullopt for an unknown label or one without a code page here (UTF-16BE).
[[nodiscard]] std::optional<int> PairCodePage(const std::string& label);

// The encoding for the parts of a text after the first: the byte-order mark only comes first.
[[nodiscard]] constexpr Encoding WithoutMark(Encoding encoding) {
  return {WithoutMark(encoding.code), encoding.code_page};
}

// Whether a text in the encoding is always whole: a Unicode form.
[[nodiscard]] bool HoldsAnyText(Encoding encoding);

// Whether bytes in a code page may be cut after a line feed byte, each part decoding on its own
// as within the whole and ending in a line feed: stateless and ASCII-compatible there.
[[nodiscard]] bool CutsAfterLineFeeds(int code_page);

// Bytes of a code page to text as a file is read (U+0000 as spaces); nullopt when the platform
// lacks it.
[[nodiscard]] std::optional<Text> DecodeCodePageFile(BytesView bytes, int code_page);

// Text to the bytes of an encoding (a byte-order mark for 4..6); nullopt when the platform lacks
// its code page.
[[nodiscard]] std::optional<Bytes> EncodeIn(TextView text, Encoding encoding);
// Bytes of an encoding settled for reading (not 0) to text; nullopt as EncodeIn.
[[nodiscard]] std::optional<Text> DecodeIn(BytesView bytes, Encoding encoding);

// "GBK", "UTF-8 (No BOM)", "code page 20932".
[[nodiscard]] Text EncodingLabel(Encoding encoding);

}  // namespace qor
