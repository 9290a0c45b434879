#pragma once
// The kinds of character the plausibility model tells apart: scripts, and within Han and Hangul
// how common a character is, by frequency data and by the code page tables of the languages
// that use it.

#include <cstddef>
#include <cstdint>

#include "platform/text.h"

namespace qor {

enum class CharClass : std::uint8_t {
  kEdge,          // before the first and after the last character
  kLower,         // a-z
  kUpper,         // A-Z
  kDigit,         // 0-9
  kSpace,         // space, tab
  kBreak,         // CR, LF
  kPunct,         // ASCII punctuation but "?"
  kQuestion,      // "?", also what a code page writes for a character it lacks
  kControl,       // other C0 controls, DEL
  kC1,            // U+0080..U+009F
  kLatinLetter,   // accented Latin letters (U+00C0..U+024F, U+1E00..U+1EFF)
  kLatinSymbol,   // U+00A0..U+00BF, multiplication and division signs
  kModifier,      // spacing modifier letters, combining marks
  kGreek,         //
  kCyrillic,      //
  kGeneralPunct,  // U+2000..U+206F: dashes, quotation marks, ellipsis
  kSymbol,        // letterlike symbols, arrows, mathematical and other symbols, emoji
  kBox,           // box drawing, block elements, geometric shapes
  kCjkPunct,      // U+3000..U+303F
  kFullwidth,     // full-width ASCII forms and signs
  kHiragana,      //
  kKatakana,      // full-width katakana
  kSmallKana,     // small kana, which only follow kana
  kKanaMark,      // prolonged sound mark, middle dot, iteration and sound marks
  kHalfKana,      // half-width katakana
  kBopomofo,      //
  kCjkCompat,     // enclosed CJK, CJK compatibility squares, vertical and small forms
  kHangul,        // the 2,350 syllables of KS X 1001
  kHangulRare,    // the other syllables
  kJamo,          // Hangul letters, conjoining or compatibility
  kHanFrequent,   // the most frequent characters of running text (Unihan frequency data)
  kHanCommon,     // the next most frequent
  kHanShared,     // GB2312 level 1 characters that Big5 holds too, Big5 frequent ones GB2312 holds
  kHanSimp,       // GB2312 level 1 characters that Big5 lacks: simplified forms
  kHanTrad,       // Big5 frequent characters that GB2312 lacks: traditional forms
  kHanJis,        // JIS level 1 characters that none of those is
  kHanLess,       // the rest of GB2312 level 2, Big5 less frequent, JIS level 2
  kHanRare,       // the other unified ideographs (GBK-only and the like)
  kHanExt,        // extension A, compatibility ideographs, supplementary ideographs
  kPrivate,       // private use
  kReplacement,   // U+FFFD
  kSurrogate,     // a surrogate without its partner
  kOtherLetter,   // letters of other scripts (Arabic, Hebrew, Thai, Indic…)
  kOther,         // everything else
  kCount
};

inline constexpr std::size_t kClassCount = static_cast<std::size_t>(CharClass::kCount);

// The class of the character at text[pos]; *units becomes 2 for a surrogate pair, else 1.
[[nodiscard]] CharClass ClassAt(TextView text, std::size_t pos, std::size_t* units);

// Calls visit(class) for each character of the text in order.
template <typename Visit>
void ForEachClass(TextView text, Visit&& visit) {
  for (std::size_t pos = 0, units = 1; pos < text.size(); pos += units) {
    visit(ClassAt(text, pos, &units));
  }
}

}  // namespace qor
