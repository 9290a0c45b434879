#pragma once
// How plausible a text is as Chinese, Japanese or Korean with the ASCII and Western text around
// it: a sum of weights, one for each pair of neighbouring character classes, measured on real
// translated messages against the mojibake that wrong repairs make of them.

#include <cstdint>
#include <vector>

#include "diagnosis/char_class.h"
#include "platform/text.h"

namespace qor {

// Higher is more plausible; a sum, so it grows with the length of the text.
[[nodiscard]] double Plausibility(TextView text);

// Adds the text's pairs of neighbouring classes (the edges included) to counts, indexed by
// first class × kClassCount + second class; counts has kClassCount² entries. For training.
void CountClassPairs(TextView text, std::vector<std::uint32_t>& counts);

// The ranking of a chain of n steps adds ChainBias(n, units) to the plausibility of its result
// (n = 0 for the text as it is): a repair has to beat the text by a margin.
[[nodiscard]] double ChainBias(std::size_t steps, std::size_t units);

}  // namespace qor
