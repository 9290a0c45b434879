#include "diagnosis/model_text.h"

namespace qor {
namespace {

bool IsSpace(char32_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool IsDigit(char32_t c) { return c >= u'0' && c <= u'9'; }

// Latin Extended-A pairs capitals and small letters as even and odd neighbours, except between
// U+0139 and U+0148 and between U+0179 and U+017E, where the capital is odd.
char32_t LowerExtendedA(char32_t c) {
  const bool odd_capitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  if (c == 0x178) return 0xFF;
  return (c % 2 == (odd_capitals ? 1u : 0u)) ? c + 1 : c;
}

}  // namespace

char32_t ModelLower(char32_t c) {
  if (c >= u'A' && c <= u'Z') return c + 0x20;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;
  if (c >= 0x100 && c <= 0x17F) return LowerExtendedA(c);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;
  if (c >= 0x386 && c <= 0x38F) {
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
  }
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

std::u32string ModelText(TextView text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (IsSpace(c)) c = u' ';
    out.push_back(c == kModelEdge ? 1 : IsDigit(c) ? U'0' : ModelLower(c));
  }
  return out;
}

}  // namespace qor
