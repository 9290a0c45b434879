#include "codecs/base64.h"

#include <array>

#include "codecs/escaped_bytes.h"
#include "codecs/guard.h"

namespace qor {
namespace {

constexpr char16_t kAlphabet[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kLineLength = 76;

// Symbol values of the first 128 units: 0..63, kSkipped, or kInvalid.
constexpr int kSkipped = 64;
constexpr int kInvalid = 65;
using SymbolTable = std::array<std::uint8_t, 128>;

constexpr SymbolTable MakeSymbolTable(char16_t symbol62, char16_t symbol63) {
  SymbolTable table{};
  table.fill(kInvalid);
  for (int k = 0; k < 62; ++k) table[kAlphabet[k]] = static_cast<std::uint8_t>(k);
  table[symbol62] = 62;
  table[symbol63] = 63;
  for (const char16_t c : {u'=', u' ', u'\r', u'\n'}) table[c] = kSkipped;
  return table;
}

constexpr SymbolTable kStandardSymbols = MakeSymbolTable(u'+', u'/');
constexpr SymbolTable kStarSymbols = MakeSymbolTable(u'*', u'-');

}  // namespace

Text EncodeBase64Bytes(BytesView bytes) {
  return EmptyOnFailure([&] {
    Text out;
    out.reserve(bytes.size() * 4 / 3 + 1);
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    std::size_t k = 0;
    for (; k + 3 <= bytes.size(); k += 3) {
      const unsigned bits = byte(k) << 16 | byte(k + 1) << 8 | byte(k + 2);
      for (const int shift : {18, 12, 6, 0}) out += kAlphabet[bits >> shift & 63];
    }
    if (bytes.size() - k == 1) {
      out += kAlphabet[byte(k) >> 2];
      out += kAlphabet[(byte(k) & 3) << 4];
    } else if (bytes.size() - k == 2) {
      const unsigned bits = byte(k) << 8 | byte(k + 1);
      out += kAlphabet[bits >> 10];
      out += kAlphabet[bits >> 4 & 63];
      out += kAlphabet[(bits & 15) << 2];
    }
    return out;
  });
}

Text EncodeBase64Text(TextView text, bool utf8) {
  return EmptyOnFailure([&]() -> Text {
    if (text.empty()) return {};
    const std::optional<Bytes> bytes = GbkOrUtf8Bytes(text, utf8);
    if (!bytes) return {};
    Text symbols = EncodeBase64Bytes(*bytes);
    if (symbols.size() % 4 == 2) symbols += u"==";
    if (symbols.size() % 4 == 3) symbols += u"=";
    if (symbols.size() <= kLineLength) return symbols;
    Text out;
    out.reserve(symbols.size() + symbols.size() / kLineLength * 2);
    for (std::size_t k = 0; k < symbols.size(); k += kLineLength) {
      if (k > 0) out += u"\r\n";
      out.append(TextView(symbols).substr(k, kLineLength));
    }
    return out;
  });
}

Bytes DecodeBase64Bytes(TextView text, int variant) {
  return EmptyOnFailure([&]() -> Bytes {
    const SymbolTable& symbols = variant == kBase64Star ? kStarSymbols : kStandardSymbols;
    Bytes out;
    out.reserve(text.size() * 3 / 4 + 1);
    unsigned bits = 0;
    int count = 0;
    for (const char16_t c : text) {
      const int value = c < 128 ? symbols[c] : kInvalid;
      if (value == kSkipped) continue;
      if (value == kInvalid) return {};
      bits = bits << 6 | static_cast<unsigned>(value);
      if (++count == 4) {
        out += static_cast<char>(bits >> 16);
        out += static_cast<char>(bits >> 8 & 0xFF);
        out += static_cast<char>(bits & 0xFF);
        bits = 0;
        count = 0;
      }
    }
    if (count == 3) {
      out += static_cast<char>(bits >> 10);
      out += static_cast<char>(bits >> 2 & 0xFF);
    } else if (count == 2) {
      out += static_cast<char>(bits >> 4);
    } else if (count == 1) {
      out += static_cast<char>(bits);  // a lone symbol stands for its own value
    }
    return out;
  });
}

Text DecodeBase64Text(TextView text, LcidSelector selector, int variant) {
  return EmptyOnFailure([&]() -> Text {
    if (text.empty()) return {};
    const Bytes bytes = DecodeBase64Bytes(text, variant);
    if (bytes.empty()) return {};
    return EscapedBytesToText(bytes, selector).value_or(Text());
  });
}

}  // namespace qor
