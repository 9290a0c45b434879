#pragma once
// The conversions behind the code page service, one per kind of code page. Each adds what it
// replaced to counts (when given); nullopt when the converter cannot be opened or fails.

#include <cstddef>
#include <optional>

#include "platform/codepage_profile.h"
#include "platform/codepage_service.h"
#include "platform/text.h"

namespace qor {

// Single-byte pages: through the profile's byte table.
[[nodiscard]] std::optional<Text> DecodeSingleByte(const CodePageProfile& profile, BytesView bytes,
                                                   ConversionCounts* counts);
// Multi-byte pages through ICU, with the invalid-sequence rule; stateful pages through ICU.
[[nodiscard]] std::optional<Text> DecodeWithIcu(const CodePageProfile& profile, BytesView bytes,
                                                ConversionCounts* counts);
[[nodiscard]] std::optional<Bytes> EncodeWithIcu(const CodePageProfile& profile, TextView text,
                                                 ConversionCounts* counts);
// Johab through glibc iconv.
[[nodiscard]] std::optional<Text> DecodeJohab(const CodePageProfile& profile, BytesView bytes,
                                              ConversionCounts* counts);
[[nodiscard]] std::optional<Bytes> EncodeJohab(const CodePageProfile& profile, TextView text,
                                               ConversionCounts* counts);

// An invalid sequence of a multi-byte page, resolved: what it decodes to and how many bytes it
// takes. `rejected` is how many bytes the converter rejected at `start`.
struct ResolvedSequence {
  char16_t character = u'\uFFFD';
  std::size_t length = 1;
  bool invalid = true;  // U+FFFD for an invalid sequence (false: a code decoded by patch)
};
[[nodiscard]] ResolvedSequence ResolveInvalidSequence(const CodePageProfile& profile,
                                                      BytesView rest, std::size_t rejected);

// 20932: ICU's EUC-JP puts IBM's extensions into JIS X 0212 rows 0x73 and 0x74, which Windows'
// table does not have; given the lead byte (0x80 set).
[[nodiscard]] constexpr bool IsIbmJisX0212Row(unsigned char lead) {
  return lead == 0xF3 || lead == 0xF4;
}

// Encodes a text run by run: the profile's special characters are written from the profile,
// everything between them by encode_run, which appends a run's bytes to out.
template <typename EncodeRun>
bool EncodeAroundSpecials(const CodePageProfile& profile, TextView text, Bytes& out,
                          ConversionCounts* counts, EncodeRun encode_run) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !profile.special.test(text[i])) continue;
    if (i > start && !encode_run(text.substr(start, i - start), out)) return false;
    if (i < text.size()) {
      const Bytes& bytes = profile.SpecialBytes(text[i]);
      if (bytes.empty()) {
        out += profile.question;
        if (counts) ++counts->substituted;
      } else {
        out += bytes;
      }
    }
    start = i + 1;
  }
  return true;
}

}  // namespace qor
