#include "diagnosis/search.h"

#include <algorithm>
#include <unordered_set>

#include "diagnosis/plausibility.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

bool IsAscii(char16_t c) { return c < 0x80; }

}  // namespace

std::vector<Step> CatalogueRepairs(const Catalogue& catalogue) {
  std::vector<Step> repairs;
  std::unordered_set<Text> seen;
  for (const Family& family : catalogue.families()) {
    if (!family.repairs) continue;
    for (Step& step : family.repairs()) {
      if (!seen.insert(step.label).second) continue;
      if (step.frame.source == Source::kSelection || !step.function) continue;
      repairs.push_back(std::move(step));
    }
  }
  // Trials name their repairs by 16-bit indices.
  if (repairs.size() >= kNoStep) repairs.resize(kNoStep - 1);
  return repairs;
}

StepOutcome RunRepair(const Step& step, TextView text, Text* failure) {
  StepOutcome outcome = RunStep(step, text);
  if (!outcome.failure.empty() && failure && failure->empty()) {
    *failure = step.label + u"：" + DecodeWtf8(outcome.failure).value_or(u"?");
  }
  return outcome;
}

TextView SampleOf(TextView text, std::size_t units) {
  if (text.size() <= units) return text;
  const auto wide = std::find_if_not(text.begin(), text.end(), IsAscii);
  std::size_t start = 0;
  if (wide != text.end()) {
    const std::size_t at = static_cast<std::size_t>(wide - text.begin());
    const std::size_t line = text.find_last_of(u"\r\n", at);
    start = line == TextView::npos ? 0 : line + 1;
    // A line longer than the sample: start a little before its first wide character.
    if (at - start > units / 2) start = at - units / 4;
  }
  start = std::min(start, text.size() - units);
  const TextView window = text.substr(start, units);
  // End after a line break or a space in the second half: no byte sequence of a code page here
  // runs across either, so the sample's last characters convert as they do in the whole text.
  const std::size_t cut = window.find_last_of(u"\n\r ");
  if (cut != TextView::npos && cut >= units / 2) return window.substr(0, cut + 1);
  return window;
}

std::vector<Trial> Search(TextView sample, const std::vector<Step>& repairs,
                          const SearchLimits& limits, Text* failure) {
  std::vector<Trial> trials;
  std::unordered_set<Text> seen{Text(sample)};
  // The step's outcome on a text; nullopt for no result.
  const auto run = [&](std::size_t step, TextView text) -> std::optional<StepOutcome> {
    StepOutcome outcome = RunRepair(repairs[step], text, failure);
    if (!outcome.HasResult()) return std::nullopt;
    return outcome;
  };
  const auto add = [&](std::uint16_t first, std::uint16_t second, StepOutcome outcome) {
    if (!seen.insert(outcome.result).second) return;
    Trial trial{first, second, std::move(outcome), 0};
    trial.plausibility = Plausibility(trial.outcome.result);
    trials.push_back(std::move(trial));
  };

  for (std::size_t i = 0; i < repairs.size(); ++i) {
    if ((i & 63) == 0 && limits.stop.stop_requested()) return trials;
    if (std::optional<StepOutcome> outcome = run(i, sample)) {
      add(static_cast<std::uint16_t>(i), kNoStep, std::move(*outcome));
    }
  }

  // The lossless results of chainable steps, the most plausible first, are the texts a second
  // step starts from: a step that already lost characters cannot lead to the original, and two
  // layers of mojibake pass through the code pages of the chainable steps.
  std::vector<std::size_t> starts;
  for (std::size_t k = 0; k < trials.size(); ++k) {
    if (trials[k].outcome.Lost() == 0 && repairs[trials[k].first].chainable) {
      starts.push_back(k);
    }
  }
  const auto by_plausibility = [&](std::size_t a, std::size_t b) {
    return trials[a].plausibility > trials[b].plausibility;
  };
  const std::size_t beam = std::min(limits.beam, starts.size());
  std::partial_sort(starts.begin(), starts.begin() + static_cast<std::ptrdiff_t>(beam),
                    starts.end(), by_plausibility);
  starts.resize(beam);
  // Keep the intermediate texts: add() may grow the trials and move them.
  std::vector<std::pair<std::uint16_t, Text>> intermediates;
  for (const std::size_t k : starts) {
    intermediates.emplace_back(trials[k].first, trials[k].outcome.result);
  }
  for (const auto& [first, text] : intermediates) {
    if (limits.stop.stop_requested()) break;
    for (std::size_t j = 0; j < repairs.size(); ++j) {
      if (!repairs[j].chainable) continue;
      std::optional<StepOutcome> outcome = run(j, text);
      if (outcome && outcome->result != text) {
        add(first, static_cast<std::uint16_t>(j), std::move(*outcome));
      }
    }
  }
  return trials;
}

}  // namespace qor
