#pragma once
// How plausible a text reads: its log-probability under the character language model of the
// script group that fits it best, less the cost of the signs of mojibake it bears. A total in
// nats, so comparing two texts of different lengths is fair only against a common length (the
// input's): a shorter text is not more plausible for being shorter.

#include <cstddef>
#include <optional>

#include "diagnosis/language_model.h"
#include "diagnosis/mojibake_signs.h"
#include "platform/text.h"

namespace qor {

struct Reading {
  double plausibility = 0;  // log-probability less the signs' cost, nats
  std::size_t group = 0;    // the best-fitting group of the model
  MojibakeSigns signs;
  LanguageModel::WideFit wide;  // how its characters beyond ASCII read; filled by Read alone
};

[[nodiscard]] Reading Read(TextView text, const LanguageModel& model);
// The same, or nullopt as soon as the plausibility is sure to be below `floor`.
[[nodiscard]] std::optional<Reading> ReadAbove(TextView text, const LanguageModel& model,
                                               double floor);
// The same for a text whose signs are known already.
[[nodiscard]] std::optional<Reading> ReadAbove(TextView text, const LanguageModel& model,
                                               double floor, const MojibakeSigns& signs);
// Read(text, the built-in model).plausibility.
[[nodiscard]] double Plausibility(TextView text);

// The characters of a text a repair dropped and those it brought in, as multisets (a repair
// that only moved characters changed none).
struct CharacterChange {
  std::size_t dropped = 0;
  std::size_t added = 0;
  bool beyond_ascii = false;  // some of them are
};
[[nodiscard]] CharacterChange CompareCharacters(TextView text, TextView result);

// How many characters a repair changed: those it dropped or those it brought in, whichever are
// more.
[[nodiscard]] std::size_t ChangedCharacters(TextView text, TextView result);

}  // namespace qor
