// UTF-7 decoding of any text; the encoder's output decodes back.

#include "codecs/utf7.h"
#include "escape_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const qor::Text text = qor::EscapeText(input);
  qor::CheckNotLonger(qor::DecodeUtf7(text), text);
  const qor::Text clean = qor::Without(text, [](char16_t c) { return c == 0; });
  if (qor::DecodeUtf7(qor::EncodeUtf7(clean)) != clean) std::abort();
  return 0;
}
