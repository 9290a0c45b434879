#include "diagnosis/plausibility.h"

#include <algorithm>
#include <unordered_map>

namespace qor {

std::optional<Reading> ReadAbove(TextView text, const LanguageModel& model, double floor) {
  return ReadAbove(text, model, floor, FindMojibakeSigns(text));
}

std::optional<Reading> ReadAbove(TextView text, const LanguageModel& model, double floor,
                                 const MojibakeSigns& signs) {
  Reading reading;
  reading.signs = signs;
  if (model.GroupCount() == 0) return reading;
  const double cost = reading.signs.Cost();
  const std::optional<Fit> fit = model.BestFit(text, floor + cost);
  if (!fit) return std::nullopt;
  reading.plausibility = fit->log_prob - cost;
  reading.group = fit->group;
  return reading;
}

Reading Read(TextView text, const LanguageModel& model) { return *ReadAbove(text, model, -1e300); }

double Plausibility(TextView text) { return Read(text, LanguageModel::BuiltIn()).plausibility; }

std::size_t ChangedCharacters(TextView text, TextView result) {
  // Common prefix and suffix first: most repairs keep the ASCII around what they change.
  std::size_t head = 0;
  while (head < text.size() && head < result.size() && text[head] == result[head]) ++head;
  std::size_t tail = 0;
  while (tail < text.size() - head && tail < result.size() - head &&
         text[text.size() - 1 - tail] == result[result.size() - 1 - tail]) {
    ++tail;
  }
  const TextView a = text.substr(head, text.size() - head - tail);
  const TextView b = result.substr(head, result.size() - head - tail);
  std::unordered_map<char16_t, std::ptrdiff_t> balance;
  for (const char16_t c : a) ++balance[c];
  for (const char16_t c : b) --balance[c];
  std::size_t dropped = 0, added = 0;
  for (const auto& [c, n] : balance)
    (n > 0 ? dropped : added) += static_cast<std::size_t>(std::abs(n));
  return std::max(dropped, added);
}

}  // namespace qor
