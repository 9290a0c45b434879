#include "diagnosis/plausibility.h"

namespace qor {
namespace {

#include "diagnosis/plausibility_weights.inc"

static_assert(sizeof(kPairWeights) / sizeof(kPairWeights[0]) == kClassCount * kClassCount,
              "the weights belong to another set of classes: train again");

constexpr std::size_t Pair(CharClass a, CharClass b) {
  return static_cast<std::size_t>(a) * kClassCount + static_cast<std::size_t>(b);
}

}  // namespace

double Plausibility(TextView text) {
  double score = 0;
  CharClass previous = CharClass::kEdge;
  ForEachClass(text, [&](CharClass c) {
    score += kPairWeights[Pair(previous, c)];
    previous = c;
  });
  return score + kPairWeights[Pair(previous, CharClass::kEdge)];
}

void CountClassPairs(TextView text, std::vector<std::uint32_t>& counts) {
  CharClass previous = CharClass::kEdge;
  ForEachClass(text, [&](CharClass c) {
    ++counts[Pair(previous, c)];
    previous = c;
  });
  ++counts[Pair(previous, CharClass::kEdge)];
}

double ChainBias(std::size_t steps, std::size_t units) {
  const std::size_t n = steps < 2 ? steps : 2;
  return kChainBias[n] + kChainBiasPerUnit[n] * static_cast<double>(units);
}

}  // namespace qor
