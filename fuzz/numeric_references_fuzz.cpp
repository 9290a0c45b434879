// Numeric references and entities in every mode (and invalid ones) on any text; the encoder's
// output decodes back to its input.

#include "codecs/entity_replace.h"
#include "codecs/numeric_references.h"
#include "escape_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const int mode = static_cast<std::int8_t>(input.Byte()) % 4;
  const qor::Text text = qor::EscapeText(input);
  qor::CheckNotLonger(qor::DecodeNumericReferences(text, mode), text);
  qor::CheckNotLonger(qor::ReplaceEntities(qor::ReplaceTags(text)), text);
  const qor::Text clean =
      qor::Without(text, [](char16_t c) { return c == 0 || c == u'&' || c == u'<'; });
  if (qor::DecodeNumericReferences(qor::EncodeNumericReferences(clean, mode & 1), 0) != clean) {
    std::abort();
  }
  return 0;
}
