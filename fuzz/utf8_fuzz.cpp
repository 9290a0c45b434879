// The program's own UTF-8 decoder on any bytes: one unit at most per byte, and what it decodes
// from its own encoder's output is the input again.

#include <cstdlib>

#include "codepage/byte_strings.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const qor::Bytes bytes = input.RestAsBytes();
  const qor::Text text = qor::Utf8BytesToText(bytes);
  if (text.size() > bytes.size()) std::abort();
  qor::Text clean = qor::BytesToChars(bytes);
  for (char16_t& c : clean) c = c < 0x20 ? u'A' : c;  // values below 32 from sequences are clamped
  if (qor::Utf8BytesToText(qor::TextToUtf8Bytes(clean)) != clean) std::abort();
  return 0;
}
