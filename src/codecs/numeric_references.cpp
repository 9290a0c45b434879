#include "codecs/numeric_references.h"

#include <string>

#include "codecs/entity_replace.h"
#include "codecs/guard.h"
#include "codecs/hex_digits.h"

namespace qor {
namespace {

// Introducers become markers beyond U+FFFF, so that a marker-like character already in the text
// (any UTF-16 unit can be) stays an ordinary character.
using Marked = std::u32string;
constexpr char32_t kHex4 = 0x110000;     // up to 4 hex digits follow
constexpr char32_t kHex2 = 0x110001;     // up to 2 hex digits follow
constexpr char32_t kDecimal = 0x110002;  // up to 5 decimal digits follow

// Whether text[at] exists and is a or b.
bool IsOneOf(TextView text, std::size_t at, char16_t a, char16_t b) {
  return at < text.size() && (text[at] == a || text[at] == b);
}

// Every introducer of the mode as its marker. No two introducers can overlap, so one scan gives
// what replacing them one kind after the other would.
Marked MarkIntroducers(TextView text, int mode) {
  Marked out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char16_t c = text[i];
    if (mode == kHtmlReferences && c == u'&' && i + 1 < text.size() && text[i + 1] == u'#') {
      const bool hex = IsOneOf(text, i + 2, u'x', u'X');
      out += hex ? kHex4 : kDecimal;
      i += hex ? 3 : 2;
    } else if (mode == kBackslashReferences && c == u'\\' && IsOneOf(text, i + 1, u'u', u'U')) {
      out += kHex4;
      i += 2;
    } else if (mode == kBackslashReferences && c == u'\\' && IsOneOf(text, i + 1, u'x', u'X')) {
      out += kHex2;
      i += 2;
    } else if (mode == kPercentReferences && c == u'%') {
      const bool four = IsOneOf(text, i + 1, u'u', u'U');
      out += four ? kHex4 : kHex2;
      i += four ? 2 : 1;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

// One pass over the marked text: each marker reads its digits (up to its limit, to the first
// other unit, or to the end) and becomes the character of their value, or a space for 0, no
// digits or a value above U+FFFF. Right after a reference one terminator, if any, is dropped.
// U+0000 is dropped.
Text ReadReferences(const Marked& marked, bool has_terminator, char32_t terminator) {
  Text out;
  out.reserve(marked.size());
  int pending = 0;  // > 0: hex digits still allowed; < 0: decimal digits still allowed
  long value = -1;  // >= 0 from a marker until the next copied unit
  const auto emit = [&] {
    out += value >= 1 && value <= 0xFFFF ? static_cast<char16_t>(value) : u' ';
  };
  for (const char32_t c : marked) {
    bool consumed = false;
    if (pending > 0) {
      --pending;
      if (const int digit = HexDigitValue(c); digit >= 0) {
        value = value * 16 + digit;
        consumed = true;
      } else {
        pending = 0;
      }
      if (pending == 0) emit();
    } else if (pending < 0) {
      ++pending;
      if (c >= '0' && c <= '9') {
        value = value * 10 + static_cast<long>(c - '0');
        consumed = true;
      } else {
        pending = 0;
      }
      if (pending == 0) emit();
    }
    if (consumed || c == 0) continue;
    if (c == kHex4 || c == kHex2 || c == kDecimal) {
      pending = c == kHex4 ? 4 : c == kHex2 ? 2 : -5;
      value = 0;
      continue;
    }
    if (!(has_terminator && c == terminator && value >= 0)) out += static_cast<char16_t>(c);
    value = -1;
  }
  if (pending != 0) emit();
  return out;
}

}  // namespace

Text DecodeNumericReferences(TextView text, int mode) {
  return EmptyOnFailure([&]() -> Text {
    if (mode != kHtmlReferences && mode != kBackslashReferences && mode != kPercentReferences) {
      return {};
    }
    Marked marked = MarkIntroducers(text, mode);
    if (mode != kHtmlReferences) return ReadReferences(marked, false, 0);
    return ReadReferences(ReplaceEntities(ReplaceTags(marked)), true, U';');
  });
}

Text EncodeNumericReferences(TextView text, bool decimal) {
  return EmptyOnFailure([&] {
    Text out;
    out.reserve(text.size() * 8);
    char16_t digits[5];
    for (const char16_t c : text) {
      if (c < 0x80) {
        out += c;
        continue;
      }
      const unsigned base = decimal ? 10 : 16;
      int n = 0;
      for (unsigned v = c; v != 0; v /= base) digits[n++] = kUpperHexDigits[v % base];
      out += decimal ? u"&#" : u"&#x";
      while (n > 0) out += digits[--n];
      out += u';';
    }
    return out;
  });
}

}  // namespace qor
