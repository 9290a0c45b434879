// fix-names: garbled file and folder names.

#include "cli/fix_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

using Kind = NameRepair::Kind;

TEST(RepairName, RawBytesAndMojibake) {
  const struct {
    Bytes name;
    Kind kind;
    const char* repaired;
    const char* chain;
  } cases[] = {
      {Hex("D0 C2 BD A8 CE C4 BC FE BC D0"), Kind::kRepair, "新建文件夹", "gbk"},
      {Hex("C1 63 C5 E9 B8 EA AE C6 A7 A8"), Kind::kRepair, "繁體資料夾", "big5"},
      {Hex("93 FA 96 7B 8C EA 82 CC 83 74 83 40 83 43 83 8B 2E 74 78 74"), Kind::kRepair,
       "日本語のファイル.txt", "shift_jis"},
      {Hex("C7 D1 B1 B9 BE EE C6 C4 C0 CF 2E 74 78 74"), Kind::kRepair, "한국어파일.txt", "euc-kr"},
      {"椤圭洰璁″垝.txt", Kind::kRepair, "项目计划.txt", "'GB--UTF8'"},  // UTF-8 read as GBK
      {"ÏîÄ¿¼Æ»®.txt", Kind::kRepair, "项目计划.txt", "'Eng--GB'"},      // GBK read as Western
      {"项目计划.txt", Kind::kClean, "", ""},
      {"plain name.txt", Kind::kClean, "", ""},
      {"caf\xE9.txt", Kind::kLeftAlone, "", ""},  // Latin-1: none of the four encodings
      {"\xFF\xFF", Kind::kLeftAlone, "", ""},
  };
  for (const auto& c : cases) {
    const NameRepair repair = RepairName(c.name);
    EXPECT_EQ(repair.kind, c.kind) << c.name << " " << repair.why;
    EXPECT_EQ(repair.name, c.repaired) << c.name;
    EXPECT_EQ(repair.chain, c.chain) << c.name;
    EXPECT_EQ(repair.why.empty(), c.kind != Kind::kLeftAlone) << c.name;
  }
}

// A tree of garbled names: the folders' own and those inside them, a name whose repair exists
// already, two names that would become one.
class FixNamesTree : public testing::Test {
 protected:
  void SetUp() override {
    folder_.MakeFolder(gbk_folder_);
    folder_.Write(gbk_folder_ + "/" + Hex("BB E1 D2 E9 BC C7 C2 BC 2E 74 78 74"),
                  "1");  // 会议记录.txt
    folder_.Write(gbk_folder_ + "/涔辩爜.doc", "2");
    folder_.MakeFolder(big5_folder_);
    folder_.Write(big5_folder_ + "/" + Hex("BB A1 A9 FA 2E 74 78 74"), "3");  // 說明.txt
    folder_.Write(Hex("C4 E3 BA C3 2E 74 78 74"), "gbk");  // 你好.txt in GBK…
    folder_.Write("浣犲ソ.txt", "mojibake");               // …and its UTF-8 read as GBK
    folder_.Write(Hex("D6 D0 CE C4 2E 74 78 74"), "4");    // 中文.txt in GBK…
    folder_.Write("中文.txt", "already");                  // …whose repair exists
    folder_.Write("plain.txt", "5");
  }
  CliRun FixNames(std::vector<std::string> args) {
    args.insert(args.begin(), "fix-names");
    args.push_back(folder_.path().native());
    return Cli(args);
  }

  TempFolder folder_;
  const Bytes gbk_folder_ = Hex("D0 C2 BD A8 CE C4 BC FE BC D0");   // 新建文件夹
  const Bytes big5_folder_ = Hex("C1 63 C5 E9 B8 EA AE C6 A7 A8");  // 繁體資料夾
};

TEST_F(FixNamesTree, SaysWhatItWouldRenameAndRenamesWithApply) {
  const std::vector<Bytes> before = folder_.NameBytes();
  const CliRun dry = FixNames({});
  EXPECT_EQ(dry.status, kExitOk) << dry.err;
  EXPECT_EQ(folder_.NameBytes(), before);
  // Deepest first: a folder's names before its own.
  const std::string renames[] = {"→ 說明.txt\tbig5",       "→ 繁體資料夾\tbig5",
                                 "→ 你好.txt\tgbk",        "→ 会议记录.txt\tgbk",
                                 "→ 乱码.doc\t'GB--UTF8'", "→ 新建文件夹\tgbk"};
  std::size_t at = 0;
  for (const std::string& rename : renames) {
    const std::size_t found = dry.out.find(rename, at);
    ASSERT_NE(found, std::string::npos) << rename << "\n" << dry.out;
    at = found;
  }
  EXPECT_NE(dry.err.find("中文.txt exists already"), std::string::npos) << dry.err;
  EXPECT_NE(dry.err.find("你好.txt exists already"), std::string::npos) << dry.err;
  EXPECT_NE(dry.err.find("6 to rename, 2 left alone, 2 clean"), std::string::npos) << dry.err;

  const CliRun applied = FixNames({"--apply"});
  EXPECT_EQ(applied.status, kExitOk) << applied.err;
  EXPECT_EQ(applied.out, dry.out);
  EXPECT_EQ(folder_.Names(),
            (std::vector<Text>{u"\\xD6\\xD0\\xCE\\xC4.txt", u"plain.txt", u"中文.txt", u"你好.txt",
                               u"新建文件夹", u"浣犲ソ.txt", u"繁體資料夾"}));
  EXPECT_EQ(folder_.Names(u"新建文件夹"), (std::vector<Text>{u"乱码.doc", u"会议记录.txt"}));
  EXPECT_EQ(folder_.Names(u"繁體資料夾"), std::vector<Text>{u"說明.txt"});
  EXPECT_EQ(folder_.Read(u"你好.txt"), "gbk");
  EXPECT_EQ(folder_.Read(u"中文.txt"), "already");

  // Nothing left to do: status 1.
  EXPECT_EQ(FixNames({}).status, kExitNoResult);
}

TEST(FixNames, UsageAndMissingPaths) {
  EXPECT_EQ(Cli({"fix-names"}).status, kExitUsage);
  EXPECT_EQ(Cli({"fix", "--apply"}, "x").status, kExitUsage);
  const TempFolder folder;
  const CliRun run = Cli({"fix-names", (folder / u"missing").native()});
  EXPECT_EQ(run.status, kExitFile);
}

}  // namespace
}  // namespace qor
