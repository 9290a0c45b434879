#include "cli/cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_run.h"
#include "platform/wtf8.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

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

TEST(Cli, AStepThatFailsStopsTheRunWithItsOwnStatus) {
  const Step ok{u"ok", [](TextView text) { return Text(text) + u"!"; }};
  const Step failing{u"断", [](TextView) -> Text { throw std::bad_alloc(); }};
  Text text = u"a";
  std::ostringstream err;
  EXPECT_EQ(ApplySteps({ok, failing, ok}, text, err), kExitFailure);
  EXPECT_EQ(text, u"a!");
  EXPECT_NE(err.str().find("断 failed: std::bad_alloc"), std::string::npos) << err.str();
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
  const TempFolder folder;
  const std::filesystem::path& dir = folder.path();
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
}

// UTF-16LE there and back: the text as it is.
const std::string kSame = "LCID: (-2)--(-2)";

TEST(Cli, ReadsFilesInTheirEncoding) {
  TempFolder folder;
  const std::string gbk = (folder / u"gbk.txt").native();
  folder.Write(u"gbk.txt", Hex("D6 D0 CE C4"));
  folder.Write(u"le.txt", Hex("FF FE 2D 4E 87 65"));
  const struct {
    std::vector<std::string> options;
    const char* name;
    const char* out;
  } cases[] = {
      {{}, "gbk.txt", "中文"},                     // no sign: GBK
      {{"--encoding", "3"}, "gbk.txt", "ÖÐÎÄ"},    // Latin-1 as asked
      {{"--encoding", "eng"}, "gbk.txt", "ÖÐÎÄ"},  // names in any letter case
      {{}, "le.txt", "中文"},                      // the mark shows UTF-16LE
      // Big-endian without a mark: the swapped units, the mark among them.
      {{"--encoding", "UNICODE BE (no bom)"}, "le.txt", "\xEF\xBF\xBE\xE2\xB5\x8E\xE8\x9D\xA5"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"apply", kSame, "-i", (folder / T(c.name)).native()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.out, c.out) << c.name << " " << run.err;
  }
  // No file to read, and no such encoding.
  CliRun run = Cli({"apply", kSame, "-i", (folder / u"missing.txt").native()});
  EXPECT_EQ(run.status, kExitFile);
  EXPECT_NE(run.err.find("打开 失败~ "), std::string::npos) << run.err;
  EXPECT_EQ(Cli({"apply", kSame, "-i", gbk, "--encoding", "10"}).status, kExitUsage);
  EXPECT_EQ(Cli({"apply", kSame, "-i", gbk, "--encoding", "UTF-16"}).status, kExitUsage);
  EXPECT_EQ(Cli({"apply", kSame, "-i", gbk, "--out-encoding", "0"}).status, kExitUsage);
}

TEST(Cli, WritesFilesInTheChosenEncoding) {
  TempFolder folder;
  const std::string out = (folder / u"out.txt").native();
  EXPECT_EQ(Cli({"apply", kSame, "-o", out}, "中").status, kExitOk);
  EXPECT_EQ(ToHex(*folder.Read(u"out.txt")), "E4 B8 AD");  // UTF-8 without a mark
  EXPECT_EQ(Cli({"apply", kSame, "-o", out, "--out-encoding", "gbk"}, "中").status, kExitOk);
  EXPECT_EQ(ToHex(*folder.Read(u"out.txt")), "D6 D0");
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"out.txt"});

  // A read-only file is overwritten only with --force.
  folder.Chmod(u"out.txt", 0444);
  CliRun run = Cli({"apply", kSame, "-o", out, "--out-encoding", "6"}, "A");
  EXPECT_EQ(run.status, kExitFile);
  EXPECT_NE(run.err.find("--force"), std::string::npos) << run.err;
  EXPECT_EQ(ToHex(*folder.Read(u"out.txt")), "D6 D0");
  run = Cli({"apply", kSame, "--force", "-o", out, "--out-encoding", "6"}, "A");
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(ToHex(*folder.Read(u"out.txt")), "EF BB BF 41");
  EXPECT_EQ(folder.Mode(u"out.txt"), 0444u);
}

// File names are the bytes the shell gives, whatever their encoding.
TEST(Cli, FileNamesThatAreNotUtf8) {
  TempFolder folder;
  const std::vector<Bytes> names = {"\xC4\xE3\xBA\xC3.txt", "caf\xE9.txt"};  // GBK, Latin-1
  for (const Bytes& name : names) {
    folder.Write(name, "ÖÐÎÄ");
    const CliRun run = Cli({"apply", "Eng--GB", "-i", (folder / name).native(), "-o",
                            (folder / ("out-" + name)).native()});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(folder.Read("out-" + name), "中文");
  }
  EXPECT_EQ(folder.NameBytes(),
            (std::vector<Bytes>{"caf\xE9.txt", "out-caf\xE9.txt", "out-\xC4\xE3\xBA\xC3.txt",
                                "\xC4\xE3\xBA\xC3.txt"}));
}

// -o through a symbolic link writes the file it leads to and leaves the link as it is.
TEST(Cli, WritesThroughASymbolicLink) {
  TempFolder folder;
  folder.Write(u"target.txt", "old");
  folder.Symlink("target.txt", u"link.txt");
  EXPECT_EQ(Cli({"apply", kSame, "-o", (folder / u"link.txt").native()}, "new").status, kExitOk);
  EXPECT_TRUE(folder.IsLink(u"link.txt"));
  EXPECT_EQ(folder.Read(u"target.txt"), "new");
  EXPECT_EQ(folder.Names(), (std::vector<Text>{u"link.txt", u"target.txt"}));
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

// The labels of the chain that fix --explain prints as "qor-cli apply -- 'A' 'B'".
std::vector<std::string> PrintedChain(const std::string& err) {
  const std::string prefix = "qor-cli apply -- ";
  std::vector<std::string> labels;
  const std::size_t start = err.find(prefix);
  if (start == std::string::npos) return labels;
  const std::string line =
      err.substr(start + prefix.size(), err.find('\n', start) - start - prefix.size());
  std::string word;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line.compare(i, 4, "'\\''") == 0) {  // a quote inside a quoted word
      word += '\'';
      i += 3;
    } else if (line[i] == '\'') {
      quoted = !quoted;
      if (!quoted) labels.push_back(word), word.clear();
    } else if (quoted) {
      word += line[i];
    }
  }
  return labels;
}

TEST(CliFix, PrintsTheRepairThatApplyReproduces) {
  const std::string garbled[] = {
      "涔辩爜",                                                // UTF-8 read as GBK
      "ÎÞ·¨´ò¿ª»º³åÎÄ¼þ %s",                                   // GBK read as Western
      "é\u008FƒçŠ³ç¡¶æµœÑ…æ•“é\u008F†å‚›æ¤‚å¦—ï½\u008Fç´°%s",  // and two layers
  };
  const std::string repaired[] = {"乱码", "无法打开缓冲文件 %s", "无法产生暂时档：%s"};
  for (std::size_t k = 0; k < std::size(garbled); ++k) {
    const CliRun fix = Cli({"fix", "--explain"}, garbled[k]);
    EXPECT_EQ(fix.status, kExitOk) << fix.err;
    EXPECT_EQ(fix.out, repaired[k]);
    const std::vector<std::string> chain = PrintedChain(fix.err);
    ASSERT_FALSE(chain.empty()) << fix.err;
    std::vector<std::string> args = {"apply", "--"};
    args.insert(args.end(), chain.begin(), chain.end());
    const CliRun apply = Cli(args, garbled[k]);
    EXPECT_EQ(apply.status, kExitOk) << apply.err;
    EXPECT_EQ(apply.out, fix.out);
    EXPECT_NE(fix.err.find("无丢失"), std::string::npos) << fix.err;
  }
  EXPECT_EQ(PrintedChain(Cli({"fix", "--explain"}, garbled[2]).err).size(), 2u);
}

TEST(CliFix, CleanTextNeedsNoRepair) {
  for (const std::string text : {"中文文本读起来很通顺。", "plain English text", ""}) {
    const CliRun run = Cli({"fix"}, text);
    EXPECT_EQ(run.status, kExitNoResult) << text;
    EXPECT_EQ(run.out, "") << text;
    EXPECT_EQ(run.err, "无需修复\n") << text;
  }
}

TEST(CliFix, ListsTheBestCandidates) {
  CliRun run = Cli({"fix", "--top", "3"}, "ÖÐÎÄ\nµÚ¶þÐÐ");
  EXPECT_EQ(run.status, kExitOk) << run.err;
  std::istringstream lines(run.out);
  std::string line;
  int rank = 0;
  while (std::getline(lines, line)) {
    ++rank;
    // rank, score, chain, explanation, first line of the result
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4) << line;
    EXPECT_EQ(line.substr(0, line.find('\t')), std::to_string(rank));
  }
  EXPECT_EQ(rank, 3);
  EXPECT_EQ(
      run.out.substr(0, run.out.find('\n')).substr(run.out.rfind('\t', run.out.find('\n')) + 1),
      "中文");
  EXPECT_NE(run.out.find("\t'Eng--GB'\t"), std::string::npos) << run.out;

  // Clean text: the listing starts with the text as it is, and the status says no repair.
  run = Cli({"fix", "--top", "2"}, "中文文本读起来很通顺。");
  EXPECT_EQ(run.status, kExitNoResult);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')).substr(0, 6), "1\t+0.0");
  EXPECT_NE(run.out.find("（原文）"), std::string::npos);
}

TEST(CliFix, OptionsAndErrors) {
  EXPECT_EQ(Cli({"fix", "--top", "0"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"fix", "--top", "x"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"fix", "--top"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"fix", "GB--UTF8"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"apply", "--explain", "GB--UTF8"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"fix"}, "ab\xC3").status, kExitUsage);

  const TempFolder folder;
  const std::filesystem::path& dir = folder.path();
  const std::string in = (dir / "in.txt").string(), out = (dir / "out.txt").string();
  std::ofstream(in, std::ios::binary) << "涔辩爜";
  EXPECT_EQ(Cli({"fix", "-i", in, "-o", out}).status, kExitOk);
  std::ifstream result(out, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(result), {}), "乱码");
  EXPECT_EQ(Cli({"fix", "-i", (dir / "missing.txt").string()}).status, kExitFile);
}

}  // namespace
}  // namespace qor
