#pragma once
// What the conversions of one code page need besides its converter, computed once per code page
// on first use and never changed afterwards (so it is safe to share between threads).

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/codepage_catalog.h"
#include "platform/text.h"

namespace qor {

inline constexpr char32_t kNoCharacter = 0xFFFFFFFF;

struct CodePageProfile {
  const CodePageConversion* conversion = nullptr;
  // Single-byte pages: the character of each byte, kNoCharacter where the byte is invalid.
  std::array<char32_t, 256> bytes{};
  // Multi-byte pages: codes (a byte, or lead * 256 + trail) that Windows decodes otherwise than
  // the converter, sorted by code. `converter_char` is the converter's character for the code
  // alone, or kNoCharacter when it rejects it.
  struct DecodePatch {
    std::uint16_t code;
    char16_t character;
    char32_t converter_char;
  };
  std::vector<DecodePatch> decode_patches;
  // Some patched code is a character for the converter, so its output must be checked.
  bool patches_converter_characters = false;
  // Encoding: the characters not left to the converter, and their bytes (empty for "?").
  std::bitset<65536> special;
  std::vector<std::pair<char16_t, Bytes>> special_bytes;  // sorted by character
  // The bytes of "?" (6F in EBCDIC).
  Bytes question = "?";

  [[nodiscard]] const DecodePatch* FindDecodePatch(std::uint16_t code) const;
  // The bytes of a special character; empty means "?".
  [[nodiscard]] const Bytes& SpecialBytes(char16_t c) const;
};

// The profile of a code page; nullptr when the code page is not supported here (or its
// converter is missing from this system).
[[nodiscard]] const CodePageProfile* FindProfile(int code_page);

// Whether a character is a C0 or C1 control or DEL.
[[nodiscard]] constexpr bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace qor
