#include "platform/path_text.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace qor {
namespace {

TEST(PathText, ShowsUtf8AsItIsAndEveryOtherByteEscaped) {
  const struct {
    std::string bytes;
    const char* shown;
  } cases[] = {
      {"/home/u/中文 😀.txt", "/home/u/中文 😀.txt"},
      {"/d/\xC4\xE3\xBA\xC3.txt", "/d/\\xC4\\xE3\\xBA\\xC3.txt"},  // GBK
      {"/d/\xA7\x41.txt", "/d/\\xA7A.txt"},                        // Big5, an ASCII trail byte
      {"caf\xE9", "caf\\xE9"},                                     // Latin-1
      {"a\\b", "a\\x5Cb"},                                         // the escape character itself
      {"a\nb\x7F", "a\\x0Ab\\x7F"},                                // controls
      {"\xC2\x85", "\\xC2\\x85"},                                  // a C1 control
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                         // a lone surrogate's bytes
      {"\xC0\xAF", "\\xC0\\xAF"},                                  // an overlong "/"
      {"\xE4\xB8", "\\xE4\\xB8"},                                  // a cut character
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Show(PathToText(c.bytes)), Show(T(c.shown))) << c.shown;
    EXPECT_EQ(TextToPath(PathToText(c.bytes)).native(), c.bytes) << c.shown;
  }
}

TEST(PathText, ReadsTypedEscapes) {
  EXPECT_EQ(TextToPath(u"\\xc4\\xE3.txt").native(), "\xC4\xE3.txt");
  EXPECT_EQ(TextToPath(u"a\\x.txt").native(), "a\\x.txt");  // not an escape
  EXPECT_EQ(TextToPath(u"a\\x4").native(), "a\\x4");
  EXPECT_EQ(TextToPath(T("中\\x41")).native(), "中A");
  EXPECT_TRUE(IsByteEscape(u"a\\x41", 1));
  EXPECT_FALSE(IsByteEscape(u"a\\x4g", 1));
}

TEST(PathText, FolderNameAndAppend) {
  EXPECT_EQ(FolderOf("/a/b.txt").native(), "/a/");
  EXPECT_EQ(FolderOf("b.txt").native(), "");
  EXPECT_EQ(NameOf("/a/b.txt").native(), "b.txt");
  EXPECT_EQ(NameOf("b.txt").native(), "b.txt");
  EXPECT_EQ(Append("/a/\xE9", ".bak").native(), "/a/\xE9.bak");
}

}  // namespace
}  // namespace qor
