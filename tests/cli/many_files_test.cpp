// qor-cli on many files: in place or into a folder, a summary, one status for the run.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

const char kGarbled[] = "ÖÐÎÄ\n";  // GBK read as Western
const char kRepaired[] = "中文\n";
const char kClean[] = "中文读起来很通顺。\n";

std::string Summary(const std::string& err) {
  const std::size_t at = err.rfind("qor-cli: ");
  return at == std::string::npos ? "" : err.substr(at + 9);
}

TEST(CliManyFiles, InPlaceAndIntoAFolder) {
  const struct {
    std::vector<std::string> args;  // the files follow
    std::vector<const char*> files;
    int status;
    const char* summary;
    std::vector<std::pair<const char*, std::string>> after;  // names and contents
  } cases[] = {
      {{"fix", "--in-place"},
       {"g.txt", "c.txt"},
       kExitOk,
       "1 changed, 1 unchanged, 0 failed\n",
       {{"g.txt", kRepaired}, {"c.txt", kClean}}},
      {{"fix", "--in-place"}, {"c.txt"}, kExitNoResult, "0 changed, 1 unchanged, 0 failed\n", {}},
      // A missing file fails; the others are still done.
      {{"fix", "-o", "out"},
       {"missing.txt", "g.txt", "c.txt"},
       kExitFile,
       "1 changed, 1 unchanged, 1 failed\n",
       {{"out/g.txt", kRepaired}, {"out/c.txt", kClean}, {"g.txt", kGarbled}}},
      {{"apply", "Eng--GB", "--in-place", "--"},
       {"g.txt"},
       kExitOk,
       "1 changed, 0 unchanged, 0 failed\n",
       {{"g.txt", kRepaired}}},
      {{"apply", "--in-place", "--lines", "Eng--GB", "--"},
       {"g.txt"},
       kExitOk,
       "1 changed, 0 unchanged, 0 failed\n",
       {{"g.txt", kRepaired}}},
      // A step without result leaves the file as it was.
      {{"apply", "Base64--GB", "-o", "out", "--"},
       {"g.txt"},
       kExitNoResult,
       "0 changed, 1 unchanged, 0 failed\n",
       {{"g.txt", kGarbled}}},
      // One file to a file name.
      {{"apply", "Eng--GB", "-o", "one.txt", "--"},
       {"g.txt"},
       kExitOk,
       "1 changed, 0 unchanged, 0 failed\n",
       {{"one.txt", kRepaired}}},
      // Two files of one name into one folder: the second is refused.
      {{"fix", "-o", "out"},
       {"g.txt", "sub/g.txt"},
       kExitFile,
       "1 changed, 0 unchanged, 1 failed\n",
       {{"out/g.txt", kRepaired}}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write(u"g.txt", kGarbled);
    folder.Write(u"c.txt", kClean);
    folder.MakeFolder(u"sub");
    folder.Write(u"sub/g.txt", kGarbled);
    folder.MakeFolder(u"out");
    std::vector<std::string> args;
    for (const std::string& arg : c.args) {
      args.push_back(arg == "out" || arg == "one.txt" ? (folder / T(arg)).native() : arg);
    }
    for (const char* name : c.files) args.push_back((folder / T(name)).native());
    const CliRun run = Cli(args);
    const std::string what = c.args[0] + " " + c.args[1] + " " + c.files[0];
    EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
    EXPECT_EQ(Summary(run.err), c.summary) << what;
    for (const auto& [name, contents] : c.after) EXPECT_EQ(folder.Read(T(name)), contents) << what;
    EXPECT_FALSE(folder.Exists(u"g.txt.bak")) << what;
  }
}

// In place, a file keeps its links, its encoding, and when nothing changes, its very inode.
TEST(CliManyFiles, InPlaceKeepsWhatTheFileIs) {
  TempFolder folder;
  folder.Write(u"g.txt", kGarbled);
  folder.HardLink(u"g.txt", u"other-name.txt");
  folder.Symlink("g.txt", u"link.txt");
  folder.Write(u"gbk.txt", Hex("D6 D0 CE C4"));  // 中文 in GBK: read as GBK, clean
  folder.Write(u"clean.txt", kClean);
  const auto clean_before = folder.IdentityOf(u"clean.txt").inode;
  const CliRun run = Cli({"fix", "--in-place", (folder / u"link.txt").native(),
                          (folder / u"gbk.txt").native(), (folder / u"clean.txt").native()});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_TRUE(folder.IsLink(u"link.txt"));
  EXPECT_EQ(folder.Read(u"other-name.txt"), kRepaired);
  EXPECT_EQ(folder.IdentityOf(u"clean.txt").inode, clean_before);
  EXPECT_EQ(ToHex(*folder.Read(u"gbk.txt")), "D6 D0 CE C4");

  // GBK bytes read as Thai: GBK cannot hold the result, so the file stays as it was.
  const CliRun thai =
      Cli({"apply", "LCID: (2052)--(1054)", "--in-place", "--", (folder / u"gbk.txt").native()});
  EXPECT_EQ(thai.status, kExitFile);
  EXPECT_NE(thai.err.find("GBK cannot hold"), std::string::npos) << thai.err;
  EXPECT_EQ(ToHex(*folder.Read(u"gbk.txt")), "D6 D0 CE C4");
  // Asked for UTF-8, it is written.
  EXPECT_EQ(Cli({"apply", "LCID: (2052)--(1054)", "--in-place", "--out-encoding", "9", "--",
                 (folder / u"gbk.txt").native()})
                .status,
            kExitOk);
  EXPECT_EQ(folder.Read(u"gbk.txt"), "ึะฮฤ");
}

TEST(CliManyFiles, UsageErrors) {
  TempFolder folder;
  folder.Write(u"a.txt", kGarbled);
  const std::string a = (folder / u"a.txt").native();
  const std::vector<std::string> cases[] = {
      {"fix", a},                                     // neither in place nor a folder
      {"fix", "--in-place", "-o", folder.path(), a},  // both
      {"fix", "-o", a, a, a},                         // several files to one file
      {"fix", "--in-place"},                          // no files
      {"apply", "Eng--GB", "--in-place"},             // no files
      {"fix", "--in-place", "-i", a, a},              // -i and files
      {"fix", "--in-place", "--top", "2", a},         // a listing of files
      {"apply", "Eng--GB", "--in-place", "--"},       // no files after "--"
  };
  for (const auto& args : cases) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, kExitUsage) << args[1] << " " << args.back() << " " << run.err;
  }
  EXPECT_EQ(folder.Read(u"a.txt"), kGarbled);
}

}  // namespace
}  // namespace qor
