// URL and quoted-printable decoding under the menu's selectors and any other value, on any
// text; quoted-printable of UTF-8 decodes back.

#include "codecs/hex_escapes.h"
#include "escape_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  constexpr qor::LcidSelector kSelectors[] = {{2052}, {1028}, {-4}, {-1}, {1041},
                                              {1042}, {1033}, {0},  {-2}};
  const std::uint8_t pick = input.Byte();
  const qor::LcidSelector selector =
      pick < 240 ? kSelectors[pick % std::size(kSelectors)] : qor::LcidSelector{input.Int32()};
  const int mode = input.Byte() & 1;
  const qor::Text text = qor::EscapeText(input);
  qor::CheckNotLonger(qor::DecodeHexEscapes(text, selector, mode), text);
  const qor::Text clean = qor::Without(text, [](char16_t c) { return c == 0; });
  const qor::Text encoded = qor::EncodeQuotedPrintable(clean, true);
  if (qor::DecodeHexEscapes(encoded, qor::kLcidUtf8, qor::kQuotedPrintable) != clean) std::abort();
  (void)qor::EncodeQuotedPrintable(text, false);
  return 0;
}
