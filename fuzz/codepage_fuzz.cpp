// The code page service on any bytes and any text: every code page of the code page dialog (and
// 1254 to 1257) and every LCID of the LCID dialog, both directions. The counts never exceed
// what they count.

#include <algorithm>
#include <cstdlib>

#include "codepage/conversions.h"
#include "codepage/selector_tables.h"
#include "fuzz_input.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const std::uint8_t pick = input.Byte();
  const auto& code_pages = qor::CodePageTable();
  const auto& lcids = qor::LcidTable();
  const std::int32_t extra[] = {1254, 1255, 1256, 1257};
  const std::int32_t code_page =
      pick < 4 ? extra[pick] : code_pages[pick % code_pages.size()].value;
  const std::int32_t lcid = lcids[pick % lcids.size()].value;
  const qor::Bytes bytes = input.RestAsBytes();

  qor::ConversionCounts counts;
  const qor::Text decoded = qor::CodePageToText(bytes, code_page, &counts);
  Check(counts.substituted == 0);
  Check(counts.invalid <=
        static_cast<std::size_t>(std::count(decoded.begin(), decoded.end(), u'\uFFFD')));
  if (lcid >= 0) (void)qor::LocaleBytesToText(bytes, qor::LcidSelector{lcid});

  qor::Text text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  counts = {};
  const qor::Bytes encoded = qor::TextToCodePage(text, code_page, &counts);
  Check(counts.invalid == 0);
  Check(counts.substituted <= text.size());
  Check(text.empty() || code_page < 0 || !encoded.empty());
  if (lcid >= 0) (void)qor::TextToLocaleBytes(text, qor::LcidSelector{lcid});
  (void)qor::ConvertCodePage(decoded, qor::CodePageSelector{code_page},
                             qor::CodePageSelector{code_page});
  return 0;
}
