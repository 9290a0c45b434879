#pragma once
// Conversion between text and the bytes of a Windows code page, as Windows' own tables do it
// (the conformance test lists where it differs). Reentrant: no shared mutable state.

#include <cstddef>
#include <optional>

#include "platform/text.h"

namespace qor {

// What a conversion had to give up; diagnosis ranks lossy results by these. Conversions add to
// them, so one object can follow several steps.
struct ConversionCounts {
  std::size_t substituted = 0;  // "?" (UTF-8: U+FFFD) for characters the page lacks, per unit
  std::size_t invalid = 0;      // U+FFFD written for invalid byte sequences
};

// Whether the code page number converts here.
[[nodiscard]] bool IsCodePageSupported(int code_page);

// Decodes bytes; each invalid sequence becomes one U+FFFD, and no byte that can start a
// character is swallowed by it. nullopt when the code page is not supported.
[[nodiscard]] std::optional<Text> DecodeCodePage(BytesView bytes, int code_page,
                                                 ConversionCounts* counts = nullptr);

// Encodes text with Windows' best fits; what the code page cannot hold becomes "?", one for
// each UTF-16 unit (an unmappable surrogate pair gives two, as Windows writes). Surrogate pairs
// are paired; UTF-8 writes a lone surrogate as U+FFFD, UTF-7 carries it. nullopt when the code
// page is not supported.
[[nodiscard]] std::optional<Bytes> EncodeCodePage(TextView text, int code_page,
                                                  ConversionCounts* counts = nullptr);

}  // namespace qor
