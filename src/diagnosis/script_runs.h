#pragma once
// Runs of one script in a normalised text: a line may mix English with Chinese or Russian, and
// each run is best read by the model of its own script group.

#include <cstddef>
#include <string_view>
#include <vector>

namespace qor {

// What a change of script costs a text's log-probability (nats): without it, any text would
// read better cut into many runs.
inline constexpr double kScriptChangeCost = 3.0;

struct ScriptRun {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The runs of a text: a new run starts at a letter of another script than the run's letters.
// Digits, punctuation, symbols and spaces join the run they are in; the runs cover the text.
[[nodiscard]] std::vector<ScriptRun> ScriptRuns(std::u32string_view text);

}  // namespace qor
