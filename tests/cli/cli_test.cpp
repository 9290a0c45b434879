#include "cli/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/test_support.h"

namespace qor {
namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun Cli(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = CommandLineMain(args, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(Cli, AppliesLabelsInOrder) {
  EXPECT_EQ(Cli({"apply", "Eng--GB"}, "ÖÐÎÄ").out, "中文");
  EXPECT_EQ(Cli({"apply", "Eng--UTF8"}, "Ã©").out, "é");
  // GBK bytes read as Western, then that text's UTF-8 read as Western: two steps undo both.
  EXPECT_EQ(Cli({"apply", "Eng--UTF8", "Eng--GB"}, "Ã–Ã\u0090ÃŽÃ„").out, "中文");
  EXPECT_EQ(Cli({"apply", "LCID: (1033)--(2052)"}, "ÖÐÎÄ").out, "中文");
}

TEST(Cli, PassesTextThroughByteExact) {
  const std::string text = "a\nb\r\nc\r\xEF\xBB\xBF\xF0\x9F\x98\x80 \xED\xA0\xBD";
  const CliRun run = Cli({"apply", "GB--Big5"}, text);
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out.substr(0, 7), "a\nb\r\nc\r");
}

TEST(Cli, ReportsUnchangedAndNoResult) {
  CliRun run = Cli({"apply", "GB--Big5"}, "ascii");
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_EQ(run.out, "ascii");
  EXPECT_NE(run.err.find("新旧文本相同"), std::string::npos);

  run = Cli({"apply", "Eng--GB"}, "");
  EXPECT_EQ(run.status, kExitNoResult);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("未改动"), std::string::npos);
  EXPECT_NE(run.err.find("Eng--GB"), std::string::npos);
}

TEST(Cli, UsageErrors) {
  CliRun run = Cli({"apply", "Eng--GX"}, "x");
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("\"Eng--GB\""), std::string::npos) << run.err;
  EXPECT_EQ(Cli({"apply", "eng--gb"}, "x").status, kExitUsage);  // case-sensitive
  EXPECT_EQ(Cli({"apply"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"frobnicate"}).status, kExitUsage);
  EXPECT_EQ(Cli({}).status, kExitUsage);
  EXPECT_EQ(Cli({"apply", "--bogus", "Eng--GB"}).status, kExitUsage);
  EXPECT_EQ(Cli({"apply", "Eng--GB", "-i"}).status, kExitUsage);

  run = Cli({"apply", "Eng--GB"}, "ab\xC3");
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_NE(run.err.find("byte offset 2"), std::string::npos) << run.err;

  run = Cli({"--help"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_NE(run.out.find("apply LABEL"), std::string::npos);
}

TEST(Cli, OptionsStandAnywhereAndDoubleDashEndsThem) {
  const auto dir = std::filesystem::temp_directory_path() / "qor_cli_test";
  std::filesystem::create_directories(dir);
  const std::string in = (dir / "in.txt").string(), out = (dir / "out.txt").string();
  std::ofstream(in, std::ios::binary) << "ÖÐÎÄ";
  CliRun run = Cli({"-o", out, "apply", "-i", in, "--", "Eng--GB"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  std::ifstream result(out, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(result), {}), "中文");

  EXPECT_EQ(Cli({"apply", "Eng--GB", "-i", (dir / "missing.txt").string()}).status, kExitFile);
  EXPECT_EQ(Cli({"apply", "Eng--GB", "-o", (dir / "no/such/dir.txt").string()}, "x").status,
            kExitFile);
  EXPECT_EQ(Cli({"apply", "--", "-x"}).status, kExitUsage);  // "-x" taken as a label
  std::filesystem::remove_all(dir);
}

TEST(Cli, AppliesTheEscapeDecoders) {
  const std::pair<std::string, std::string> cases[][2] = {
      {{"URL--UTF8", "%E4%B8%AD"}, {"", "中"}},
      {{"URL--GB", "work%2Easp%3Fs%3D%B5%E7%C4%D4"}, {"", "work.asp?s=电脑"}},
      {{"QP--UTF8", "=E4=B8=\n=AD\n"}, {"", "中\n"}},
      {{"HTM--U", "&lt;p&gt;&#x53EF;&amp;lt;"}, {"", "<p>可<"}},
      {{"NumU(2)--U", "%u53EF%28"}, {"", "可("}},
      {{"Base64--Big5", "pKSk5Q=="}, {"", "中文"}},
      {{"UTF7--U", "+UxdOrA-"}, {"", "北京"}},
      {{"HZ--GB", "~{V;~}\n"}, {"", "只\n"}},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli({"apply", c[0].first}, c[0].second);
    EXPECT_EQ(run.status, kExitOk) << c[0].first << run.err;
    EXPECT_EQ(run.out, c[1].second) << c[0].first;
  }
  // Two decoders in a row: Base64 of a URL-encoded text.
  EXPECT_EQ(Cli({"apply", "Base64--UTF8", "URL--UTF8"}, "JUU0JUI4JUFE").out, "中");
  // Text that is no Base64 at all gives no result.
  const CliRun run = Cli({"apply", "Base64--GB"}, "not base64!");
  EXPECT_EQ(run.status, kExitNoResult);
  EXPECT_NE(run.err.find("未改动"), std::string::npos);
}

TEST(Cli, ListShowsLabelsAndCaptions) {
  const CliRun run = Cli({"list"});
  EXPECT_EQ(run.status, kExitOk);
  EXPECT_NE(run.out.find("GB--Big5\tGB--Big5 ：英文通顺"), std::string::npos);
  EXPECT_NE(run.out.find("LCID: (A)--(B)\t"), std::string::npos);
  EXPECT_NE(run.out.find("HZ--GB\tHZ--GB ：如 ~{V;V'3V~}ASCII~{Bk5DO5M3~} 英文通顺"),
            std::string::npos);
}

}  // namespace
}  // namespace qor
