#include "cli/encodings.h"

#include <algorithm>
#include <cctype>

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"
#include "platform/charset_names.h"
#include "platform/codepage_catalog.h"
#include "platform/codepage_service.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

constexpr int kUtf16Le = 1200;
constexpr int kUtf16Be = 1201;

// The window's codes for the code pages they stand for.
Encoding FromCodePage(int code_page) {
  switch (code_page) {
    case 65001:
      return {kEncodingUtf8NoBom};
    case kUtf16Le:
      return {kEncodingUnicodeNoBom};
    case kUtf16Be:
      return {kEncodingUnicodeBeNoBom};
    case 936:
      return {kEncodingGbk};
    case 1252:
      return {kEncodingEng};
    case 28591:
      return {kEncodingLatin1};
    default:
      return {kEncodingAutomatic, code_page};
  }
}

}  // namespace

std::optional<Encoding> ParseEncoding(const std::string& arg) {
  if (arg.size() == 1 && arg[0] >= '0' && arg[0] <= '9') {
    return Encoding{static_cast<EncodingCode>(arg[0] - '0')};
  }
  const std::string lower = Lower(arg);
  if (lower == "utf-8-bom") return Encoding{kEncodingUtf8};
  // The window's names, but "UTF-8", which means no mark as everywhere else.
  for (const EncodingCode code : kFileEncodings) {
    if (code != kEncodingUtf8 && Lower(EncodeWtf8(EncodingName(code))) == lower) {
      return Encoding{code};
    }
  }
  const std::optional<int> code_page = CodePageOfCharsetName(arg);
  if (!code_page) return std::nullopt;
  return FromCodePage(*code_page);
}

std::optional<int> PairCodePage(const std::string& label) {
  const std::optional<int> code_page = CodePageOfCharsetName(label);
  if (!code_page || *code_page == kUtf16Be) return std::nullopt;
  return *code_page == kUtf16Le ? kCodePageOwnUtf16.value : *code_page;
}

bool HoldsAnyText(Encoding encoding) {
  if (encoding.code_page) return encoding.code_page == 65001 || encoding.code_page == 65000;
  return WithoutMark(encoding.code) >= kEncodingUnicodeNoBom;
}

bool CutsAfterLineFeeds(int code_page) {
  const CodePageConversion* conversion = FindCodePage(code_page);
  return conversion && conversion->engine != CodePageEngine::kStateful &&
         DecodeCodePage("\n", code_page) == Text(u"\n") &&
         EncodeCodePage(u"\n", code_page) == Bytes("\n");
}

std::optional<Text> DecodeCodePageFile(BytesView bytes, int code_page) {
  std::optional<Text> text = DecodeCodePage(bytes, code_page);
  if (text) ZerosToSpaces(*text);
  return text;
}

std::optional<Bytes> EncodeIn(TextView text, Encoding encoding) {
  if (encoding.code_page) return EncodeCodePage(text, encoding.code_page);
  return EncodeTextFile(text, encoding.code);
}

std::optional<Text> DecodeIn(BytesView bytes, Encoding encoding) {
  if (encoding.code_page) return DecodeCodePageFile(bytes, encoding.code_page);
  return DecodeTextFile(bytes, encoding.code);
}

Text EncodingLabel(Encoding encoding) {
  if (!encoding.code_page) return EncodingName(encoding.code);
  return Concat(u"code page ", IntegerText(encoding.code_page));
}

}  // namespace qor
