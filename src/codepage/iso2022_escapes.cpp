#include "codepage/iso2022_escapes.h"

#include <span>

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"

namespace qor {
namespace {

constexpr char16_t kEsc = u'\x1B';
// The stripped text holds the escape sequences' bytes one unit each, as Latin-1 holds them.
constexpr CodePageSelector kLatin1{28591};

struct Iso2022Language {
  std::span<const TextView> marks;  // in the order they are restored
  CodePageSelector code_page;
};

constexpr TextView kChineseMarks[] = {u"$)A", u"$)G"};
constexpr TextView kJapaneseMarks[] = {u"(B", u"$B"};
constexpr TextView kKoreanMarks[] = {u"$)C"};

constexpr Iso2022Language kLanguages[] = {
    {kChineseMarks, CodePageSelector{50227}},
    {kJapaneseMarks, CodePageSelector{50221}},
    {kKoreanMarks, CodePageSelector{50225}},
};

// The mark with its ESC.
Text Escaped(TextView mark) { return Text(1, kEsc).append(mark); }

const Iso2022Language* LanguageOf(int index) {
  return index >= 0 && index < static_cast<int>(std::size(kLanguages)) ? &kLanguages[index]
                                                                       : nullptr;
}

}  // namespace

Text RestoreIso2022Marks(TextView text, int index) {
  const Iso2022Language* language = LanguageOf(index);
  if (!language) return Text(text);
  const std::span<const TextView> marks = language->marks;
  Text out(text);
  for (const TextView mark : marks) out = ReplaceAll(out, mark, Escaped(mark));
  // A mark whose ESC survived the stripping now has two.
  out = ReplaceAll(out, Text(2, kEsc), Text(1, kEsc));
  // A designation directly followed by another escape sequence designates nothing.
  for (auto mark = marks.rbegin(); mark != marks.rend(); ++mark) {
    out = ReplaceAll(out, Escaped(*mark) + kEsc, Text(1, kEsc));
  }
  return out;
}

Text RestoreIso2022Escapes(TextView text, int index) {
  if (text.empty()) return {};
  const Iso2022Language* language = LanguageOf(index);
  if (!language) return Text(text);
  Text out = ConvertCodePage(RestoreIso2022Marks(text, index), kLatin1, language->code_page);
  ZerosToSpaces(out);
  return out;
}

}  // namespace qor
