#include "codepage/half_character.h"

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"

namespace qor {

Text CutHalfCharacter(TextView text, LcidSelector selector) {
  if (text.empty()) return {};
  Text out;
  if (selector.value >= 0) {
    const std::optional<Bytes> bytes = TextToLocaleBytes(text, selector);
    if (!bytes || bytes->empty()) return {};
    std::optional<Text> rest = LocaleBytesToText(BytesView(*bytes).substr(1), selector);
    if (!rest) return {};
    out = std::move(*rest);
  } else if (selector == kLcidUtf16Le || selector == kLcidUtf16Be) {
    // Both byte orders shift the same way: each new unit is the high byte of one unit and the
    // low byte of the next; the last high byte has no partner and is dropped.
    out = Utf16LeBytesToText(BytesView(TextToUtf16LeBytes(text)).substr(1));
    ZerosToSpaces(out);
  } else {
    return {};
  }
  out.insert(out.begin(), u' ');
  return out;
}

}  // namespace qor
