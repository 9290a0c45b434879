#include "diagnosis/language_model.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace qor {
namespace {

// The bounds that turn results away early never turn away one that reads at the floor.
TEST(LanguageModel, AFloorAtATextsOwnReadingKeepsIt) {
  const char* texts[] = {
      "无法打开文件“%s”：权限不够。",
      "ÖÐÎÄ hello",
      "鐢ㄦ硶娑堟伅锛岀劧鍚庨��鍑恒",
      "Ð¡ÐµÑ€Ð²ÐµÑ€ Ð²ÐµÑ€Ð½ÑƒÐ»",
      "匀夀一伀倀匀䤀匀",
      "\x01\x02 \u00ff\u0100 \U0001F600 ☃",
      "Δεν ήταν δυνατό",
      "파일을 열 수 없습니다",
      "x",
  };
  const LanguageModel& model = LanguageModel::BuiltIn();
  ASSERT_GT(model.GroupCount(), 0u);
  for (const char* text : texts) {
    const std::optional<Fit> fit = model.BestFit(T(text));
    ASSERT_TRUE(fit.has_value()) << text;
    const std::optional<Fit> at_floor = model.BestFit(T(text), fit->log_prob - 1e-6);
    ASSERT_TRUE(at_floor.has_value()) << text;
    EXPECT_EQ(at_floor->group, fit->group) << text;
  }
}

}  // namespace
}  // namespace qor
