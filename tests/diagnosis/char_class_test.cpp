#include "diagnosis/char_class.h"

#include <gtest/gtest.h>

#include "diagnosis/explanation.h"
#include "platform/wtf8.h"
#include "support/test_support.h"

namespace qor {
namespace {

CharClass ClassOf(TextView text) {
  std::size_t units = 0;
  const CharClass c = ClassAt(text, 0, &units);
  EXPECT_EQ(units, text.size()) << Show(text);
  return c;
}

TEST(CharClass, SortsCharactersByScriptAndFrequency) {
  using C = CharClass;
  const struct {
    const char* text;
    CharClass expected;
  } cases[] = {
      {"a", C::kLower},
      {"Q", C::kUpper},
      {"7", C::kDigit},
      {"\t", C::kSpace},
      {"\n", C::kBreak},
      {"?", C::kQuestion},
      {"%", C::kPunct},
      {"\x7F", C::kControl},
      {"\u0085", C::kC1},
      {"é", C::kLatinLetter},
      {"©", C::kLatinSymbol},
      {"Ж", C::kCyrillic},
      {"Α", C::kGreek},
      {"“", C::kGeneralPunct},
      {"─", C::kBox},
      {"。", C::kCjkPunct},
      {"Ａ", C::kFullwidth},
      {"の", C::kHiragana},
      {"カ", C::kKatakana},
      {"ゅ", C::kSmallKana},
      {"ー", C::kKanaMark},
      {"ｶ", C::kHalfKana},
      {"ㄛ", C::kBopomofo},
      {"﹝", C::kCjkCompat},
      {"한", C::kHangul},
      {"똠", C::kHangulRare},
      {"ㅎ", C::kJamo},
      {"的", C::kHanFrequent},
      {"們", C::kHanFrequent},
      {"涓", C::kHanShared},
      {"鍙", C::kHanLess},
      {"\uE15F", C::kPrivate},
      {"\uFFFD", C::kReplacement},
      {"歩", C::kHanJis},
      {"㐀", C::kHanExt},
      {"𠀀", C::kHanExt},
      {"😀", C::kSymbol},
      {"\xED\xA0\x80", C::kSurrogate},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassOf(Utf8ToText(c.text)), c.expected) << c.text;
  }
  // Script classes of less frequent characters: simplified only, traditional only.
  EXPECT_EQ(ClassOf(u"\u9501"), CharClass::kHanSimp);  // 锁
  EXPECT_EQ(ClassOf(u"\u9396"), CharClass::kHanTrad);  // 鎖
}

TEST(Explain, SaysWhatTheTextIsMadeOfAndWhatWasLost) {
  EXPECT_EQ(Explain(T("中文"), 0, 0), T("简体中文：汉字 2 个（常用 100%）；无丢失"));
  EXPECT_EQ(Explain(T("ファイル"), 0, 0), T("日文：假名 4 个；无丢失"));
  EXPECT_EQ(Explain(T("파일 a"), 0, 0), T("韩文：谚文 2 个，英文字母 1 个；无丢失"));
  EXPECT_EQ(Explain(T("ÖÐÎÄ"), 0, 0), T("西文：带附加符号的拉丁字母 4 个；无丢失"));
  EXPECT_EQ(Explain(T("涓\uE15F枃"), 0, 0),
            T("简体中文：汉字 2 个（常用 0%），私用区字符 1 个；无丢失"));
  EXPECT_EQ(Explain(T("12 ?"), 2, 1),
            T("无文字：只有数字、空白和标点；丢失 3 个字符（2 个成了“?”，1 处字节无效）"));
  EXPECT_EQ(Explain(T("中?"), 1, 0),
            T("简体中文：汉字 1 个（常用 100%）；丢失 1 个字符（1 个成了“?”）"));
}

}  // namespace
}  // namespace qor
