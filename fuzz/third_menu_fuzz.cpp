// The half-character cut under fuzzed selectors and the ISO-2022 escape restoring under each
// language, on any text (lone surrogates, U+0000 and ESC included).

#include <cstdlib>

#include "codepage/half_character.h"
#include "codepage/iso2022_escapes.h"
#include "codepage/selector_tables.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const std::uint8_t pick = input.Byte();
  const auto& table = qor::LcidTable();
  const qor::LcidSelector selector{pick < table.size() * 16 ? table[pick % table.size()].value
                                                            : input.Int32()};
  const int index = input.Byte() % 4;
  const qor::Text text = input.RestAsText();
  const qor::Text cut = qor::CutHalfCharacter(text, selector);
  // The cut puts a space in front of whatever it decodes, or gives nothing.
  if (!cut.empty() && cut.front() != u' ') std::abort();
  (void)qor::RestoreIso2022Escapes(text, index);
  return 0;
}
