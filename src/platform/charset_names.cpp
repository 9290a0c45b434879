#include "platform/charset_names.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "platform/codepage_catalog.h"

namespace qor {
namespace {

constexpr int kUtf16Le = 1200;
constexpr int kUtf16Be = 1201;

bool Converts(int code_page) {
  return code_page == kUtf16Le || code_page == kUtf16Be || FindCodePage(code_page) != nullptr;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// The number of "cp936", "windows-936", "ms936" (and "windows-1361-2000", ICU's own names).
std::optional<int> WindowsNumber(std::string_view name) {
  const std::string lower = Lower(name);
  for (const std::string_view prefix : {"windows-", "cp", "ms"}) {
    if (lower.rfind(prefix, 0) != 0) continue;
    const std::string digits =
        lower.substr(prefix.size(), lower.find('-', prefix.size()) - prefix.size());
    if (digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    return std::stoi(digits);
  }
  return std::nullopt;
}

// ICU's name of the converter a label names; nullptr for an unknown label.
const char* CanonicalName(const char* label) {
  UErrorCode error = U_ZERO_ERROR;
  const char* name = ucnv_getAlias(label, 0, &error);
  return U_FAILURE(error) ? nullptr : name;
}

// Windows numbers the same tables under two numbers; this program converts one of them.
int SameTable(int code_page) {
  switch (code_page) {
    case 51949:  // EUC-KR
      return 20949;
    case 51932:  // EUC-JP
      return 20932;
    default:
      return code_page;
  }
}

}  // namespace

std::optional<int> CodePageOfCharsetName(std::string_view name) {
  if (const std::optional<int> number = WindowsNumber(name); number && Converts(*number)) {
    return number;
  }
  const std::string label(name);
  const char* canonical = CanonicalName(label.c_str());
  if (!canonical) return std::nullopt;
  if (std::strcmp(canonical, "UTF-16LE") == 0) return kUtf16Le;
  if (std::strcmp(canonical, "UTF-16BE") == 0) return kUtf16Be;
  // The converter this program uses for a code page, under any of its names.
  for (const CodePageConversion* conversion = CodePagesBegin(); conversion != CodePagesEnd();
       ++conversion) {
    const char* own = CanonicalName(conversion->converter);
    if (own && std::strcmp(own, canonical) == 0) return conversion->code_page;
  }
  // Another table of the same code page: its "windows-N" alias, or for EUC-JP its name; GB2312
  // is read as the GBK that holds it, as Windows and the web do.
  UErrorCode error = U_ZERO_ERROR;
  const std::uint16_t aliases = ucnv_countAliases(label.c_str(), &error);
  for (std::uint16_t k = 0; k < aliases && U_SUCCESS(error); ++k) {
    const char* alias = ucnv_getAlias(label.c_str(), k, &error);
    const std::optional<int> number = alias ? WindowsNumber(alias) : std::nullopt;
    if (number && Lower(alias).rfind("windows-", 0) == 0 && Converts(SameTable(*number))) {
      return SameTable(*number);
    }
    if (alias && Lower(alias) == "euc-jp") return 20932;
    if (alias && Lower(alias) == "gb2312") return 936;
  }
  return std::nullopt;
}

}  // namespace qor
