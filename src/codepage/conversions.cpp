#include "codepage/conversions.h"

#include "codepage/byte_strings.h"
#include "platform/lcid.h"

namespace qor {

std::optional<int> CodePageOfLcidSelector(LcidSelector lcid) {
  switch (lcid.value) {
    case kLcidLatin1.value:
      return 28591;
    case kLcidUtf16Le.value:
      return 1200;
    case kLcidUtf16Be.value:
      return 1201;
    case kLcidUtf8.value:
      return 65001;
    default:
      return AnsiCodePageOfLcid(lcid.value);
  }
}

std::optional<int> CodePageOfSelector(CodePageSelector selector) {
  if (selector == kCodePageOwnUtf16) return 1200;
  if (selector.value < 0) return std::nullopt;
  return selector.value;
}

std::optional<Bytes> TextToLocaleBytes(TextView text, LcidSelector lcid, ConversionCounts* counts) {
  const std::optional<int> code_page = AnsiCodePageOfLcid(lcid.value);
  if (!code_page) return std::nullopt;
  return EncodeCodePage(text, *code_page, counts);
}

std::optional<Text> LocaleBytesToText(BytesView bytes, LcidSelector lcid,
                                      ConversionCounts* counts) {
  const std::optional<int> code_page = AnsiCodePageOfLcid(lcid.value);
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

Text ConvertCodePage(TextView text, CodePageSelector a, CodePageSelector b,
                     ConversionCounts* counts) {
  if (text.empty()) return Text(text);
  Bytes bytes;
  if (a.value >= 0) {
    bytes = TextToCodePage(text, a.value, counts);
  } else if (a == kCodePageOwnUtf16) {
    bytes = TextToUtf16LeBytes(text);
  } else {
    return {};
  }
  Text out;
  if (b.value >= 0) {
    out = CodePageToText(bytes, b.value, counts);
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
