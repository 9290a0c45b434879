#include "codecs/hz.h"

#include <cstdint>
#include <vector>

#include "codecs/ansi_codes.h"
#include "codecs/guard.h"
#include "codecs/line_breaks.h"

namespace qor {
namespace {

constexpr int kTilde = '~';

// The length of a soft line break at text[at]: "~", at most one space or TAB, a line break.
std::size_t SoftBreakAt(TextView text, std::size_t at) {
  if (text[at] != u'~') return 0;
  std::size_t length = 1;
  if (at + 1 < text.size() && (text[at + 1] == u' ' || text[at + 1] == u'\t')) ++length;
  const std::size_t line_break = LineBreakAt(text, at + length);
  return line_break ? length + line_break : 0;
}

bool EndsGbMode(int code) { return code < 0 || code >= 128 || code == '\r' || code == '\n'; }

}  // namespace

Text DecodeHz(TextView text) {
  return EmptyOnFailure([&] {
    const std::vector<std::uint16_t> codes = AnsiCodes(text);
    Text out;
    out.reserve(text.size());
    // GB pairs are converted together at the end; out holds a placeholder for each.
    std::vector<std::size_t> pair_at;
    std::vector<std::uint16_t> pair_codes;
    bool gb = false;
    int pending = 0;  // ASCII mode: kTilde or 0; GB mode: the first byte of a pair, or 0
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char16_t ch = text[i];
      const int c = static_cast<std::int16_t>(codes[i]);
      // A soft line break is removed wherever its "~" stands, except as the second "~" of "~~".
      if (!(pending == kTilde && !gb)) {
        if (const std::size_t soft = SoftBreakAt(text, i)) {
          i += soft - 1;
          continue;
        }
      }
      if (!gb) {
        if (pending == kTilde) {
          pending = 0;
          if (c == '{') {
            gb = true;
          } else if (c == kTilde) {
            out += u'~';
          } else {
            out += u'~';
            out += ch;
          }
        } else if (c == kTilde) {
          pending = kTilde;
        } else {
          out += ch;
        }
      } else if (EndsGbMode(c)) {
        gb = false;
        pending = 0;
        out += ch;
      } else if (pending == kTilde && c == '}') {
        gb = false;
        pending = 0;
      } else if (pending == 0) {
        pending = c;
      } else {
        pair_at.push_back(out.size());
        pair_codes.push_back(static_cast<std::uint16_t>((pending + 128) << 8 | (c + 128)));
        out += u'\uFFFD';
        pending = 0;
      }
    }
    const Text chars = DoubleByteChars(pair_codes);
    for (std::size_t k = 0; k < pair_at.size(); ++k) out[pair_at[k]] = chars[k];
    return out;
  });
}

Text EncodeHz(TextView text) {
  return EmptyOnFailure([&] {
    const std::vector<std::uint16_t> codes = AnsiCodes(text);
    Text out;
    out.reserve(text.size() * 4 + 2);
    bool gb = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
      const unsigned code = codes[k];
      // Both bytes in the GB2312 range; but 0xFEFD (a user-defined code) would read as "~}".
      if (code >= 0xA100 && (code & 0xFF) >= 0xA1 && code != 0xFEFD) {
        if (!gb) out += u"~{";
        gb = true;
        out += static_cast<char16_t>(code >> 8 & 0x7F);
        out += static_cast<char16_t>(code & 0x7F);
        continue;
      }
      if (gb) out += u"~}";
      gb = false;
      out += text[k];
      if (text[k] == u'~') out += u'~';
    }
    if (gb) out += u"~}";
    return out;
  });
}

}  // namespace qor
