// The public API as a program that links the installed library sees it: UTF-8 in and out.
#include <gtest/gtest.h>

#include <thread>

#include "qor/qor.h"

namespace {

struct FixCase {
  std::string text;
  std::string fixed;
};

TEST(QorApi, FixRepairsGarbledTextAndKeepsCleanText) {
  const FixCase cases[] = {
      {"涔辩爜", "乱码"},                            // UTF-8 read as GBK
      {"ÖÐÎÄ×Ö·û", "中文字符"},                      // GBK read as Windows-1252
      {"%E4%B8%AD%E6%96%87", "中文"},                // URL encoding
      {"乱码是常见的问题。", "乱码是常见的问题。"},  // clean text
      {"plain ASCII", "plain ASCII"},
      {"", ""},
  };
  for (const FixCase& c : cases) EXPECT_EQ(qor::Fix(c.text), c.fixed) << c.text;
}

TEST(QorApi, RejectsInvalidUtf8WithItsOffset) {
  try {
    (void)qor::Fix("ab\xC3(");
    FAIL() << "no exception";
  } catch (const qor::InvalidUtf8& error) {
    EXPECT_EQ(error.offset(), 2u);
  }
  EXPECT_THROW((void)qor::Apply("\xFF", {}), qor::InvalidUtf8);
  // A lone surrogate is no error: it travels as its three-byte form.
  EXPECT_EQ(qor::Apply("a\xED\xA0\x80", {"转全角"}).text, "ａ\xED\xA0\x80");
  EXPECT_THROW((void)qor::Utf8ToCodePage("\xFF", 936), qor::InvalidUtf8);
}

TEST(QorApi, DiagnoseRanksCandidatesThatApplyReplays) {
  const std::vector<qor::RepairCandidate> candidates = qor::Diagnose("涔辩爜", 4);
  ASSERT_EQ(candidates.size(), 4u);
  EXPECT_EQ(candidates[0].result, "乱码");
  EXPECT_GT(candidates[0].score, 0);
  EXPECT_FALSE(candidates[0].explanation.empty());
  for (const qor::RepairCandidate& c : candidates) {
    const qor::Applied replay = qor::Apply("涔辩爜", c.chain);
    EXPECT_EQ(replay.text, c.result);
    EXPECT_EQ(replay.substituted + replay.invalid > 0, c.lost() > 0);
  }
  EXPECT_TRUE(qor::Diagnose("涔辩爜", 0).empty());
  // Clean text reads best as it is: the first candidate has no steps.
  EXPECT_EQ(qor::Diagnose("clean", 5).front().chain.size(), 0u);
}

struct ApplyCase {
  std::vector<std::string> labels;
  std::string text;
  std::string result;
};

TEST(QorApi, ApplyRunsLabelsInOrder) {
  const ApplyCase cases[] = {
      {{"Eng--GB"}, "ÖÐÎÄ", "中文"},
      {{"Eng--UTF8", "Eng--GB"}, "Ã–Ã\u0090ÃŽÃ„", "中文"},
      {{"LCID: (1033)--(2052)"}, "ÖÐÎÄ", "中文"},
      {{"Code Page: (936)--(65001)"}, "涔辩爜", "乱码"},
      {{}, "as it is", "as it is"},
  };
  for (const ApplyCase& c : cases) {
    const qor::Applied applied = qor::Apply(c.text, c.labels);
    EXPECT_TRUE(applied);
    EXPECT_EQ(applied.text, c.result) << c.text;
  }
}

TEST(QorApi, ApplySaysWhichStepGaveNoResult) {
  const qor::Applied applied = qor::Apply("", {"GB--Big5", "Eng--GB"});
  EXPECT_FALSE(applied);
  EXPECT_EQ(applied.stopped_at, "GB--Big5");
  EXPECT_EQ(applied.text, "");
}

TEST(QorApi, ApplyCountsWhatACodePageLacked) {
  const qor::Applied applied = qor::Apply("中文한", {"GB--Eng"});
  ASSERT_TRUE(applied);
  EXPECT_GT(applied.substituted, 0u);
}

TEST(QorApi, AnUnknownLabelNamesTheClosestBeforeAnyStepRuns) {
  try {
    (void)qor::Apply("ÖÐÎÄ", {"Eng--GB", "Eng-GB"});
    FAIL() << "no exception";
  } catch (const qor::UnknownLabel& error) {
    EXPECT_EQ(error.label(), "Eng-GB");
    ASSERT_FALSE(error.closest().empty());
    EXPECT_EQ(error.closest().front(), "Eng--GB");
    EXPECT_NE(std::string(error.what()).find("\"Eng--GB\""), std::string::npos);
  }
}

TEST(QorApi, LabelsAreWhatApplyAccepts) {
  std::vector<std::string> patterns;
  for (const qor::TransformLabel& label : qor::Labels()) {
    EXPECT_FALSE(label.description.empty()) << label.label;
    if (label.pattern) {
      patterns.push_back(label.label);
    } else {
      EXPECT_NO_THROW((void)qor::Apply("x", {label.label})) << label.label;
    }
  }
  EXPECT_EQ(patterns, (std::vector<std::string>{"LCID: (A)--(B)", "Code Page: (A)--(B)", "A--B",
                                                "A -- B", "LCID+半字 (N)", "T--L"}));
  // Menu items that ask for their parameters are no labels, nor suggested as one.
  try {
    (void)qor::Apply("x", {"CP--CP"});
    FAIL() << "no exception";
  } catch (const qor::UnknownLabel& error) {
    ASSERT_FALSE(error.closest().empty());
    for (const std::string& close : error.closest()) EXPECT_NE(close, "CP--CP");
  }
}

TEST(QorApi, ConvertsCodePages) {
  const qor::Converted gbk = qor::Utf8ToCodePage("中文", 936);
  EXPECT_EQ(gbk.data, "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(qor::CodePageToUtf8(gbk.data, 936).data, "中文");

  const qor::Converted lacking = qor::Utf8ToCodePage("a中", 1252);
  EXPECT_EQ(lacking.data, "a?");
  EXPECT_EQ(lacking.substituted, 1u);

  const qor::Converted invalid = qor::CodePageToUtf8("\xD6", 936);
  EXPECT_EQ(invalid.data, "\xEF\xBF\xBD");
  EXPECT_EQ(invalid.invalid, 1u);

  EXPECT_THROW((void)qor::CodePageToUtf8("x", 12345), std::invalid_argument);
  EXPECT_THROW((void)qor::Utf8ToCodePage("x", -7), std::invalid_argument);
}

TEST(QorApi, ThreadsGetWhatOneThreadGets) {
  const std::vector<std::string> texts = {"涔辩爜", "ÖÐÎÄ×Ö·û", "%E4%B8%AD", "clean",
                                          "鏂囧瓧", "Ã©tÃ©",    "乱码",      "=E4=B8=AD"};
  std::vector<std::string> serial;
  for (const std::string& text : texts) serial.push_back(qor::Fix(text));
  std::vector<std::vector<std::string>> parallel(4);
  std::vector<std::thread> threads;
  for (auto& results : parallel) {
    threads.emplace_back([&texts, &results] {
      for (int round = 0; round < 3; ++round) {
        for (const std::string& text : texts) results.push_back(qor::Fix(text));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const auto& results : parallel) {
    for (std::size_t k = 0; k < results.size(); ++k)
      EXPECT_EQ(results[k], serial[k % texts.size()]);
  }
}

}  // namespace
