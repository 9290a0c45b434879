#include "codecs/hex_escapes.h"

#include <algorithm>
#include <optional>

#include "codecs/escaped_bytes.h"
#include "codecs/guard.h"
#include "codecs/hex_digits.h"
#include "codecs/line_breaks.h"
#include "codepage/byte_strings.h"

namespace qor {
namespace {

// Removes every lead followed by a line break, left to right, without looking again at what a
// removal joins.
Text RemoveBreaksAfter(TextView text, TextView lead) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, lead.size()) == lead) {
      if (const std::size_t line_break = LineBreakAt(text, i + lead.size())) {
        i += lead.size() + line_break;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

// Soft line breaks, one kind after the other: "=", "= " and "=" TAB before a line break.
Text RemoveSoftBreaks(TextView text) {
  return RemoveBreaksAfter(RemoveBreaksAfter(RemoveBreaksAfter(text, u"="), u"= "), u"=\t");
}

Text PlusToSpace(TextView text) {
  Text out(text);
  for (char16_t& c : out) {
    if (c == u'+') c = u' ';
  }
  return out;
}

// Converts runs of bytes under a selector. Runs of ASCII bytes alone ("%20", "%2E") are the
// most frequent; every accepted selector reads each ASCII byte on its own, so one conversion of
// the 128 ASCII bytes serves them all.
class RunConverter {
 public:
  explicit RunConverter(LcidSelector selector) : selector_(selector) {}

  bool Append(BytesView run, Text& out) {
    const bool ascii = std::all_of(run.begin(), run.end(),
                                   [](char b) { return static_cast<unsigned char>(b) < 0x80; });
    if (ascii && AsciiTable()) {
      for (const char b : run) out += (*ascii_)[static_cast<unsigned char>(b)];
      return true;
    }
    std::optional<Text> text = EscapedBytesToText(run, selector_);
    if (!text) return false;
    out += *text;
    return true;
  }

 private:
  bool AsciiTable() {
    if (!ascii_) {
      Bytes bytes(128, '\0');
      for (int b = 0; b < 128; ++b) bytes[b] = static_cast<char>(b);
      ascii_ = EscapedBytesToText(bytes, selector_).value_or(Text());
    }
    return ascii_->size() == 128;  // one character per byte, or no table
  }

  LcidSelector selector_;
  std::optional<Text> ascii_;
};

// Replaces each run of escapes by its text. The run's bytes are converted together, so the bytes
// of one multi-byte character must stand in one unbroken run.
std::optional<Text> DecodeRuns(TextView s, LcidSelector selector, char16_t escape) {
  const bool track_lead = selector.value >= 1;
  RunConverter converter(selector);
  Text out;
  out.reserve(s.size());
  Bytes run;
  std::size_t read = 0;    // first unit neither copied nor decoded
  std::size_t search = 0;  // where to look for the next escape
  while (read < s.size()) {
    const std::size_t at = s.find(escape, search);
    if (at == TextView::npos) {
      out.append(s.substr(read));
      break;
    }
    out.append(s.substr(read, at - read));
    read = at;
    run.clear();
    bool lead = false;  // the last byte was an escaped lead byte awaiting its trail
    int high = 0;
    std::size_t cursor = at + 1;
    // cursor - read is 1 or 2 inside an escape's digits and 0 where the next element begins.
    for (; cursor < s.size(); ++cursor) {
      const char16_t c = s[cursor];
      const std::size_t offset = cursor - read;
      if (offset == 1) {
        high = HexDigitValue(c);
        if (high < 0) break;
      } else if (offset == 2) {
        const int low = HexDigitValue(c);
        if (low < 0) break;
        const auto byte = static_cast<unsigned char>(high * 16 + low);
        run += static_cast<char>(byte);
        if (track_lead) lead = IsLeadByte(byte) && !lead;
        read += 3;
      } else if (c != escape) {
        if (!lead || c < 0x21 || c > 0x7E) break;
        run += static_cast<char>(c);
        lead = false;
        read += 1;
      }
    }
    if (!run.empty() && !converter.Append(run, out)) return std::nullopt;
    search = cursor;
  }
  return out;
}

// The quoted-printable token of a byte: printable ASCII but "=" as itself, the rest as "=XX".
void AppendToken(Text& out, unsigned char b) {
  if (b >= 0x20 && b <= 0x7E && b != '=') {
    out += static_cast<char16_t>(b);
  } else {
    out += u'=';
    out += kUpperHexDigits[b >> 4];
    out += kUpperHexDigits[b & 0xF];
  }
}

}  // namespace

Text DecodeHexEscapes(TextView text, LcidSelector selector, int mode) {
  return EmptyOnFailure([&]() -> Text {
    if (text.empty() || !IsEscapedBytesSelector(selector)) return {};
    const bool url = mode == kUrlEncoding;
    const Text prepared = url ? PlusToSpace(text) : RemoveSoftBreaks(text);
    return DecodeRuns(prepared, selector, url ? u'%' : u'=').value_or(Text());
  });
}

Text EncodeQuotedPrintable(TextView text, bool utf8) {
  return EmptyOnFailure([&]() -> Text {
    if (text.empty()) return {};
    const std::optional<Bytes> bytes = GbkOrUtf8Bytes(text, utf8);
    if (!bytes) return {};
    constexpr std::size_t kMaxLine = 75;  // characters before the "=" of a soft break
    Text out;
    out.reserve(bytes->size() * 3 + bytes->size() * 9 / 75 + 3);
    std::size_t line = 0;
    for (const char ch : *bytes) {
      const auto b = static_cast<unsigned char>(ch);
      const std::size_t length = b >= 0x20 && b <= 0x7E && b != '=' ? 1 : 3;
      line += length;
      if (line > kMaxLine) {
        out += u"=\r\n";
        line = length;
      }
      AppendToken(out, b);
    }
    return out;
  });
}

}  // namespace qor
