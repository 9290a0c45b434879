#pragma once
// Conversion between text and the bytes of a Windows code page, as Windows' own tables do it
// (see the conformance test for the measured differences). Thread-safe: no shared state.

#include <cstddef>
#include <optional>

#include "platform/text.h"

namespace qor {

// What a conversion had to give up; diagnosis ranks lossy results by these.
struct ConversionCounts {
  std::size_t substituted = 0;  // characters written as "?" because the code page lacks them
  std::size_t invalid = 0;      // invalid byte sequences decoded as U+FFFD
};

// Whether the code page number converts here.
[[nodiscard]] bool IsCodePageSupported(int code_page);

// Decodes bytes; each invalid sequence becomes one U+FFFD, and no byte that can start a
// character is swallowed by it. nullopt when the code page is not supported.
[[nodiscard]] std::optional<Text> DecodeCodePage(BytesView bytes, int code_page,
                                                 ConversionCounts* counts = nullptr);

// Encodes text with best fit; what the code page cannot hold becomes "?". Surrogate pairs are
// paired. nullopt when the code page is not supported.
[[nodiscard]] std::optional<Bytes> EncodeCodePage(TextView text, int code_page,
                                                  ConversionCounts* counts = nullptr);

}  // namespace qor
