#include "platform/user_locale.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/test_support.h"

namespace qor {
namespace {

TEST(FormatGroupedNumber, ThousandsSeparatorOfTheLocale) {
  const struct {
    std::uint64_t value;
    const char* locale;
    const char* text;
  } cases[] = {
      {0, "en_US", "0"},
      {999, "en_US", "999"},
      {1000, "en_US", "1,000"},
      {1234567, "en_US", "1,234,567"},
      {1234567, "de_DE", "1.234.567"},
      {1234567, "fr_FR", "1\u202F234\u202F567"},
      {49149, "zh_CN", "49,149"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Show(FormatGroupedNumber(c.value, c.locale)), Show(T(c.text))) << c.locale;
  }
}

TEST(FormatDateTime, ShortDateAndTimeWithSeconds) {
  EXPECT_EQ(Show(FormatDateTime(1700000000, "zh_CN", "UTC")), "2023/11/14 22:13:20");
  EXPECT_EQ(Show(FormatDateTime(1700000000, "de_DE", "UTC")), "14.11.23, 22:13:20");
  EXPECT_EQ(Show(FormatDateTime(1700000000, "zh_CN", "Asia/Shanghai")), "2023/11/15 06:13:20");
}

// The user's locale comes from the environment, LC_ALL first.
TEST(UserLocale, TakenFromTheEnvironment) {
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  EXPECT_EQ(Show(FormatGroupedNumber(1234)), "1.234");
  ::unsetenv("LC_ALL");
  ::setenv("LC_NUMERIC", "de_DE.UTF-8", 1);
  ::setenv("LC_TIME", "zh_CN.UTF-8", 1);
  EXPECT_EQ(Show(FormatGroupedNumber(1234)), "1.234");
  EXPECT_EQ(Show(FormatDateTime(0, nullptr, "UTC")), "1970/1/1 00:00:00");
  ::setenv("LC_NUMERIC", "C", 1);
  EXPECT_EQ(Show(FormatGroupedNumber(1234)), "1,234");
  ::unsetenv("LC_NUMERIC");
  ::unsetenv("LC_TIME");
}

}  // namespace
}  // namespace qor
