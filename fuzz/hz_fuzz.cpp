// HZ decoding of any text, and encoding then decoding.

#include "codecs/hz.h"
#include "escape_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const qor::Text text = qor::EscapeText(input);
  qor::CheckNotLonger(qor::DecodeHz(text), text);
  const qor::Text encoded = qor::EncodeHz(text);
  if (encoded.size() > text.size() * 4 + 2) std::abort();
  (void)qor::DecodeHz(encoded);
  return 0;
}
