// qor-cli --lines: each line of the input its own text.

#include "cli/lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_run.h"
#include "cli/ordered_jobs.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(CliLines, OneOutputLinePerInputLineInOrder) {
  // A clean line of every kind: CR LF kept, a blank line, an emoji and a BOM byte for byte.
  const std::string clean = "plain text\r\n\n\xEF\xBB\xBF😀 中文读起来很通顺。\n";
  const struct {
    std::vector<std::string> args;
    std::string in, out;
    int status;
    const char* summary;
  } cases[] = {
      {{"fix", "--lines"},
       "ÖÐÎÄ\r\n" + clean + "涔辩爜",
       "中文\r\n" + clean + "乱码",
       kExitOk,
       "2 lines changed, 3 unchanged"},
      {{"fix", "--lines"}, clean, clean, kExitNoResult, "0 lines changed, 3 unchanged"},
      {{"fix", "--lines"}, "", "", kExitNoResult, "0 lines changed, 0 unchanged"},
      // A step without result, and a result that would break the line, leave the line alone.
      {{"apply", "--lines", "URL--UTF8"},
       "%E4%B8%AD\r\nplain\n\na%0Ab\n%E6%96%87",
       "中\r\nplain\n\na%0Ab\n文",
       kExitOk,
       "2 lines changed, 2 unchanged, 1 left alone (first: line 4)"},
      {{"apply", "--lines", "Base64--GB"},
       "1tDOxA==\nnot base64!\n",
       "中文\nnot base64!\n",
       kExitOk,
       "1 line changed, 0 unchanged, 1 left alone (first: line 2)"},
      {{"apply", "--lines", "GB--Big5"},
       "ascii\n",
       "ascii\n",
       kExitNoResult,
       "0 lines changed, 1 unchanged"},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args, c.in);
    EXPECT_EQ(run.status, c.status) << c.in << run.err;
    EXPECT_EQ(run.out, c.out) << c.in;
    EXPECT_NE(run.err.find(std::string("qor-cli: ") + c.summary + "\n"), std::string::npos)
        << run.err;
  }
}

// Where two long outputs first differ, rather than both in full.
std::string FirstDifference(const std::string& a, const std::string& b) {
  const auto [i, j] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (i == a.end() && j == b.end()) return "";
  const std::size_t at = static_cast<std::size_t>(i - a.begin());
  return "at byte " + std::to_string(at) + ": \"" + a.substr(at, 40) + "\" against \"" +
         b.substr(at, 40) + "\"";
}

// Lines run on several threads come out in order, each as it would come alone.
TEST(CliLines, ThreadsKeepTheOrder) {
  const std::string samples[] = {"ÖÐÎÄ", "plain", "涔辩爜", ""};
  const struct {
    std::vector<std::string> args;
    std::size_t lines;
  } runs[] = {{{"fix"}, 40}, {{"apply", "Eng--GB"}, 5000}};
  for (const auto& r : runs) {
    std::string in, expected;
    for (std::size_t k = 0; k < r.lines; ++k) {
      const std::string line = samples[k % std::size(samples)] + " " + std::to_string(k);
      in += line + "\n";
      const CliRun alone = Cli(r.args, line);
      expected += (alone.status == kExitOk ? alone.out : line) + "\n";
    }
    std::vector<std::string> args = r.args;
    args.insert(args.end(), {"--lines", "-j", "3"});
    EXPECT_EQ(FirstDifference(Cli(args, in).out, expected), "") << r.args[0];
  }
}

// -j N: no more than N jobs run at once, however many are in flight, and no more threads than
// jobs; results in order.
TEST(OrderedJobs, RunsAtMostItsThreadsAtOnce) {
  for (const std::size_t threads : {1u, 3u, 100000u}) {
    std::atomic<int> running = 0, most = 0;
    std::vector<int> taken;
    OrderedJobs<int> jobs(
        threads, [&](int& k) { return taken.push_back(k), true; }, 8);
    for (int k = 0; k < 40; ++k) {
      jobs.Add([&, k] {
        const int now = ++running;
        for (int seen = most; now > seen && !most.compare_exchange_weak(seen, now);) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        --running;
        return k;
      });
    }
    ASSERT_TRUE(jobs.Drain());
    EXPECT_LE(most, static_cast<int>(threads));
    EXPECT_TRUE(std::is_sorted(taken.begin(), taken.end()) && taken.size() == 40u);
  }
}

TEST(CliLines, InvalidInputStopsAfterTheLinesBefore) {
  const CliRun run = Cli({"apply", "--lines", "Eng--GB"}, "ÖÐ\nÎÄ\nab\xC3\nÖÐ\n");
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.out, "中\n文\n");
  EXPECT_NE(run.err.find("byte offset 12"), std::string::npos) << run.err;
}

TEST(CliLines, ExplainsEachRepairedLine) {
  const CliRun run = Cli({"fix", "--lines", "--explain"}, "plain\nÖÐÎÄ\n");
  EXPECT_EQ(run.out, "plain\n中文\n");
  EXPECT_NE(run.err.find("line 2: 'Eng--GB'\t"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("line 1:"), std::string::npos) << run.err;
}

TEST(CliLines, FilesInTheirEncoding) {
  TempFolder folder;
  folder.Write(u"in.txt", Hex("D6 D0 0D 0A C4 E3"));  // ÖÐ CR LF Äã in Latin-1
  const CliRun run =
      Cli({"apply", "--lines", "Eng--GB", "-i", (folder / u"in.txt").native(), "--encoding",
           "latin-1", "-o", (folder / u"out.txt").native(), "--out-encoding", "gbk"});
  EXPECT_EQ(run.status, kExitOk) << run.err;
  EXPECT_EQ(ToHex(*folder.Read(u"out.txt")), "D6 D0 0D 0A C4 E3");  // 中 CR LF 你
}

TEST(CliLines, UsageErrors) {
  EXPECT_EQ(Cli({"fix", "--lines", "--top", "2"}, "x").status, kExitUsage);
  EXPECT_EQ(Cli({"list", "--lines"}).status, kExitUsage);
  EXPECT_EQ(Cli({"fix", "--lines", "-j", "0"}, "x").status, kExitUsage);
}

TEST(LineCounts, SummaryNamesTheFirstLineOfEachKind) {
  LineCounts counts;
  const LineVerdict verdicts[] = {LineVerdict::kChanged, LineVerdict::kFailed,
                                  LineVerdict::kNoResult, LineVerdict::kFailed,
                                  LineVerdict::kUnchanged};
  for (std::size_t k = 0; k < std::size(verdicts); ++k) counts.Add(verdicts[k], k + 1);
  EXPECT_EQ(counts.Lines(), 5u);
  EXPECT_EQ(LineSummary(counts),
            "1 line changed, 1 unchanged, 1 left alone (first: line 3), 2 failed (first: line 2)");
}

}  // namespace
}  // namespace qor
