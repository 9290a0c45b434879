#include "session/view_settings.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace qor {
namespace {

TEST(ViewSettings, BooleanTexts) {
  EXPECT_EQ(BoolText(true), u"True");
  EXPECT_EQ(BoolText(false), u"False");
  const std::pair<Text, std::optional<bool>> cases[] = {
      {u"True", true}, {u"False", false}, {u"true", true}, {u"FALSE", false},  {u" True ", true},
      {u"1", true},    {u"0", false},     {u"-2.5", true}, {u"abc", {}},       {u"", {}},
      {u"Truee", {}},  {u"yes", {}},      {u"Tru", {}},    {u"\uFF34rue", {}}, {u"True False", {}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseBoolText(text), expected) << Show(text);
}

TEST(ViewSettings, DecimalTexts) {
  EXPECT_EQ(DecimalText(12), u"12");
  EXPECT_EQ(DecimalText(10.5), u"10.5");
  EXPECT_EQ(DecimalText(9.75), u"9.75");
  const std::pair<Text, std::optional<double>> cases[] = {
      {u"12", 12}, {u"10.5", 10.5}, {u" 11.5\t", 11.5}, {u"+8", 8},     {u"1e1", 10},  {u".5", 0.5},
      {u"-3", -3}, {u"abc", {}},    {u"", {}},          {u"12pt", {}},  {u"10,5", {}}, {u"+-5", {}},
      {u"+", {}},  {u"inf", {}},    {u"nan", {}},       {u"1e999", {}}, {u"１２", {}},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseDecimalText(text), expected) << Show(text);
  }
  for (const double value : {12.0, 10.5, 0.1, 1638.0, 7.25}) {
    EXPECT_EQ(ParseDecimalText(DecimalText(value)), value);
  }
}

TEST(ViewSettings, RoundsHalvesToEven) {
  const std::pair<double, long long> cases[] = {{10.5, 10}, {11.5, 12}, {12, 12},   {12.4, 12},
                                                {12.6, 13}, {0.5, 0},   {1.5, 2},   {2.5, 2},
                                                {9.49, 9},  {-0.5, 0},  {-1.5, -2}, {23.5, 24}};
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(ViewSettings, UsableFontSizes) {
  EXPECT_TRUE(IsUsableFontSize(12));
  EXPECT_TRUE(IsUsableFontSize(1));
  EXPECT_FALSE(IsUsableFontSize(0));
  EXPECT_FALSE(IsUsableFontSize(-12));
  EXPECT_FALSE(IsUsableFontSize(100000));
}

}  // namespace
}  // namespace qor
