// Encodings on the command line: the window's codes and the usual charset labels.

#include "cli/encodings.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/cli_run.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(Encodings, NamesAndNumbers) {
  const struct {
    const char* arg;
    Encoding encoding;
  } cases[] = {
      {"0", kAutomatic},
      {"6", {kEncodingUtf8}},
      {"utf-8", {kEncodingUtf8NoBom}},  // no mark, as in every other tool
      {"UTF-8", {kEncodingUtf8NoBom}},
      {"utf8", {kEncodingUtf8NoBom}},
      {"utf-8-bom", {kEncodingUtf8}},
      {"utf-16le", {kEncodingUnicodeNoBom}},
      {"UTF-16BE", {kEncodingUnicodeBeNoBom}},
      {"Unicode BE (No BOM)", {kEncodingUnicodeBeNoBom}},  // the window's names
      {"eng", {kEncodingEng}},
      {"gbk", {kEncodingGbk}},
      {"cp936", {kEncodingGbk}},
      {"gb2312", {kEncodingGbk}},  // GBK holds it
      {"windows-1252", {kEncodingEng}},
      {"iso-8859-1", {kEncodingLatin1}},
      {"latin1", {kEncodingLatin1}},
      {"gb18030", {kEncodingAutomatic, 54936}},
      {"big5", {kEncodingAutomatic, 950}},
      {"shift_jis", {kEncodingAutomatic, 932}},
      {"euc-jp", {kEncodingAutomatic, 20932}},
      {"euc-kr", {kEncodingAutomatic, 20949}},
      {"cp949", {kEncodingAutomatic, 949}},
      {"koi8-r", {kEncodingAutomatic, 20866}},
      {"iso-2022-jp", {kEncodingAutomatic, 50221}},
  };
  for (const auto& c : cases) {
    const std::optional<Encoding> encoding = ParseEncoding(c.arg);
    ASSERT_TRUE(encoding) << c.arg;
    EXPECT_EQ(encoding->code, c.encoding.code) << c.arg;
    EXPECT_EQ(encoding->code_page, c.encoding.code_page) << c.arg;
  }
  // No byte order, no such code page here, no such name.
  for (const char* arg : {"utf-16", "ascii", "big5-hkscs", "nonsense", "10", ""}) {
    EXPECT_FALSE(ParseEncoding(arg)) << arg;
  }
}

TEST(Encodings, WhereCodePagesMayBeCut) {
  const std::pair<int, bool> cases[] = {
      {936, true},    {932, true},    {1252, true},   {20932, true},  // stateless, ASCII line feeds
      {50221, false}, {52936, false}, {65000, false},                 // ISO-2022-JP, HZ, UTF-7
      {37, false},                                                    // EBCDIC: its own line feed
  };
  for (const auto& [code_page, cuts] : cases)
    EXPECT_EQ(CutsAfterLineFeeds(code_page), cuts) << code_page;
}

TEST(CliEncodings, CharsetPairsAreCodePagePairs) {
  const struct {
    const char* label;
    const char* pair;
  } cases[] = {
      {"windows-1252--utf-8", "Code Page: (1252)--(65001)"},
      {"gbk--big5", "Code Page: (936)--(950)"},
      {"utf-16le--shift_jis", "Code Page: (-2)--(932)"},
      {"latin1--euc-kr", "Code Page: (28591)--(20949)"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli({"apply", c.label}, "ÖÐÎÄ ascii");
    const CliRun typed = Cli({"apply", c.pair}, "ÖÐÎÄ ascii");
    EXPECT_EQ(run.status, kExitOk) << c.label << run.err;
    EXPECT_EQ(run.out, typed.out) << c.label;
  }
  // The step is the pair itself: it says its own label.
  EXPECT_EQ(Cli({"apply", "windows-1252--utf-8"}, "ascii").err,
            "Code Page: (1252)--(65001): 新旧文本相同\n");
  EXPECT_EQ(Cli({"apply", "windows-1252--gbk"}, "ÖÐÎÄ").out, "中文");
  EXPECT_EQ(Cli({"apply", "windows-1252--utf-16be"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"apply", "nonsense--utf-8"}, "x").status, kExitUsage);
}

TEST(CliEncodings, FilesInCodePages) {
  TempFolder folder;
  std::string big5_lines;
  for (int k = 0; k < 30000; ++k) big5_lines += Hex("A4 A4 A4 E5 0A");  // 中文, past a read block
  std::string expected;
  for (int k = 0; k < 30000; ++k) expected += "中文\n";
  folder.Write(u"big5.txt", big5_lines);
  folder.Write(u"sjis.txt", Hex("93 FA 96 7B 0D 0A"));  // 日本 CR LF
  folder.Write(u"jis.txt", Hex("1B 24 42 46 7C 4B 5C 1B 28 42 0A 1B 24 42 46 7C 1B 28 42"));
  const struct {
    const char* file;
    const char* encoding;
    std::string out;
  } cases[] = {
      {"big5.txt", "big5", expected},
      {"sjis.txt", "shift_jis", "日本\r\n"},
      {"jis.txt", "ISO-2022-JP", "日本\n日"},  // stateful: read whole
  };
  for (const auto& c : cases) {
    const CliRun run = Cli({"apply", "Code Page: (-2)--(-2)", "-i", (folder / T(c.file)).native(),
                            "--encoding", c.encoding});
    EXPECT_EQ(run.out == c.out, true) << c.file << " " << run.err;
  }
  const std::string out = (folder / u"out.txt").native();
  const std::pair<const char*, const char*> writes[] = {
      {"shift_jis", "93 FA 96 7B"},
      {"utf-8", "E6 97 A5 E6 9C AC"},
      {"utf-8-bom", "EF BB BF E6 97 A5 E6 9C AC"},
      {"utf-16be", "65 E5 67 2C"},
      {"euc-jp", "C6 FC CB DC"},
  };
  for (const auto& [encoding, hex] : writes) {
    const CliRun run =
        Cli({"apply", "Code Page: (-2)--(-2)", "-o", out, "--out-encoding", encoding}, "日本");
    EXPECT_EQ(run.status, kExitOk) << encoding << run.err;
    EXPECT_EQ(ToHex(*folder.Read(u"out.txt")), hex) << encoding;
  }
}

}  // namespace
}  // namespace qor
