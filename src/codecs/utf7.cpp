#include "codecs/utf7.h"

#include "codecs/base64.h"
#include "codecs/guard.h"
#include "codepage/byte_strings.h"

namespace qor {
namespace {

bool IsRunSymbol(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
         c == u'+' || c == u'/';
}

bool IsDirect(char16_t c) {
  return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c < 0x7F);
}

// A run of units as "+", the Base64 of their big-endian bytes, "-".
void AppendRun(Text& out, TextView units) {
  out += u'+';
  out += EncodeBase64Bytes(SwapBytePairs(TextToUtf16LeBytes(units)));
  out += u'-';
}

}  // namespace

Text DecodeUtf7(TextView text) {
  return EmptyOnFailure([&] {
    Text out;
    out.reserve(text.size());
    std::size_t read = 0;
    while (read < text.size()) {
      const std::size_t plus = text.find(u'+', read);
      if (plus == TextView::npos) {
        out.append(text.substr(read));
        break;
      }
      out.append(text.substr(read, plus - read));
      std::size_t end = plus + 1;
      while (end < text.size() && IsRunSymbol(text[end])) ++end;
      const TextView run = text.substr(plus + 1, end - plus - 1);
      const bool dash = end < text.size() && text[end] == u'-';
      if (run.size() >= 3) {
        out += Utf16LeBytesToText(SwapBytePairs(DecodeBase64Bytes(run, kBase64Standard)));
        if (dash) ++end;
      } else {
        out += u'+';
        out.append(run);
        if (run.empty() && dash) ++end;
      }
      read = end;
    }
    ZerosToSpaces(out);
    return out;
  });
}

Text EncodeUtf7(TextView text) {
  return EmptyOnFailure([&] {
    Text out;
    out.reserve(text.size() * 7 / 2 + 2);
    std::size_t run_start = 0;
    bool in_run = false;
    for (std::size_t k = 0; k < text.size(); ++k) {
      const char16_t c = text[k];
      if (!IsDirect(c)) {
        if (!in_run) run_start = k;
        in_run = true;
        continue;
      }
      if (in_run) AppendRun(out, text.substr(run_start, k - run_start));
      in_run = false;
      out += c;
      if (c == u'+') out += u'-';
    }
    if (in_run) AppendRun(out, text.substr(run_start));
    return out;
  });
}

}  // namespace qor
