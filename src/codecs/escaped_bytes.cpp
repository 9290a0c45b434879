#include "codecs/escaped_bytes.h"

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"
#include "codepage/reinterpret.h"

namespace qor {

bool IsEscapedBytesSelector(LcidSelector selector) {
  if (selector == kLcidLatin1 || selector == kLcidUtf8) return true;
  return selector.value >= 1 && LocaleBytesToText({}, selector).has_value();
}

std::optional<Text> EscapedBytesToText(BytesView bytes, LcidSelector selector) {
  if (selector.value < 1 && selector != kLcidLatin1 && selector != kLcidUtf8) return std::nullopt;
  std::optional<Text> text = DecodeBySelector(bytes, selector);
  if (text) ZerosToSpaces(*text);
  return text;
}

std::optional<Bytes> GbkOrUtf8Bytes(TextView text, bool utf8) {
  if (utf8) return TextToUtf8Bytes(text);
  return TextToLocaleBytes(text, kLcidChineseSimplified);
}

}  // namespace qor
