#include "diagnosis/explanation.h"

#include <array>
#include <string>
#include <vector>

#include "diagnosis/char_class.h"

namespace qor {
namespace {

using Counts = std::array<std::size_t, kClassCount>;

std::size_t Sum(const Counts& counts, std::initializer_list<CharClass> classes) {
  std::size_t sum = 0;
  for (const CharClass c : classes) sum += counts[static_cast<std::size_t>(c)];
  return sum;
}

// What the letters of the text say its language is.
Text Language(const Counts& n) {
  using C = CharClass;
  const std::size_t han = Sum(n, {C::kHanFrequent, C::kHanCommon, C::kHanShared, C::kHanSimp,
                                  C::kHanTrad, C::kHanJis, C::kHanLess, C::kHanRare, C::kHanExt});
  const std::size_t kana = Sum(n, {C::kHiragana, C::kKatakana, C::kSmallKana, C::kHalfKana});
  const std::size_t hangul = Sum(n, {C::kHangul, C::kHangulRare, C::kJamo});
  const std::size_t ascii = Sum(n, {C::kLower, C::kUpper});
  if (kana > 0 && kana * 4 >= han) return u"日文";
  if (hangul > 0 && hangul >= han) return u"韩文";
  if (han > 0) return Sum(n, {C::kHanTrad}) * 10 > han ? u"繁体中文" : u"简体中文";
  if (Sum(n, {C::kCyrillic}) > ascii) return u"俄文";
  if (Sum(n, {C::kGreek}) > ascii) return u"希腊文";
  if (Sum(n, {C::kLatinLetter}) * 4 > ascii) return u"西文";
  if (ascii > 0) return u"英文";
  return u"无文字";
}

}  // namespace

Text Explain(TextView text, std::size_t substituted, std::size_t invalid) {
  using C = CharClass;
  Counts n{};
  ForEachClass(text, [&n](CharClass c) { ++n[static_cast<std::size_t>(c)]; });

  std::vector<Text> parts;
  const auto add = [&parts](std::size_t count, TextView what) {
    if (count > 0) parts.push_back(Text(what) + u" " + IntegerText(count) + u" 个");
  };
  const std::size_t han = Sum(n, {C::kHanFrequent, C::kHanCommon, C::kHanShared, C::kHanSimp,
                                  C::kHanTrad, C::kHanJis, C::kHanLess, C::kHanRare, C::kHanExt});
  if (han > 0) {
    const std::size_t common = Sum(n, {C::kHanFrequent, C::kHanCommon});
    parts.push_back(Concat(u"汉字 ", IntegerText(han)) + u" 个（常用 " +
                    IntegerText((common * 100 + han / 2) / han) + u"%）");
  }
  add(Sum(n, {C::kHiragana, C::kKatakana, C::kSmallKana}), u"假名");
  add(Sum(n, {C::kHalfKana}), u"半角片假名");
  add(Sum(n, {C::kHangul, C::kHangulRare, C::kJamo}), u"谚文");
  add(Sum(n, {C::kLower, C::kUpper}), u"英文字母");
  add(Sum(n, {C::kLatinLetter}), u"带附加符号的拉丁字母");
  add(Sum(n, {C::kCyrillic}), u"西里尔字母");
  add(Sum(n, {C::kGreek}), u"希腊字母");
  // Signs of mojibake.
  add(Sum(n, {C::kBox}), u"制表符号");
  add(Sum(n, {C::kPrivate}), u"私用区字符");
  add(Sum(n, {C::kControl, C::kC1}), u"控制字符");
  add(Sum(n, {C::kSurrogate}), u"不成对的代理项");
  add(Sum(n, {C::kReplacement}), u"替换符 �");

  Text line = Language(n) + u"：";
  for (std::size_t k = 0; k < parts.size(); ++k) line += (k ? u"，" : u"") + parts[k];
  if (parts.empty()) line += u"只有数字、空白和标点";
  line += u"；";
  if (substituted + invalid == 0) return line + u"无丢失";
  line.append(u"丢失 ").append(IntegerText(substituted + invalid)).append(u" 个字符（");
  if (substituted > 0) line += IntegerText(substituted) + u" 个成了“?”";
  if (substituted > 0 && invalid > 0) line += u"，";
  if (invalid > 0) line += IntegerText(invalid) + u" 处字节无效";
  return line + u"）";
}

}  // namespace qor
