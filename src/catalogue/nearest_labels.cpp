#include "catalogue/nearest_labels.h"

#include <algorithm>
#include <utility>

namespace qor {
namespace {

// Levenshtein distance over UTF-16 units, one row at a time.
std::size_t Distance(TextView a, TextView b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j < row.size(); ++j) row[j] = j;
  for (const char16_t unit : a) {
    std::size_t before = row[0]++;
    for (std::size_t j = 1; j < row.size(); ++j) {
      const std::size_t replaced = before + (unit == b[j - 1] ? 0 : 1);
      before = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, replaced});
    }
  }
  return row.back();
}

}  // namespace

std::vector<Text> NearestLabels(TextView label, std::vector<Text> known, std::size_t count) {
  std::vector<std::pair<std::size_t, Text>> ranked;
  for (Text& text : known) ranked.emplace_back(Distance(label, text), std::move(text));
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Text> nearest;
  for (std::size_t k = 0; k < std::min(count, ranked.size()); ++k) {
    nearest.push_back(std::move(ranked[k].second));
  }
  return nearest;
}

}  // namespace qor
