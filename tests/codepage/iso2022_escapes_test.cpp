#include "codepage/iso2022_escapes.h"

#include <gtest/gtest.h>

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"
#include "support/test_support.h"

namespace qor {
namespace {

constexpr int kChinese = 0;
constexpr int kJapanese = 1;
constexpr int kKorean = 2;

// What a mailer that strips the ESC characters leaves of the language's own encoding.
Text StrippedIso2022(TextView text, std::int32_t code_page) {
  Bytes bytes = TextToCodePage(text, code_page);
  std::erase(bytes, '\x1B');
  return BytesToChars(bytes);
}

// A text, the menu item's index and what comes out.
struct Case {
  const char* what;
  int index;
  Text text;
  Text expected;
};

TEST(RestoreIso2022Marks, PutsBackOneEscPerMarkAndDropsEmptyDesignations) {
  const Case cases[] = {
      {"Japanese marks in list order", kJapanese, u"$B$R$H(B", u"\x1B$B$R$H\x1B(B"},
      {"an ESC that survived is not doubled", kJapanese, u"\x1B$B$R\x1B(B", u"\x1B$B$R\x1B(B"},
      {"a triple ESC loses one", kJapanese, u"\x1B\x1B$B", u"\x1B\x1B$B"},
      {"empty designation dropped", kJapanese, u"$B(BA", u"\x1B(BA"},
      {"two empty designations in a row", kJapanese, u"(B$B(BA", u"\x1B(BA"},
      {"Chinese marks", kChinese, u"$)A\x0EVP\x0F", u"\x1B$)A\x0EVP\x0F"},
      {"Chinese G designation", kChinese, u"$)G", u"\x1B$)G"},
      {"Chinese empty A before G", kChinese, u"$)A$)G", u"\x1B$)G"},
      {"Korean mark", kKorean, u"$)C\x0EGQ\x0F", u"\x1B$)C\x0EGQ\x0F"},
      {"another language's marks stay", kKorean, u"$B(B$)A", u"$B(B$)A"},
      {"marks are case-sensitive", kJapanese, u"$b(b", u"$b(b"},
      {"no marks", kJapanese, u"plain text", u"plain text"},
      {"an index out of range", 3, u"$B(B", u"$B(B"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Show(RestoreIso2022Marks(c.text, c.index)), Show(c.expected)) << c.what;
  }
}

TEST(RestoreIso2022Escapes, DecodesWhatTheMailerLeft) {
  const Case cases[] = {
      {"the menu's example", kJapanese, u"$B$R$H$?$S(B", u"ひとたび"},
      {"with the ESC kept", kJapanese, u"\x1B$B$R$H$?$S\x1B(B", u"ひとたび"},
      {"mixed with ASCII", kJapanese, u"Re: $B$R$H$?$S(B ok", u"Re: ひとたび ok"},
      {"ASCII without marks", kJapanese, u"Hello, world", u"Hello, world"},
      {"ASCII under Chinese", kChinese, u"Hello, world", u"Hello, world"},
      {"U+0000 becomes a space", kJapanese, Text(u"a\0b", 3), u"a b"},
      {"empty text", kJapanese, u"", u""},
      {"an index out of range keeps the text", 7, u"$B$R(B", u"$B$R(B"},
      {"a negative index keeps the text", -1, u"abc", u"abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Show(RestoreIso2022Escapes(c.text, c.index)), Show(c.expected)) << c.what;
  }
}

TEST(RestoreIso2022Escapes, UndoesTheStrippingForEachLanguage) {
  struct Case {
    int index;
    std::int32_t code_page;
    Text text;
  } const cases[] = {
      {kChinese, 50227, u"中文 and ASCII，乱码修复"},
      {kJapanese, 50221, u"日本語のテキスト ABC ひとたび"},
      {kKorean, 50225, u"한국어 텍스트 ABC"},
  };
  for (const Case& c : cases) {
    const Text stripped = StrippedIso2022(c.text, c.code_page);
    ASSERT_NE(stripped.find(u'$'), Text::npos) << "no mark left to restore";
    EXPECT_EQ(Show(RestoreIso2022Escapes(stripped, c.index)), Show(c.text)) << c.code_page;
    // Text that still has its ESC characters decodes the same.
    EXPECT_EQ(
        Show(RestoreIso2022Escapes(BytesToChars(TextToCodePage(c.text, c.code_page)), c.index)),
        Show(c.text))
        << c.code_page;
  }
}

TEST(RestoreIso2022Escapes, CharactersAboveLatin1DoNotSurvive) {
  const Text out = RestoreIso2022Escapes(u"中$B$R(B", kJapanese);
  EXPECT_EQ(out.find(u'中'), Text::npos) << Show(out);
  EXPECT_NE(out.find(u'ひ'), Text::npos) << Show(out);
}

}  // namespace
}  // namespace qor
