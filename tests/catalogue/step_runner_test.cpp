#include "catalogue/step_runner.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/test_support.h"

namespace qor {
namespace {

// A step that counts `substituted` and gives `result`.
Step Gives(Text result, std::size_t substituted = 0) {
  return Step{u"s", [=](TextView, ConversionCounts& counts) {
                counts.substituted += substituted;
                return result;
              }};
}

TEST(RunStep, GivesTheResultAndWhatWasLost) {
  const struct {
    Step step;
    TextView text;
    Text result;
    std::size_t substituted, invalid;
  } cases[] = {
      {Gives(u"ab"), u"x", u"ab", 0, 0},
      {Gives(u"a?", 1), u"x", u"a?", 1, 0},
      // U+FFFD beyond the text's own count as invalid sequences, whoever wrote them.
      {Gives(u"\uFFFD\uFFFDa"), u"\uFFFDx", u"\uFFFD\uFFFDa", 0, 1},
      {Gives(u"a"), u"\uFFFD\uFFFD", u"a", 0, 0},
      // No result: nothing lost either.
      {Gives(u"", 3), u"x", u"", 0, 0},
      {Step{u"none", nullptr}, u"x", u"", 0, 0},
  };
  for (const auto& c : cases) {
    const StepOutcome outcome = RunStep(c.step, c.text);
    EXPECT_EQ(outcome.result, c.result) << Show(c.result);
    EXPECT_EQ(outcome.HasResult(), !c.result.empty());
    EXPECT_EQ(outcome.substituted, c.substituted) << Show(c.result);
    EXPECT_EQ(outcome.invalid, c.invalid) << Show(c.result);
    EXPECT_EQ(outcome.failure, "");
  }
}

TEST(RunStep, AStepThatThrowsGivesNoResultAndSaysWhy) {
  const struct {
    Step step;
    std::string failure;
  } cases[] = {
      {{u"a", [](TextView) -> Text { throw std::bad_alloc(); }}, "std::bad_alloc"},
      {{u"b", [](TextView) -> Text { throw std::runtime_error("U_BUFFER_OVERFLOW"); }},
       "U_BUFFER_OVERFLOW"},
      {{u"c", [](TextView) -> Text { throw std::runtime_error(""); }}, "unknown error"},
      {{u"d", [](TextView) -> Text { throw 7; }}, "unknown error"},
  };
  for (const auto& c : cases) {
    const StepOutcome outcome = RunStep(c.step, u"text");
    EXPECT_FALSE(outcome.HasResult()) << c.failure;
    EXPECT_EQ(outcome.failure, c.failure);
    EXPECT_EQ(outcome.Lost(), 0u);
  }
}

}  // namespace
}  // namespace qor
