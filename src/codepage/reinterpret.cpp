#include "codepage/reinterpret.h"

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"

namespace qor {

std::optional<Bytes> EncodeBySelector(TextView text, std::int32_t selector,
                                      ConversionCounts* counts) {
  if (selector >= 0) return TextToLocaleBytes(text, selector, counts);
  switch (selector) {
    case kLcidLatin1:
      return CharsToBytes(text);
    case kLcidUtf16Le:
      return TextToUtf16LeBytes(text);
    case kLcidUtf16Be:
      return SwapBytePairs(TextToUtf16LeBytes(text));
    case kLcidUtf8:
      return TextToUtf8Bytes(text);
    default:
      return std::nullopt;
  }
}

std::optional<Text> DecodeBySelector(BytesView bytes, std::int32_t selector,
                                     ConversionCounts* counts) {
  if (selector >= 0) return LocaleBytesToText(bytes, selector, counts);
  switch (selector) {
    case kLcidLatin1:
      return BytesToChars(bytes);
    case kLcidUtf16Le:
      return Utf16LeBytesToText(bytes);
    case kLcidUtf16Be:
      return Utf16LeBytesToText(SwapBytePairs(bytes));
    case kLcidUtf8:
      return Utf8BytesToText(bytes);
    default:
      return std::nullopt;
  }
}

Text Reinterpret(TextView text, std::int32_t a, std::int32_t b, ConversionCounts* counts) {
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
