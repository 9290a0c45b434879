#include "platform/lcid.h"

#include <unicode/uloc.h>

#include <string_view>

namespace qor {
namespace {

struct LcidCodePage {
  std::int32_t lcid;
  int code_page;
};

// The LCIDs the program offers by name, and Windows' default locales (user, system, neutral),
// which stand for this program's system code page, GBK.
constexpr LcidCodePage kKnownLcids[] = {
    {2052, 936},  {1028, 950},   {1041, 932},   {1042, 949},  {1054, 874},
    {1066, 1258}, {1033, 1252},  {1032, 1253},  {1049, 1251}, {1025, 1256},
    {1037, 1255}, {0x0400, 936}, {0x0800, 936}, {0, 936},
};

struct LanguageCodePage {
  std::string_view language;
  int code_page;
};

// Languages whose ANSI code page is not the one of their script.
constexpr LanguageCodePage kLanguages[] = {
    {"ja", 932},  {"ko", 949},  {"th", 874},  {"vi", 1258}, {"el", 1253}, {"he", 1255},
    {"ar", 1256}, {"fa", 1256}, {"ur", 1256}, {"tr", 1254}, {"lt", 1257}, {"lv", 1257},
    {"et", 1257}, {"cs", 1250}, {"sk", 1250}, {"pl", 1250}, {"hu", 1250}, {"sl", 1250},
    {"hr", 1250}, {"bs", 1250}, {"sr", 1250}, {"ro", 1250}, {"sq", 1250}, {"tk", 1250},
};

// Latin-script languages whose Latin form uses the Turkish page.
constexpr std::string_view kTurkishLatin[] = {"az", "uz"};

std::optional<int> CodePageOfLocale(std::string_view language, std::string_view script) {
  if (language == "zh") {
    if (script == "Hans") return 936;
    if (script == "Hant") return 950;
    return std::nullopt;
  }
  if (script == "Latn") {
    for (const std::string_view turkish : kTurkishLatin) {
      if (language == turkish) return 1254;
    }
  }
  for (const LanguageCodePage& entry : kLanguages) {
    // The language's page holds for its usual script only (Serbian and Bosnian in Cyrillic
    // take the Cyrillic page).
    if (entry.language == language) return script == "Cyrl" ? 1251 : entry.code_page;
  }
  if (script == "Cyrl") return 1251;
  if (script == "Latn") return 1252;
  return std::nullopt;  // a script without an ANSI code page: Unicode only
}

}  // namespace

std::optional<int> AnsiCodePageOfLcid(std::int32_t lcid) {
  for (const auto& entry : kKnownLcids) {
    if (entry.lcid == lcid) return entry.code_page;
  }
  if (lcid < 0) return std::nullopt;
  char locale[ULOC_FULLNAME_CAPACITY];
  UErrorCode err = U_ZERO_ERROR;
  const int32_t length =
      uloc_getLocaleForLCID(static_cast<uint32_t>(lcid), locale, sizeof locale, &err);
  if (U_FAILURE(err) || err == U_STRING_NOT_TERMINATED_WARNING || length <= 0 ||
      std::string_view(locale) == "root") {
    return std::nullopt;
  }
  char full[ULOC_FULLNAME_CAPACITY];
  uloc_addLikelySubtags(locale, full, sizeof full, &err);
  char language[ULOC_LANG_CAPACITY];
  char script[ULOC_SCRIPT_CAPACITY];
  uloc_getLanguage(full, language, sizeof language, &err);
  uloc_getScript(full, script, sizeof script, &err);
  if (U_FAILURE(err) || err == U_STRING_NOT_TERMINATED_WARNING) return std::nullopt;
  return CodePageOfLocale(language, script);
}

}  // namespace qor
