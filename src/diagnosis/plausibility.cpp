#include "diagnosis/plausibility.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace qor {

std::optional<Reading> ReadAbove(TextView text, const LanguageModel& model, double floor) {
  return ReadAbove(text, model, floor, FindMojibakeSigns(text));
}

namespace {

std::optional<Reading> ReadWith(TextView text, const LanguageModel& model, double floor,
                                const MojibakeSigns& signs, bool wide) {
  Reading reading;
  reading.signs = signs;
  if (model.GroupCount() == 0) return reading;
  const double cost = reading.signs.Cost();
  const std::optional<Fit> fit = model.BestFit(text, floor + cost, wide ? &reading.wide : nullptr);
  if (!fit) return std::nullopt;
  reading.plausibility = fit->log_prob - cost;
  reading.group = fit->group;
  return reading;
}

}  // namespace

std::optional<Reading> ReadAbove(TextView text, const LanguageModel& model, double floor,
                                 const MojibakeSigns& signs) {
  return ReadWith(text, model, floor, signs, false);
}

Reading Read(TextView text, const LanguageModel& model) {
  return *ReadWith(text, model, -1e300, FindMojibakeSigns(text), true);
}

double Plausibility(TextView text) { return Read(text, LanguageModel::BuiltIn()).plausibility; }

CharacterChange CompareCharacters(TextView text, TextView result) {
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
  // The balance of each character between the two sides, in a table each thread keeps, emptied
  // again as it is summed: linear in the texts, without a map.
  thread_local std::vector<std::int32_t> balance(0x10000, 0);
  for (const char16_t c : a) ++balance[c];
  for (const char16_t c : b) --balance[c];
  CharacterChange change;
  const auto settle = [&](char16_t c) {
    const std::int32_t n = balance[c];
    (n > 0 ? change.dropped : change.added) += static_cast<std::size_t>(std::abs(n));
    change.beyond_ascii |= n != 0 && c >= 0x80;
    balance[c] = 0;
  };
  for (const char16_t c : a) settle(c);
  for (const char16_t c : b) settle(c);
  return change;
}

std::size_t ChangedCharacters(TextView text, TextView result) {
  const CharacterChange change = CompareCharacters(text, result);
  return std::max(change.dropped, change.added);
}

}  // namespace qor
