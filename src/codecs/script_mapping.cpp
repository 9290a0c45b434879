#include "codecs/script_mapping.h"

#include <optional>

#include "platform/script_convert.h"
#include "platform/width_convert.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Units of the code point at text[i]: 2 for a surrogate pair, else 1.
std::size_t CodePointUnits(TextView text, std::size_t i) {
  return IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1]) ? 2 : 1;
}

// OpenCC's interface is UTF-8 without NUL: lone surrogates and U+0000 cannot pass through it.
bool Passes(TextView text, std::size_t i) {
  const char16_t c = text[i];
  return c != 0 && ((!IsHigh(c) && !IsLow(c)) || CodePointUnits(text, i) == 2);
}

std::optional<Text> Convert(TextView run, bool traditional) {
  const std::optional<std::string> out = ConvertChineseScript(EncodeWtf8(run), traditional);
  if (!out) return std::nullopt;
  return DecodeWtf8(*out);
}

// Takes each converted code point whose UTF-16 length equals the original's. OpenCC keeps the
// number of code points of every entry, so the two walk in step.
bool Align(TextView run, TextView converted, Text& out) {
  Text aligned;
  std::size_t i = 0, j = 0;
  while (i < run.size() && j < converted.size()) {
    const std::size_t n = CodePointUnits(run, i), m = CodePointUnits(converted, j);
    aligned += n == m ? converted.substr(j, m) : run.substr(i, n);
    i += n;
    j += m;
  }
  if (i != run.size() || j != converted.size()) return false;
  out += aligned;
  return true;
}

bool MapRun(TextView run, bool traditional, Text& out) {
  const std::optional<Text> converted = Convert(run, traditional);
  if (!converted) return false;
  if (Align(run, *converted, out)) return true;
  // Counts differ (should not happen): map character by character.
  for (std::size_t i = 0; i < run.size();) {
    const std::size_t n = CodePointUnits(run, i);
    const std::optional<Text> one = Convert(run.substr(i, n), traditional);
    if (!one) return false;
    out += one->size() == n ? *one : Text(run.substr(i, n));
    i += n;
  }
  return true;
}

}  // namespace

Text MapString(TextView text, bool traditional) {
  Text out;
  out.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size();) {
    if (i < text.size() && Passes(text, i)) {
      i += CodePointUnits(text, i);
      continue;
    }
    if (i > start && !MapRun(text.substr(start, i - start), traditional, out)) return {};
    if (i < text.size()) out += text[i];
    start = ++i;
  }
  return out;
}

Text MapWidth(TextView text, bool to_full_width) {
  return ConvertWidth(text, to_full_width).value_or(Text());
}

}  // namespace qor
