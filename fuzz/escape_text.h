#pragma once
// The text a decoder fuzz target works on: one byte chooses between the rest as UTF-16 units
// (any unit) and the rest as one unit per byte (mostly ASCII, where the escape syntax lives).

#include <algorithm>
#include <cstdlib>

#include "codepage/byte_strings.h"
#include "fuzz_input.h"

namespace qor {

inline Text EscapeText(FuzzInput& input) {
  if (input.Byte() & 1) return input.RestAsText();
  return BytesToChars(input.RestAsBytes());
}

// Decoding never makes a text longer: the window relies on that and makes no length check.
inline void CheckNotLonger(TextView decoded, TextView text) {
  if (decoded.size() > text.size()) std::abort();
}

// Removes the units a round trip's domain leaves out.
template <typename Drop>
Text Without(TextView text, Drop drop) {
  Text out(text);
  out.erase(std::remove_if(out.begin(), out.end(), drop), out.end());
  return out;
}

}  // namespace qor
