#include "codepage/reinterpret.h"

#include <algorithm>

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"

namespace qor {
namespace {

// Units Latin1 cannot hold: CharsToBytes keeps only their low byte.
std::size_t CountWideUnits(TextView text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; }));
}

// Sequences that Utf8BytesToText cannot give back as written: stray or missing continuation
// bytes, leads F0..FF, values that a shorter form holds, and an unfinished sequence at the end.
std::size_t CountMalformedUtf8(BytesView bytes) {
  std::size_t malformed = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const unsigned b = static_cast<unsigned char>(bytes[i]);
    const std::size_t trail = b >= 0xC0 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : 0;
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t have = 0;
    unsigned value = b & (trail == 1 ? 0x1F : 0x0F);
    while (have < trail && i + 1 + have < bytes.size() &&
           (static_cast<unsigned char>(bytes[i + 1 + have]) & 0xC0) == 0x80) {
      value = value * 64 + (static_cast<unsigned char>(bytes[i + 1 + have]) & 0x3F);
      ++have;
    }
    const unsigned least = trail == 1 ? 0x80 : 0x800;
    if (trail == 0 || have < trail || value < least) ++malformed;
    i += 1 + have;
  }
  return malformed;
}

}  // namespace

std::optional<Bytes> EncodeBySelector(TextView text, LcidSelector selector,
                                      ConversionCounts* counts) {
  if (selector.value >= 0) return TextToLocaleBytes(text, selector, counts);
  switch (selector.value) {
    case kLcidLatin1.value:
      if (counts) counts->substituted += CountWideUnits(text);
      return CharsToBytes(text);
    case kLcidUtf16Le.value:
      return TextToUtf16LeBytes(text);
    case kLcidUtf16Be.value:
      return SwapBytePairs(TextToUtf16LeBytes(text));
    case kLcidUtf8.value:
      return TextToUtf8Bytes(text);
    default:
      return std::nullopt;
  }
}

std::optional<Text> DecodeBySelector(BytesView bytes, LcidSelector selector,
                                     ConversionCounts* counts) {
  if (selector.value >= 0) return LocaleBytesToText(bytes, selector, counts);
  switch (selector.value) {
    case kLcidLatin1.value:
      return BytesToChars(bytes);
    case kLcidUtf16Le.value:
    case kLcidUtf16Be.value:
      if (counts) counts->invalid += bytes.size() % 2;  // the odd final byte has no unit
      return Utf16LeBytesToText(selector == kLcidUtf16Le ? Bytes(bytes) : SwapBytePairs(bytes));
    case kLcidUtf8.value:
      if (counts) counts->invalid += CountMalformedUtf8(bytes);
      return Utf8BytesToText(bytes);
    default:
      return std::nullopt;
  }
}

Text Reinterpret(TextView text, LcidSelector a, LcidSelector b, ConversionCounts* counts) {
  if (text.empty()) return {};
  const std::optional<Bytes> bytes = EncodeBySelector(text, a, counts);
  if (!bytes) return {};
  std::optional<Text> out = DecodeBySelector(*bytes, b, counts);
  if (!out) return {};
  DropByteOrderMark(*out);
  ZerosToSpaces(*out);
  return std::move(*out);
}

}  // namespace qor
