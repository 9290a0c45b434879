#pragma once
// Suggestions for a label that names no transform.

#include <cstddef>
#include <vector>

#include "platform/text.h"

namespace qor {

// The `count` known labels and patterns nearest to `label` by edit distance, the nearest first;
// among equally near ones, the catalogue's order.
[[nodiscard]] std::vector<Text> NearestLabels(TextView label, std::size_t count);

}  // namespace qor
