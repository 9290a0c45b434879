#include "codepage/text_files.h"

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"
#include "platform/file_system.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

bool IsUtf16Form(EncodingCode code) { return code >= kEncodingUnicode && code <= kEncodingUtf8; }

// Whether the bytes at i are the four bytes of `unit_pair` at an even offset.
bool HasPairAtEvenOffset(BytesView bytes, BytesView unit_pair) {
  for (std::size_t i = 0; i + unit_pair.size() <= bytes.size(); i += 2) {
    if (bytes.substr(i, unit_pair.size()) == unit_pair) return true;
  }
  return false;
}

// Files read as UTF-8 keep characters outside the BMP: where the bytes are valid, each
// four-byte sequence becomes a surrogate pair. Malformed bytes go through the program's own
// decoder, as every other UTF-8 reading does.
Text Utf8FileToText(BytesView bytes) {
  if (std::optional<Text> text = DecodeWtf8(bytes)) return *std::move(text);
  return Utf8BytesToText(bytes);
}

}  // namespace

EncodingCode DetectEncoding(BytesView bytes) {
  if (bytes.size() < 2) return kEncodingAutomatic;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return kEncodingUtf8;
  if (bytes.substr(0, 2) == "\xFF\xFE") return kEncodingUnicode;
  if (bytes.substr(0, 2) == "\xFE\xFF") return kEncodingUnicodeBe;
  using namespace std::string_view_literals;
  if (HasPairAtEvenOffset(bytes, "\x0D\x00\x0A\x00"sv)) return kEncodingUnicodeNoBom;
  if (HasPairAtEvenOffset(bytes, "\x00\x0D\x00\x0A"sv)) return kEncodingUnicodeBeNoBom;
  return kEncodingAutomatic;
}

bool IsNonAsciiUtf8(BytesView bytes) {
  bool non_ascii = false;
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c;
    const std::size_t length = DecodeUtf8Sequence(bytes, i, c);
    if (length == 0) return false;
    non_ascii = non_ascii || length > 1;
    i += length;
  }
  return non_ascii;
}

EncodingCode SettleEncoding(EncodingCode requested, BytesView bytes) {
  const EncodingCode detected = DetectEncoding(bytes);
  return SettleEncoding(requested, detected,
                        detected == kEncodingAutomatic && IsNonAsciiUtf8(bytes));
}

EncodingCode SettleEncoding(EncodingCode requested, EncodingCode detected, bool non_ascii_utf8) {
  if (detected < kEncodingGbk || detected > kEncodingUtf8NoBom) {
    detected = non_ascii_utf8 ? kEncodingUtf8NoBom : kEncodingGbk;
  }
  switch (requested) {
    case kEncodingGbk:
    case kEncodingEng:
    case kEncodingLatin1:
      return requested;
    case kEncodingUnicode:
    case kEncodingUnicodeBe:
    case kEncodingUtf8:
      return detected == requested ? requested : WithoutMark(requested);
    case kEncodingUnicodeNoBom:
    case kEncodingUnicodeBeNoBom:
    case kEncodingUtf8NoBom:
      return detected == WithMark(requested) ? detected : requested;
    default:
      return detected;
  }
}

std::optional<Text> DecodeTextFile(BytesView bytes, EncodingCode code) {
  std::optional<Text> text;
  switch (code) {
    case kEncodingGbk:
      text = LocaleBytesToText(bytes, kLcidChineseSimplified);
      break;
    case kEncodingEng:
      text = LocaleBytesToText(bytes, kLcidEnglish);
      break;
    case kEncodingLatin1:
      text = BytesToChars(bytes);
      break;
    case kEncodingUnicode:
    case kEncodingUnicodeNoBom:
      text = Utf16LeBytesToText(bytes);
      break;
    case kEncodingUnicodeBe:
    case kEncodingUnicodeBeNoBom:
      text = Utf16LeBytesToText(SwapBytePairs(bytes));
      break;
    case kEncodingUtf8:
    case kEncodingUtf8NoBom:
      text = Utf8FileToText(bytes);
      break;
    default:
      return std::nullopt;
  }
  if (!text) return std::nullopt;
  if (IsUtf16Form(code) && !text->empty()) text->erase(0, 1);
  ZerosToSpaces(*text);
  return text;
}

EncodingCode WritingEncoding(EncodingCode code) {
  return code >= kEncodingGbk && code <= kEncodingUtf8NoBom ? code : kEncodingUnicode;
}

std::optional<Bytes> EncodeTextFile(TextView text, EncodingCode code) {
  code = WritingEncoding(code);
  Text marked;
  if (IsUtf16Form(code)) {
    marked = u"\uFEFF";
    marked += text;
    text = marked;
  }
  switch (code) {
    case kEncodingGbk:
      return TextToLocaleBytes(text, kLcidChineseSimplified);
    case kEncodingEng:
      return TextToLocaleBytes(text, kLcidEnglish);
    case kEncodingLatin1:
      return CharsToBytes(text);
    case kEncodingUnicode:
    case kEncodingUnicodeNoBom:
      return TextToUtf16LeBytes(text);
    case kEncodingUnicodeBe:
    case kEncodingUnicodeBeNoBom:
      return SwapBytePairs(TextToUtf16LeBytes(text));
    default:
      // A surrogate pair is written as one four-byte sequence, so that other programs read
      // the character; a lone surrogate keeps its three-byte form.
      return EncodeWtf8(text);
  }
}

Text EncodingName(EncodingCode code) {
  static constexpr const char16_t* kNames[] = {u"GBK",     u"Eng",        u"Latin-1",
                                               u"Unicode", u"Unicode BE", u"UTF-8"};
  if (code >= kEncodingGbk && code <= kEncodingUtf8) return kNames[code - 1];
  if (code >= kEncodingUnicodeNoBom && code <= kEncodingUtf8NoBom) {
    return Text(kNames[WithMark(code) - 1]) + u" (No BOM)";
  }
  return {};
}

Text AttributeText(std::uint16_t attributes) {
  struct Flag {
    std::uint16_t bit;
    const char16_t* word;
  };
  static constexpr Flag kFlags[] = {{kAttributeReadOnly, u" 只读"},
                                    {kAttributeHidden, u" 隐藏"},
                                    {kAttributeSystem, u" 系统"},
                                    {kAttributeArchive, u" 存档"}};
  Text out;
  for (const Flag& flag : kFlags) {
    if (attributes & flag.bit) out += flag.word;
  }
  return out;
}

}  // namespace qor
