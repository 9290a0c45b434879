#pragma once
// Where a converter's table and Windows' table disagree, Windows' mappings as data: codes the
// converter does not decode as Windows does, and characters it does not encode as Windows does.
// The conformance test lists what remains.

#include <cstdint>
#include <span>

namespace qor {

enum class PatchWay : std::uint8_t {
  kBoth,       // the code decodes to the character and the character encodes to the code
  kDecode,     // only decoding (Windows writes the character otherwise)
  kEncode,     // only encoding: one of Windows' best fits
  kNoBestFit,  // the character encodes to "?": the converter's mapping is not Windows'
};

// `count` consecutive codes and as many consecutive characters, from `code` and `character`.
struct CodePagePatch {
  std::uint16_t code;  // a byte, or lead * 256 + trail; unused for kNoBestFit
  char16_t character;
  PatchWay way;
  std::uint8_t count = 1;
};

// The patches of a code page (none for most).
[[nodiscard]] std::span<const CodePagePatch> PatchesOf(int code_page);

}  // namespace qor
