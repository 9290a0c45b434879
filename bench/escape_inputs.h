#pragma once
// Inputs of the escape codec benchmarks: a full text (16,383 units) made by repeating a sample.

#include "platform/text.h"

namespace qor {

inline constexpr std::size_t kFullText = 16383;

// The sample repeated and cut to the full length.
inline Text FullText(TextView sample) {
  Text text;
  while (text.size() < kFullText) text += sample;
  text.resize(kFullText);
  return text;
}

// Chinese sentences with ASCII words, punctuation and line breaks.
inline constexpr TextView kChineseSample =
    u"乱码修复 QOR repairs garbled text: 中文、English 和数字 12345。\r\n";

}  // namespace qor
