#include "codepage/conversions.h"

#include "codepage/byte_strings.h"
#include "platform/lcid.h"

namespace qor {

std::optional<int> CodePageOfLcidSelector(std::int32_t lcid) {
  switch (lcid) {
    case kLcidLatin1:
      return 28591;
    case kLcidUtf16Le:
      return 1200;
    case kLcidUtf16Be:
      return 1201;
    case kLcidUtf8:
      return 65001;
    default:
      return AnsiCodePageOfLcid(lcid);
  }
}

std::optional<int> CodePageOfSelector(std::int32_t selector) {
  if (selector == kCodePageOwnUtf16) return 1200;
  if (selector < 0) return std::nullopt;
  return selector;
}

std::optional<Bytes> TextToLocaleBytes(TextView text, std::int32_t lcid, ConversionCounts* counts) {
  const std::optional<int> code_page = AnsiCodePageOfLcid(lcid);
  if (!code_page) return std::nullopt;
  return EncodeCodePage(text, *code_page, counts);
}

std::optional<Text> LocaleBytesToText(BytesView bytes, std::int32_t lcid,
                                      ConversionCounts* counts) {
  const std::optional<int> code_page = AnsiCodePageOfLcid(lcid);
  if (!code_page) return std::nullopt;
  return DecodeCodePage(bytes, *code_page, counts);
}

Bytes TextToCodePage(TextView text, std::int32_t code_page, ConversionCounts* counts) {
  if (code_page < 0) return {};
  return EncodeCodePage(text, code_page, counts).value_or(Bytes());
}

Text CodePageToText(BytesView bytes, std::int32_t code_page, ConversionCounts* counts) {
  if (code_page < 0) return {};
  return DecodeCodePage(bytes, code_page, counts).value_or(Text());
}

Text ConvertCodePage(TextView text, std::int32_t a, std::int32_t b, ConversionCounts* counts) {
  if (text.empty()) return Text(text);
  Bytes bytes;
  if (a >= 0) {
    bytes = TextToCodePage(text, a, counts);
  } else if (a == kCodePageOwnUtf16) {
    bytes = TextToUtf16LeBytes(text);
  } else {
    return {};
  }
  Text out;
  if (b >= 0) {
    out = CodePageToText(bytes, b, counts);
  } else if (b == kCodePageOwnUtf16) {
    if (counts) counts->invalid += bytes.size() % 2;  // the odd final byte has no unit
    out = Utf16LeBytesToText(bytes);
  } else {
    return {};
  }
  DropByteOrderMark(out);
  ZerosToSpaces(out);
  return out;
}

}  // namespace qor
