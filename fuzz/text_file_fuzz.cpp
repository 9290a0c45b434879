// Any file's bytes under any requested encoding: the settled code is 1..9, decoding never fails
// or leaves U+0000, and the text written back under the settled code reads as the same text
// when nothing in it was lost.

#include <cstdlib>

#include "codepage/text_files.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const auto requested = static_cast<qor::EncodingCode>(input.Byte() % 12 - 1);
  const qor::Bytes bytes = input.RestAsBytes();
  const qor::EncodingCode code = qor::SettleEncoding(requested, bytes);
  if (code < 1 || code > 9) std::abort();
  const std::optional<qor::Text> text = qor::DecodeTextFile(bytes, code);
  if (!text || text->find(u'\0') != qor::Text::npos) std::abort();
  // Without U+FFFD (invalid input) the UTF forms round-trip exactly.
  if (code >= 4 && text->find(u'\uFFFD') == qor::Text::npos) {
    const std::optional<qor::Bytes> again = qor::EncodeTextFile(*text, code);
    if (!again || qor::DecodeTextFile(*again, code) != *text) std::abort();
  }
  return 0;
}
