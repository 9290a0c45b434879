#pragma once
// The one-line Chinese explanation of a candidate: what its text is made of, what was lost.

#include <cstddef>

#include "platform/text.h"

namespace qor {

// E.g. "简体中文：汉字 34 个（常用 97%），英文字母 12 个；无丢失".
[[nodiscard]] Text Explain(TextView text, std::size_t substituted, std::size_t invalid);

}  // namespace qor
