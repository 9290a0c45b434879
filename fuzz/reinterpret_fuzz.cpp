// Reinterpret with fuzzed selectors (the named ones, the special ones and any 32-bit value) on
// any text, lone surrogates and U+0000 included.

#include "codepage/reinterpret.h"
#include "codepage/selector_tables.h"
#include "fuzz_input.h"

namespace {

qor::LcidSelector Selector(qor::FuzzInput& input) {
  const std::uint8_t pick = input.Byte();
  const auto& table = qor::LcidTable();
  if (pick < table.size() * 16) return {table[pick % table.size()].value};
  return {input.Int32()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const qor::LcidSelector a = Selector(input);
  const qor::LcidSelector b = Selector(input);
  const qor::Text text = input.RestAsText();
  (void)qor::Reinterpret(text, a, b);
  return 0;
}
