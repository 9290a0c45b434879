// The JSON Lines of fix --json and list --json.

#include "cli/json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <sstream>
#include <string>

#include "cli/cli_run.h"
#include "diagnosis/diagnose.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

TEST(Json, Strings) {
  const struct {
    Text text;
    const char* json;
  } cases[] = {
      {u"", R"("")"},
      {u"a\"b\\c", R"("a\"b\\c")"},
      {u"\r\n\t\x01\x1F ", R"("\r\n\t\u0001\u001f ")"},
      {u"中文😀", "\"中文😀\""},                   // a pair stays whole
      {u"\xD83D|\xDE00", R"("\ud83d|\ude00")"},  // lone surrogates escaped
      {Text(u"a\0b", 3), R"("a\u0000b")"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeWtf8(JsonString(c.text)), c.json) << c.json;
}

TEST(Json, Numbers) {
  EXPECT_EQ(JsonNumber(0), u"0");
  EXPECT_EQ(JsonNumber(-2.5), u"-2.5");
  EXPECT_EQ(JsonNumber(0.1), u"0.1");
  EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), u"null");
  EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), u"null");
}

TEST(Json, Candidate) {
  Candidate c;
  c.chain = {u"Eng--GB", u"GB--UTF8"};
  c.score = 1.5;
  c.explanation = u"说明";
  c.substituted = 2;
  c.invalid = 1;
  c.result = u"中\n";
  EXPECT_EQ(EncodeWtf8(CandidateJson(c, 7)),
            "{\"line\": 7, \"chain\": [\"Eng--GB\", \"GB--UTF8\"], \"score\": 1.5, "
            "\"explanation\": \"说明\", \"lost\": 3, \"result\": \"中\\n\"}\n");
  EXPECT_EQ(
      EncodeWtf8(CandidateJson(Candidate{}, std::nullopt)),
      "{\"chain\": [], \"score\": 0, \"explanation\": \"\", \"lost\": 0, \"result\": \"\"}\n");
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CliJson, FixPrintsCandidatesAsJsonLines) {
  const struct {
    std::vector<std::string> args;
    std::string in;
    int status;
    std::vector<std::string> starts;  // how each output line starts
  } cases[] = {
      {{"fix", "--json"}, "ÖÐÎÄ", kExitOk, {R"({"chain": ["Eng--GB"], "score": )"}},
      {{"fix", "--json"}, "中文读起来很通顺。", kExitNoResult, {R"({"chain": [], "score": 0,)"}},
      {{"fix", "--json", "--top", "3"},
       "ÖÐÎÄ",
       kExitOk,
       {R"({"chain": ["Eng--GB"], )", R"({"chain": [")", R"({"chain": [")"}},
      {{"fix", "--json", "--lines"},
       "ÖÐÎÄ\r\n\n",
       kExitOk,
       {R"({"line": 1, "chain": ["Eng--GB"], )", R"({"line": 2, "chain": [], )"}},
      {{"fix", "--json", "--lines", "--top", "2"},
       "ÖÐÎÄ\nµÚ¶þÐÐ",
       kExitOk,
       {R"({"line": 1, "chain": ["Eng--GB"], )", R"({"line": 1, )",
        R"({"line": 2, "chain": ["Eng--GB"], )", R"({"line": 2, )"}},
  };
  for (const auto& c : cases) {
    const CliRun run = Cli(c.args, c.in);
    EXPECT_EQ(run.status, c.status) << c.in << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), c.starts.size()) << run.out;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      EXPECT_EQ(lines[k].substr(0, std::string(c.starts[k]).size()), c.starts[k]) << lines[k];
      EXPECT_EQ(lines[k].back(), '}') << lines[k];
    }
  }
  EXPECT_NE(Cli({"fix", "--json"}, "ÖÐÎÄ").out.find(R"("lost": 0, "result": "中文"})"),
            std::string::npos);
}

TEST(CliJson, ListGivesEveryTransform) {
  const std::vector<std::string> plain = Lines(Cli({"list"}).out);
  const std::vector<std::string> json = Lines(Cli({"list", "--json"}).out);
  ASSERT_EQ(json.size(), plain.size());
  EXPECT_TRUE(std::all_of(json.begin(), json.end(), [](const std::string& line) {
    return line.rfind("{\"label\": \"", 0) == 0 && line.find("\"caption\": ") != std::string::npos;
  }));
  EXPECT_NE(Cli({"list", "--json"}).out.find(R"j({"label": "LCID: (A)--(B)", "caption": "", )j"),
            std::string::npos);
  EXPECT_EQ(Cli({"apply", "--json", "Eng--GB"}, "x").status, kExitUsage);
}

}  // namespace
}  // namespace qor
