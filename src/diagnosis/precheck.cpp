#include "diagnosis/precheck.h"

#include <algorithm>

namespace qor {
namespace {

bool IsHex(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// The first hex digit of a byte from 0x80 up.
bool IsHighHex(char16_t c) {
  return (c >= u'8' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool IsBase64(char16_t c) {
  return IsLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'/';
}

// An escape that starts at text[i].
bool EscapeAt(TextView text, std::size_t i) {
  const auto at = [&text](std::size_t k) { return k < text.size() ? text[k] : u'\0'; };
  switch (text[i]) {
    case u'%':
      if (at(i + 1) == u'u' || at(i + 1) == u'U') {
        return IsHex(at(i + 2)) && IsHex(at(i + 3)) && IsHex(at(i + 4)) && IsHex(at(i + 5));
      }
      [[fallthrough]];
    case u'=':
      // A byte beyond ASCII: what decodes to ASCII repairs nothing, and printf's "%02x" and
      // "%08X" look like it.
      return IsHighHex(at(i + 1)) && IsHex(at(i + 2));
    case u'\\':
      return at(i + 1) == u'u' || at(i + 1) == u'U' || at(i + 1) == u'x';
    case u'&': {
      std::size_t k = i + 1;
      if (at(k) == u'#') return true;
      while (IsLetter(at(k))) ++k;
      return k > i + 1 && at(k) == u';';
    }
    case u'+':
      return IsBase64(at(i + 1)) && IsBase64(at(i + 2)) && at(i + 1) != u'+';
    case u'~':
      return at(i + 1) == u'{';
    default:
      return false;
  }
}

// A run of eight or more Base64 characters that mixes digits with both cases of letters (after
// its first), or switches between digits and letters three times ("5Y+W6L+Z"). Words do
// neither: not paths ("/usr/share/doc"), CamelCase ("PostScript") or names ("libstdc++6").
bool Base64WordAt(TextView text, std::size_t i, std::size_t* end) {
  const auto is_digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  std::size_t k = i, switches = 0;
  bool digit = false, upper = false, lower = false;
  for (; k < text.size() && IsBase64(text[k]); ++k) {
    const char16_t c = text[k];
    digit |= is_digit(c);
    if (k > i) {
      (c >= u'a' ? lower : upper) |= IsLetter(c);
      const char16_t before = text[k - 1];
      switches += (is_digit(c) && IsLetter(before)) || (IsLetter(c) && is_digit(before));
    }
  }
  *end = k;
  return k - i >= 8 && ((digit && upper && lower) || switches >= 3);
}

}  // namespace

bool HasEscapes(TextView text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (EscapeAt(text, i)) return true;
    if (IsBase64(text[i]) && (i == 0 || !IsBase64(text[i - 1]))) {
      std::size_t end = i;
      if (Base64WordAt(text, i, &end)) return true;
      i = end - 1;
    }
  }
  return false;
}

std::optional<double> CleanWideLevel(std::string_view group) {
  // Cyrillic read under another Cyrillic code page stays Cyrillic, and Western under Central
  // European keeps most letters: those groups need a text to read nearly as well as clean
  // text does. Mojibake rarely reads as Arabic, Hebrew, Thai or Vietnamese: too few clean
  // texts there to set a level.
  constexpr std::pair<std::string_view, double> kLevels[] = {
      {"zh_hans", -7.5}, {"zh_hant", -7.5}, {"ja", -6.5},   {"ko", -7.0},
      {"grek", -5.5},    {"cyrl", -4.5},    {"west", -9.0}, {"cent", -8.0},
  };
  for (const auto& [name, level] : kLevels) {
    if (name == group) return level;
  }
  return std::nullopt;
}

bool MayNeedRepair(TextView text, const Reading& reading, const LanguageModel& model) {
  if (reading.signs.Total() > 0 || HasEscapes(text)) return true;
  const bool ascii = std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
  if (ascii || reading.plausibility >= kCleanLevel * static_cast<double>(text.size())) {
    return false;
  }
  if (model.GroupCount() == 0) return true;
  const std::optional<double> level = CleanWideLevel(model.GroupName(reading.wide.group));
  if (!level) return true;
  return reading.wide.log_prob < *level * static_cast<double>(reading.wide.count);
}

}  // namespace qor
