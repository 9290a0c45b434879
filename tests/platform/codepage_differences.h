#pragma once
// The differences from Windows' own tables that the code page service accepts, each with its
// count and reason. The conformance test fails on a difference not listed here and on a listed
// one whose count no longer matches.

#include <cstddef>
#include <cstdint>

namespace qor {

enum class Direction { kDecode, kEncode };

enum class DifferenceKind {
  kNotDecoded,      // decoding: Windows has a character, here U+FFFD
  kOtherCharacter,  // decoding: another character
  kNoBestFit,       // encoding: Windows writes a best fit, here "?"
  kControlBestFit,  // encoding: Windows writes a control byte for a character that is none,
                    // here "?"
  kExtraMapping,    // encoding: Windows writes "?", here a character's bytes
  kOtherBytes,      // encoding: both write a character, different bytes
};

struct AcceptedDifference {
  int code_page;
  Direction direction;
  DifferenceKind kind;
  std::uint32_t first;  // code (byte, or lead * 256 + trail) or code point
  std::uint32_t last;
  std::size_t count;
  const char* reason;
};

namespace accepted {

using enum Direction;
using enum DifferenceKind;

// Code page, direction, kind, first and last code (or code point), count, reason. 936, 950,
// 949, 932, 20932, 1361 and 1258 have none.
inline constexpr AcceptedDifference kDifferences[] = {
    // 20949: ICU's EUC-KR.
    {20949, kDecode, kNotDecoded, 0x00C9, 0x00FE, 2,
     "ICU reads C9 and FE as lead bytes of user-defined rows (C9A1 to U+E000); Windows as single "
     "bytes (C9 to U+0000, FE to U+F8EA)"},
    {20949, kEncode, kNoBestFit, 0x00A2, 0xFFDC, 259,
     "ICU makes none of Windows' 258 best fits (U+00C0 to A), and U+F8EA (FE) stays \"?\" with FE "
     "a lead byte"},
    {20949, kEncode, kExtraMapping, 0x02DC, 0x30FB, 6,
     "ICU's fallbacks that Windows lacks (U+2014 to A1A9)"},
    {20949, kEncode, kExtraMapping, 0xE000, 0xE0BB, 188,
     "ICU's user-defined rows C9 and FE, which Windows does not have"},
    {20949, kEncode, kOtherBytes, 0x20A9, 0x20A9, 1,
     "the won sign: ICU writes the full-width one (A3DC), Windows a backslash (5C)"},
    // Single-byte pages: ICU makes few of Windows' best fits (mostly the full-width ASCII
    // forms) and some of its own; Windows writes the OEM glyph characters as control bytes.
    {874, kEncode, kControlBestFit, 0x00A7, 0x266B, 31,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {1252, kEncode, kNoBestFit, 0x0100, 0x30FB, 348,
     "ICU makes 93 of Windows' 441 best fits; the rest give \"?\""},
    {28591, kEncode, kNoBestFit, 0x0100, 0xFF5E, 295,
     "ICU makes none of Windows' 295 best fits; the rest give \"?\""},
    {10000, kEncode, kExtraMapping, 0x00A6, 0x22C5, 44,
     "ICU's Mac fallbacks that Windows lacks (U+00B2 to 2, U+2000-U+200A to a space)"},
    {850, kEncode, kNoBestFit, 0x0100, 0x30FB, 342,
     "ICU makes 93 of Windows' 468 best fits; the rest give \"?\""},
    {850, kEncode, kControlBestFit, 0x2022, 0x266B, 32,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {850, kEncode, kExtraMapping, 0x203E, 0xFFED, 3,
     "ICU's fallbacks that Windows lacks (U+203E to EE, half-width forms U+FFE8, U+FFED)"},
    {850, kEncode, kOtherBytes, 0x0110, 0x0110, 1, "U+0110: ICU writes D1 (Eth), Windows D"},
    {437, kEncode, kNoBestFit, 0x00A6, 0x30FB, 343,
     "ICU makes 94 of Windows' 472 best fits; the rest give \"?\""},
    {437, kEncode, kControlBestFit, 0x00A4, 0x3007, 35,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {437, kEncode, kExtraMapping, 0xFFE8, 0xFFED, 2,
     "ICU's fallbacks that Windows lacks (half-width forms U+FFE8, U+FFED)"},
    {37, kEncode, kNoBestFit, 0x0178, 0x0178, 1,
     "ICU makes 94 of Windows' 95 best fits; the rest give \"?\""},
    {37, kEncode, kExtraMapping, 0x0110, 0x0110, 1,
     "ICU's fallback U+0110 to AC (Eth), which Windows lacks"},
    {500, kEncode, kNoBestFit, 0x0178, 0x0178, 1,
     "ICU makes 94 of Windows' 95 best fits; the rest give \"?\""},
    {500, kEncode, kExtraMapping, 0x0110, 0x0110, 1,
     "ICU's fallback U+0110 to AC (Eth), which Windows lacks"},
    {1250, kEncode, kNoBestFit, 0x00A1, 0x30FC, 342,
     "ICU makes 93 of Windows' 435 best fits; the rest give \"?\""},
    {28592, kEncode, kNoBestFit, 0x00A1, 0x2122, 193,
     "ICU makes 93 of Windows' 287 best fits; the rest give \"?\""},
    {28592, kEncode, kOtherBytes, 0x00D0, 0x00D0, 1,
     "U+00D0: ICU writes D0 (D with stroke), Windows D"},
    {10029, kEncode, kExtraMapping, 0x02BB, 0x223C, 25,
     "ICU's Mac fallbacks that Windows lacks (U+02BB to D4, U+2000-U+200A to a space)"},
    {852, kEncode, kNoBestFit, 0x00A1, 0x30FC, 299,
     "ICU makes 93 of Windows' 429 best fits; the rest give \"?\""},
    {852, kEncode, kControlBestFit, 0x00B6, 0x30FB, 37,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {852, kEncode, kExtraMapping, 0x00D0, 0xFFED, 3,
     "ICU's fallbacks that Windows lacks (U+00D0 to D1, half-width forms U+FFE8, U+FFED)"},
    {1253, kEncode, kNoBestFit, 0x00B4, 0x266B, 272,
     "ICU makes 93 of Windows' 365 best fits; the rest give \"?\""},
    {1253, kEncode, kExtraMapping, 0x03D5, 0x03D5, 1,
     "ICU's fallback U+03D5 to F6, which Windows lacks"},
    {28597, kEncode, kNoBestFit, 0x00A1, 0x2122, 266,
     "ICU makes 95 of Windows' 361 best fits; the rest give \"?\""},
    {28597, kEncode, kExtraMapping, 0x00B4, 0x03D5, 3,
     "ICU's fallbacks that Windows lacks (U+00B4, U+0387, U+03D5)"},
    {10006, kEncode, kExtraMapping, 0x00B4, 0x22C5, 36,
     "ICU's Mac fallbacks that Windows lacks (U+0301 to 8B, U+2000-U+200A to a space)"},
    {737, kEncode, kNoBestFit, 0x037E, 0x037E, 1,
     "ICU makes 93 of Windows' 126 best fits; the rest give \"?\""},
    {737, kEncode, kControlBestFit, 0x00A7, 0x266B, 32,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {737, kEncode, kExtraMapping, 0x03D5, 0xFFED, 3,
     "ICU's fallbacks that Windows lacks (U+03D5 to AD, half-width forms U+FFE8, U+FFED)"},
    {869, kEncode, kNoBestFit, 0x00A4, 0x2122, 229,
     "ICU makes 1 of Windows' 263 best fits; the rest give \"?\""},
    {869, kEncode, kControlBestFit, 0x00B6, 0x266B, 33,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {869, kEncode, kExtraMapping, 0x03D5, 0xFFED, 96,
     "ICU's fallbacks that Windows lacks (U+03D5, full-width ASCII to ASCII)"},
    {1251, kEncode, kNoBestFit, 0x00C0, 0x266B, 290,
     "ICU makes 93 of Windows' 383 best fits; the rest give \"?\""},
    {28595, kEncode, kNoBestFit, 0x00A1, 0x2122, 276,
     "ICU makes 93 of Windows' 369 best fits; the rest give \"?\""},
    {10007, kEncode, kExtraMapping, 0x02BB, 0x223C, 23,
     "ICU's Mac fallbacks that Windows lacks (U+02BB to D4, U+2000-U+200A to a space)"},
    {866, kEncode, kNoBestFit, 0x00A6, 0x2122, 234,
     "ICU makes 93 of Windows' 359 best fits; the rest give \"?\""},
    {866, kEncode, kControlBestFit, 0x00A7, 0x266B, 32,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {866, kEncode, kExtraMapping, 0xFFE8, 0xFFED, 2,
     "ICU's fallbacks that Windows lacks (half-width forms U+FFE8, U+FFED)"},
    {20866, kEncode, kNoBestFit, 0x00A6, 0x2122, 233,
     "ICU makes none of Windows' 265 best fits; the rest give \"?\""},
    {20866, kEncode, kControlBestFit, 0x00A7, 0x266B, 32,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {20866, kEncode, kExtraMapping, 0xFF01, 0xFFED, 95,
     "ICU's fallbacks that Windows lacks (full-width ASCII to ASCII)"},
    {21866, kEncode, kNoBestFit, 0x00A6, 0x2122, 233,
     "ICU makes none of Windows' 265 best fits; the rest give \"?\""},
    {21866, kEncode, kControlBestFit, 0x00A7, 0x266B, 32,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {21866, kEncode, kExtraMapping, 0xFF01, 0xFFED, 95,
     "ICU's fallbacks that Windows lacks (full-width ASCII to ASCII)"},
    {855, kEncode, kNoBestFit, 0x00A9, 0x266B, 253,
     "ICU makes none of Windows' 284 best fits; the rest give \"?\""},
    {855, kEncode, kControlBestFit, 0x00B6, 0x2666, 31,
     "Windows writes a control byte for OEM glyph characters (U+2190 to 1B, U+266A to 0D); here "
     "\"?\": no best fit writes a control byte"},
    {855, kEncode, kExtraMapping, 0xFF01, 0xFFED, 95,
     "ICU's fallbacks that Windows lacks (full-width ASCII to ASCII)"},
    {1254, kEncode, kNoBestFit, 0x00DD, 0x30FC, 344,
     "ICU makes 93 of Windows' 437 best fits; the rest give \"?\""},
    {1255, kEncode, kNoBestFit, 0x00A4, 0x0191, 2,
     "ICU makes 93 of Windows' 95 best fits; the rest give \"?\""},
    {1255, kEncode, kExtraMapping, 0x203E, 0x203E, 1,
     "ICU's fallback U+203E to AF (macron), which Windows lacks"},
    {1256, kEncode, kNoBestFit, 0x00C0, 0x00DC, 13,
     "ICU makes 274 of Windows' 287 best fits; the rest give \"?\""},
    {1256, kEncode, kExtraMapping, 0x02CB, 0xFE73, 15,
     "ICU's fallbacks that Windows lacks (Arabic-Indic digits to ASCII digits)"},
    {1257, kEncode, kExtraMapping, 0x203E, 0x203E, 1,
     "ICU's fallback U+203E to 9D (macron), which Windows lacks"},
};

}  // namespace accepted

using accepted::kDifferences;

}  // namespace qor
