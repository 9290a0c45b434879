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

inline constexpr AcceptedDifference kAcceptedDifferences[] = {
#include "codepage_differences.inc"
};

}  // namespace qor
