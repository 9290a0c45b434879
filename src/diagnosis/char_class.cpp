#include "diagnosis/char_class.h"

#include <array>
#include <string_view>

#include "platform/codepage_service.h"

namespace qor {
namespace {

#include "diagnosis/frequent_han.inc"

using Table = std::array<CharClass, 0x10000>;

bool IsHan(char32_t c) { return c >= 0x4E00 && c <= 0x9FFF; }
bool IsHangulSyllable(char32_t c) { return c >= 0xAC00 && c <= 0xD7A3; }

bool IsSmallKana(char32_t c) {
  constexpr std::u32string_view kSmall = U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶ";
  return kSmall.find(c) != std::u32string_view::npos || (c >= 0x31F0 && c <= 0x31FF);
}

bool IsLetterOfOtherScript(char32_t c) {
  return (c >= 0x0530 && c <= 0x1DFF) || (c >= 0xA4D0 && c <= 0xABFF) ||
         (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFC);
}

// The class of a code point by its block alone.
CharClass ByBlock(char32_t c) {
  using C = CharClass;
  if (c < 0x80) {
    if (c >= 'a' && c <= 'z') return C::kLower;
    if (c >= 'A' && c <= 'Z') return C::kUpper;
    if (c >= '0' && c <= '9') return C::kDigit;
    if (c == ' ' || c == '\t') return C::kSpace;
    if (c == '\r' || c == '\n') return C::kBreak;
    if (c == '?') return C::kQuestion;
    if (c < 0x20 || c == 0x7F) return C::kControl;
    return C::kPunct;
  }
  if (c < 0xA0) return C::kC1;
  if (c < 0xC0 || c == 0xD7 || c == 0xF7) return C::kLatinSymbol;
  if (c < 0x250 || (c >= 0x1E00 && c <= 0x1EFF)) return C::kLatinLetter;
  if (c < 0x370) return C::kModifier;
  if (c < 0x400) return C::kGreek;
  if (c < 0x530) return C::kCyrillic;
  if (c >= 0x1100 && c <= 0x11FF) return C::kJamo;
  if (IsLetterOfOtherScript(c)) return C::kOtherLetter;
  if (c >= 0x2000 && c <= 0x206F) return C::kGeneralPunct;
  if (c >= 0x2500 && c <= 0x25FF) return C::kBox;
  if (c >= 0x2070 && c <= 0x2BFF) return C::kSymbol;
  if (c >= 0x3000 && c <= 0x303F) return C::kCjkPunct;
  if (IsSmallKana(c)) return C::kSmallKana;
  if ((c >= 0x3099 && c <= 0x309E) || c == 0x30A0 || (c >= 0x30FB && c <= 0x30FE)) {
    return C::kKanaMark;
  }
  if (c >= 0x3040 && c <= 0x309F) return C::kHiragana;
  if (c >= 0x30A0 && c <= 0x30FF) return C::kKatakana;
  if ((c >= 0x3100 && c <= 0x312F) || (c >= 0x31A0 && c <= 0x31BF)) return C::kBopomofo;
  if (c >= 0x3130 && c <= 0x318F) return C::kJamo;
  if ((c >= 0x3200 && c <= 0x33FF) || (c >= 0xFE10 && c <= 0xFE1F) ||
      (c >= 0xFE30 && c <= 0xFE6F)) {
    return C::kCjkCompat;
  }
  if ((c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
      (c >= 0x20000 && c <= 0x3FFFF)) {
    return C::kHanExt;
  }
  if (IsHan(c)) return C::kHanRare;
  if (IsHangulSyllable(c)) return C::kHangulRare;
  if ((c >= 0xA960 && c <= 0xA97F) || (c >= 0xD7B0 && c <= 0xD7FF) ||
      (c >= 0xFFA0 && c <= 0xFFDC)) {
    return C::kJamo;
  }
  if (c >= 0xD800 && c <= 0xDFFF) return C::kSurrogate;
  if ((c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000) return C::kPrivate;
  if (c >= 0xFF01 && c <= 0xFF5E) return C::kFullwidth;
  if (c >= 0xFF61 && c <= 0xFF9F) return C::kHalfKana;
  if (c >= 0xFFE0 && c <= 0xFFEE) return C::kFullwidth;
  if (c == 0xFFFD) return C::kReplacement;
  if (c >= 0x1F000 && c <= 0x1FAFF) return C::kSymbol;
  return C::kOther;
}

struct CodeRange {
  int code_page;
  unsigned lead_first, lead_last, trail_first, trail_last;
};

// Where each character of a table's ranges is, by one conversion for all its codes: each code
// is followed by a line feed, which no code page here takes as a trail byte, so that an invalid
// code cannot shift the ones after it.
using Membership = std::array<bool, 0x10000>;

Membership Members(std::initializer_list<CodeRange> ranges) {
  Membership members{};
  for (const CodeRange& range : ranges) {
    Bytes bytes;
    for (unsigned lead = range.lead_first; lead <= range.lead_last; ++lead) {
      for (unsigned trail = range.trail_first; trail <= range.trail_last; ++trail) {
        bytes += static_cast<char>(lead);
        bytes += static_cast<char>(trail);
        bytes += '\n';
      }
    }
    const std::optional<Text> text = DecodeCodePage(bytes, range.code_page);
    if (!text) continue;
    std::size_t start = 0;
    for (std::size_t end = text->find(u'\n'); end != Text::npos;
         start = end + 1, end = text->find(u'\n', start)) {
      if (end - start == 1) members[(*text)[start]] = true;
    }
  }
  return members;
}

Table BuildTable() {
  Table table;
  for (char32_t c = 0; c < 0x10000; ++c) table[c] = ByBlock(c);
  const Membership gb1 = Members({{936, 0xB0, 0xD7, 0xA1, 0xFE}});
  const Membership gb2 = Members({{936, 0xD8, 0xF7, 0xA1, 0xFE}});
  const Membership big5_frequent =
      Members({{950, 0xA4, 0xC5, 0x40, 0xFE}, {950, 0xC6, 0xC6, 0x40, 0x7E}});
  const Membership big5_less = Members({{950, 0xC9, 0xF9, 0x40, 0xFE}});
  const Membership jis1 = Members({{932, 0x88, 0x97, 0x40, 0xFC}, {932, 0x98, 0x98, 0x40, 0x72}});
  const Membership jis2 = Members({{932, 0x98, 0x9F, 0x9F, 0xFC},
                                   {932, 0x99, 0x9F, 0x40, 0x9E},
                                   {932, 0xE0, 0xEA, 0x40, 0xFC}});
  const Membership ks_hangul = Members({{949, 0xB0, 0xC8, 0xA1, 0xFE}});
  using C = CharClass;
  for (char32_t c = 0x4E00; c <= 0x9FFF; ++c) {
    const bool big5 = big5_frequent[c] || big5_less[c];
    if (gb1[c]) {
      table[c] = big5 ? C::kHanShared : C::kHanSimp;
    } else if (big5_frequent[c]) {
      table[c] = gb2[c] ? C::kHanShared : C::kHanTrad;
    } else if (jis1[c]) {
      table[c] = C::kHanJis;
    } else if (gb2[c] || big5_less[c] || jis2[c]) {
      table[c] = C::kHanLess;
    }
  }
  for (const char16_t c : kCommonHan) table[c] = C::kHanCommon;
  for (const char16_t c : kFrequentHan) table[c] = C::kHanFrequent;
  for (char32_t c = 0xAC00; c <= 0xD7A3; ++c) {
    if (ks_hangul[c]) table[c] = C::kHangul;
  }
  return table;
}

const Table& BmpTable() {
  static const Table table = BuildTable();
  return table;
}

}  // namespace

CharClass ClassAt(TextView text, std::size_t pos, std::size_t* units) {
  const char16_t unit = text[pos];
  *units = 1;
  if (unit >= 0xD800 && unit <= 0xDBFF && pos + 1 < text.size()) {
    const char16_t low = text[pos + 1];
    if (low >= 0xDC00 && low <= 0xDFFF) {
      *units = 2;
      return ByBlock(0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00));
    }
  }
  return BmpTable()[unit];
}

}  // namespace qor
