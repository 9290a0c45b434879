#pragma once
// Line breaks as the decoders recognise them: CR LF, a lone CR or a lone LF (text from Linux
// files and clipboards has LF only).

#include <cstddef>

#include "platform/text.h"

namespace qor {

// The length of the line break at text[at]: 2 for CR LF, 1 for CR or LF, 0 for none.
[[nodiscard]] inline std::size_t LineBreakAt(TextView text, std::size_t at) {
  if (at >= text.size()) return 0;
  if (text[at] == u'\r') return at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
  return text[at] == u'\n' ? 1 : 0;
}

}  // namespace qor
