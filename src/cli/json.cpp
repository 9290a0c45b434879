#include "cli/json.h"

#include <charconv>
#include <cmath>

#include "diagnosis/diagnose.h"

namespace qor {
namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendEscape(Text& out, char16_t c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += u"\\u";
  for (int shift = 12; shift >= 0; shift -= 4)
    out += static_cast<char16_t>(kHex[(c >> shift) & 15]);
}

Text Ascii(std::string_view ascii) { return Text(ascii.begin(), ascii.end()); }

}  // namespace

Text JsonString(TextView text) {
  Text out = u"\"";
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char16_t c = text[k];
    if (c == u'"' || c == u'\\') {
      out += u'\\';
      out += c;
    } else if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\r') {
      out += u"\\r";
    } else if (c == u'\t') {
      out += u"\\t";
    } else if (c < 0x20) {
      AppendEscape(out, c);
    } else if (IsHigh(c) && k + 1 < text.size() && IsLow(text[k + 1])) {
      out += c;
      out += text[++k];
    } else if (IsHigh(c) || IsLow(c)) {
      AppendEscape(out, c);
    } else {
      out += c;
    }
  }
  return out + u"\"";
}

Text JsonNumber(double number) {
  if (!std::isfinite(number)) return u"null";
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  return Ascii(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

Text CandidateJson(const Candidate& candidate, std::optional<std::size_t> line) {
  Text out = u"{";
  if (line) out += u"\"line\": " + Ascii(std::to_string(*line)) + u", ";
  out += u"\"chain\": [";
  for (std::size_t k = 0; k < candidate.chain.size(); ++k) {
    out += (k ? u", " : u"") + JsonString(candidate.chain[k]);
  }
  out += u"], \"score\": " + JsonNumber(candidate.score);
  out += u", \"explanation\": " + JsonString(candidate.explanation);
  out += u", \"lost\": " + Ascii(std::to_string(candidate.substituted + candidate.invalid));
  out += u", \"result\": " + JsonString(candidate.result) + u"}\n";
  return out;
}

Text JsonObject(const std::vector<std::pair<TextView, TextView>>& members) {
  Text out = u"{";
  for (const auto& [name, value] : members) {
    out += (out.size() > 1 ? u", " : u"") + JsonString(name) + u": " + JsonString(value);
  }
  return out + u"}\n";
}

}  // namespace qor
