// Base64 decoding in both alphabets under the menu's selectors, on any text; bytes decode back
// from their encoding.

#include "codecs/base64.h"
#include "escape_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  constexpr qor::LcidSelector kSelectors[] = {{2052}, {1028}, {-4}, {-1}, {0}};
  const std::uint8_t pick = input.Byte();
  const qor::LcidSelector selector = kSelectors[pick % std::size(kSelectors)];
  const int variant = pick >> 7;
  const qor::Text text = qor::EscapeText(input);
  qor::CheckNotLonger(qor::DecodeBase64Text(text, selector, variant), text);
  const qor::Bytes bytes = qor::CharsToBytes(text);
  if (qor::DecodeBase64Bytes(qor::EncodeBase64Bytes(bytes), qor::kBase64Standard) != bytes) {
    std::abort();
  }
  (void)qor::EncodeBase64Text(text, pick & 1);
  return 0;
}
