#include "codecs/ansi_codes.h"

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"

namespace qor {
namespace {

constexpr char16_t kQuestionMark = u'?';
constexpr char16_t kReplacement = u'\uFFFD';

bool IsTrailByte(unsigned b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// The code of one unit's bytes: one byte, or a lead byte and its trail.
std::uint16_t CodeOfBytes(BytesView bytes) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  if (bytes.size() == 1) return byte(0);
  if (bytes.size() == 2 && IsLeadByte(byte(0))) {
    return static_cast<std::uint16_t>(byte(0) << 8 | byte(1));
  }
  return kQuestionMark;
}

}  // namespace

std::vector<std::uint16_t> AnsiCodes(TextView text) {
  std::vector<std::uint16_t> codes(text.size(), 0);
  // The units that need the code page, in order: the code page is stateless, so their joined
  // bytes are each unit's bytes one after the other.
  Text wide;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char16_t c = text[k];
    if (c < 0x80) {
      codes[k] = c;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      codes[k] = kQuestionMark;  // never paired here: each unit is coded alone
    } else {
      wide += c;
    }
  }
  if (wide.empty()) return codes;
  const Bytes bytes = TextToCodePage(wide, kAnsiCodePage);
  std::vector<std::uint16_t> wide_codes;
  wide_codes.reserve(wide.size());
  for (std::size_t k = 0; k < bytes.size();) {
    const std::size_t length = IsLeadByte(static_cast<unsigned char>(bytes[k])) ? 2 : 1;
    wide_codes.push_back(CodeOfBytes(BytesView(bytes).substr(k, length)));
    k += length;
  }
  if (wide_codes.size() != wide.size()) {
    // Not one code per unit after all: convert them one by one.
    wide_codes.clear();
    for (const char16_t c : wide)
      wide_codes.push_back(CodeOfBytes(TextToCodePage(TextView(&c, 1), kAnsiCodePage)));
  }
  std::size_t next = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char16_t c = text[k];
    if (c >= 0x80 && (c < 0xD800 || c > 0xDFFF)) codes[k] = wide_codes[next++];
  }
  return codes;
}

Text DoubleByteChars(std::span<const std::uint16_t> codes) {
  Text out(codes.size(), kReplacement);
  Bytes bytes;
  bytes.reserve(codes.size() * 2);
  for (const std::uint16_t code : codes) {
    if (!IsLeadByte(code >> 8) || !IsTrailByte(code & 0xFF)) continue;
    bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
  }
  // Every double-byte code of the code page is one BMP character, so the joined bytes give one
  // unit per code; anything else is converted code by code.
  const Text chars = CodePageToText(bytes, kAnsiCodePage);
  const bool aligned = chars.size() * 2 == bytes.size();
  std::size_t next = 0;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    const std::uint16_t code = codes[k];
    if (!IsLeadByte(code >> 8) || !IsTrailByte(code & 0xFF)) continue;
    if (aligned) {
      out[k] = chars[next++];
      continue;
    }
    const char pair[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    const Text one = CodePageToText(BytesView(pair, 2), kAnsiCodePage);
    if (one.size() == 1) out[k] = one[0];
  }
  return out;
}

}  // namespace qor
