#include "platform/lcid.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

struct LcidCase {
  std::int32_t lcid;
  std::optional<int> code_page;
  const char* what;
};

TEST(AnsiCodePageOfLcid, NamedLcidsAsTheTableHasThem) {
  const LcidCase cases[] = {
      {2052, 936, "GB"},      {1028, 950, "Big5"},    {1041, 932, "Japanese"},
      {1042, 949, "Korean"},  {1054, 874, "Thai"},    {1066, 1258, "Vietnamese"},
      {1033, 1252, "Eng"},    {1032, 1253, "Greek"},  {1049, 1251, "Russian"},
      {1025, 1256, "Arabic"}, {1037, 1255, "Hebrew"},
  };
  for (const LcidCase& c : cases) EXPECT_EQ(AnsiCodePageOfLcid(c.lcid), c.code_page) << c.what;
}

TEST(AnsiCodePageOfLcid, OtherLocalesByLanguageAndScript) {
  const LcidCase cases[] = {
      {3076, 950, "Chinese (Hong Kong): traditional"},
      {5124, 950, "Chinese (Macao)"},
      {4100, 936, "Chinese (Singapore): simplified"},
      {0x7C04, 950, "Chinese (Traditional), neutral"},
      {1055, 1254, "Turkish"},
      {1068, 1254, "Azerbaijani (Latin)"},
      {2092, 1251, "Azerbaijani (Cyrillic)"},
      {1091, 1254, "Uzbek (Latin)"},
      {2115, 1251, "Uzbek (Cyrillic)"},
      {1045, 1250, "Polish"},
      {1029, 1250, "Czech"},
      {2074, 1250, "Serbian (Latin)"},
      {3098, 1251, "Serbian (Cyrillic)"},
      {1026, 1251, "Bulgarian"},
      {1058, 1251, "Ukrainian"},
      {1087, 1251, "Kazakh"},
      {1061, 1257, "Estonian"},
      {1062, 1257, "Latvian"},
      {1063, 1257, "Lithuanian"},
      {1065, 1256, "Persian"},
      {1056, 1256, "Urdu"},
      {1031, 1252, "German"},
      {1036, 1252, "French"},
      {2057, 1252, "English (United Kingdom)"},
      {1159, 1252, "Kinyarwanda"},
      {127, 1252, "invariant locale"},
      {0x0800, 936, "system default: the program's system code page"},
      {0x0400, 936, "user default"},
  };
  for (const LcidCase& c : cases) EXPECT_EQ(AnsiCodePageOfLcid(c.lcid), c.code_page) << c.what;
}

TEST(AnsiCodePageOfLcid, UnicodeOnlyAndUnknownLocalesFail) {
  const LcidCase cases[] = {
      {1081, std::nullopt, "Hindi"},        {1079, std::nullopt, "Georgian"},
      {1067, std::nullopt, "Armenian"},     {1118, std::nullopt, "Amharic"},
      {0x1234, std::nullopt, "unassigned"}, {12345678, std::nullopt, "too large"},
      {-5, std::nullopt, "negative"},       {INT32_MIN, std::nullopt, "most negative"},
      {INT32_MAX, std::nullopt, "largest"},
  };
  for (const LcidCase& c : cases) EXPECT_EQ(AnsiCodePageOfLcid(c.lcid), c.code_page) << c.what;
}

}  // namespace
}  // namespace qor
