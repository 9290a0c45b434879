#pragma once
// Menu captions and the history labels cut from them.

#include "platform/text.h"

namespace qor {

// Delimiters between a caption's label and the rest.
inline constexpr TextView kDescriptionDelimiter = u" ：";
inline constexpr TextView kAccessKeyDelimiter = u" (";
inline constexpr TextView kShortcutDelimiter = u" [";

// The part of the caption before the first occurrence of the delimiter; the whole caption when
// the delimiter does not occur.
[[nodiscard]] inline Text CaptionHead(TextView caption, TextView delimiter) {
  return Text(caption.substr(0, caption.find(delimiter)));
}

}  // namespace qor
