#include "codepage/iso2022_escapes.h"

#include <vector>

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"

namespace qor {
namespace {

constexpr char16_t kEsc = u'\x1B';
// The stripped text holds the escape sequences' bytes one unit each, as Latin-1 holds them.
constexpr CodePageSelector kLatin1{28591};

struct Iso2022Language {
  TextView marks;  // comma-separated, in the order they are restored
  CodePageSelector code_page;
};

constexpr Iso2022Language kLanguages[] = {
    {u"$)A,$)G", 50227},
    {u"(B,$B", 50221},
    {u"$)C", 50225},
};

const Iso2022Language* LanguageOf(int index) {
  return index >= 0 && index < static_cast<int>(std::size(kLanguages)) ? &kLanguages[index]
                                                                       : nullptr;
}

std::vector<Text> SplitAtCommas(TextView list) {
  std::vector<Text> pieces(1);
  for (const char16_t c : list) {
    if (c == u',') {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

// Every occurrence, left to right, without looking again at what was put in.
Text ReplaceAll(TextView text, TextView from, TextView to) {
  if (from.empty()) return Text(text);
  Text out;
  out.reserve(text.size());
  std::size_t at = 0;
  for (std::size_t hit; (hit = text.find(from, at)) != TextView::npos; at = hit + from.size()) {
    out.append(text.substr(at, hit - at));
    out.append(to);
  }
  out.append(text.substr(at));
  return out;
}

}  // namespace

Text RestoreIso2022Marks(TextView text, int index) {
  const Iso2022Language* language = LanguageOf(index);
  if (!language) return Text(text);
  const std::vector<Text> marks = SplitAtCommas(language->marks);
  Text out(text);
  for (const Text& mark : marks) out = ReplaceAll(out, mark, kEsc + mark);
  // A mark whose ESC survived the stripping now has two.
  out = ReplaceAll(out, Text(2, kEsc), Text(1, kEsc));
  // A designation directly followed by another escape sequence designates nothing.
  for (auto mark = marks.rbegin(); mark != marks.rend(); ++mark) {
    out = ReplaceAll(out, kEsc + *mark + kEsc, Text(1, kEsc));
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
