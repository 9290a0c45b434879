#pragma once
// Suggestions for a label that names no transform.

#include <cstddef>
#include <vector>

#include "platform/text.h"

namespace qor {

// The `count` labels of `known` nearest to `label` by edit distance, the nearest first; among
// equally near ones, the earlier in `known`.
[[nodiscard]] std::vector<Text> NearestLabels(TextView label, std::vector<Text> known,
                                              std::size_t count);

}  // namespace qor
