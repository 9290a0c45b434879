#include "session/view_settings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace qor {
namespace {

// The largest font the text control is given; larger sizes are refused like unknown ones.
constexpr double kLargestFontSize = 1638;

TextView Trimmed(TextView text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// ASCII text as a narrow string; nullopt when it holds anything else.
std::optional<std::string> Ascii(TextView text) {
  std::string out;
  for (const char16_t c : text) {
    if (c > 0x7F) return std::nullopt;
    out += static_cast<char>(c);
  }
  return out;
}

bool EqualsIgnoringAsciiCase(const std::string& text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c =
        text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != lower[i]) return false;
  }
  return true;
}

}  // namespace

Text BoolText(bool value) { return value ? u"True" : u"False"; }

std::optional<bool> ParseBoolText(TextView text) {
  const std::optional<std::string> word = Ascii(Trimmed(text));
  if (!word) return std::nullopt;
  if (EqualsIgnoringAsciiCase(*word, "true")) return true;
  if (EqualsIgnoringAsciiCase(*word, "false")) return false;
  if (const std::optional<double> number = ParseDecimalText(text)) return *number != 0;
  return std::nullopt;
}

Text DecimalText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string digits(buffer);
  // snprintf follows the C locale's point, which a desktop program may have changed.
  for (char& c : digits) {
    if (c == ',') c = '.';
  }
  return Text(digits.begin(), digits.end());
}

std::optional<double> ParseDecimalText(TextView text) {
  std::optional<std::string> digits = Ascii(Trimmed(text));
  if (!digits || digits->empty()) return std::nullopt;
  std::string_view rest(*digits);
  if (rest.front() == '+') {
    rest.remove_prefix(1);
    if (rest.empty() || rest.front() == '-') return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  if (error != std::errc() || end != rest.data() + rest.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

long long RoundHalfEven(double value) {
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2) != 0)) whole += 1;
  return static_cast<long long>(whole);
}

bool IsUsableFontSize(double points) { return points >= 1 && points <= kLargestFontSize; }

}  // namespace qor
