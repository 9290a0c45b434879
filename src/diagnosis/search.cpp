#include "diagnosis/search.h"

#include <algorithm>
#include <unordered_set>

#include "catalogue/parameter_labels.h"
#include "codepage/selector_tables.h"
#include "diagnosis/plausibility.h"
#include "platform/codepage_service.h"
#include "platform/lcid.h"

namespace qor {
namespace {

std::size_t CountReplacements(TextView text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\uFFFD'));
}

bool IsAscii(char16_t c) { return c < 0x80; }

// The code page a side of a named pair stands for; -2 and below for the UTF-16 and the
// program's own Latin-1 and UTF-8 sides.
std::optional<int> CodePageOfSide(TextView name, bool lcid_table) {
  const std::optional<std::int32_t> value =
      FindSelector(lcid_table ? LcidTable() : CodePageTable(), name);
  if (!value) return std::nullopt;
  if (*value < 0) return *value;
  return lcid_table ? AnsiCodePageOfLcid(*value) : std::optional<int>(*value);
}

bool IsCjkMojibakePage(int code_page) {
  for (const int page : {936, 54936, 950, 932, 949, 1252, 1251, 28591, 65001}) {
    if (code_page == page) return true;
  }
  return code_page < 0;
}

// Whether a label names a pair of the LCID table ("A--B") or of the code page table
// ("A -- B") between code pages of CJK mojibake. A code page pair counts only where one of its
// sides has no LCID counterpart (GB18030, ICU's Latin-1 and UTF-8): the others repeat an LCID
// pair.
bool IsCjkPair(TextView label) {
  for (const bool lcid_table : {false, true}) {
    const TextView separator = lcid_table ? kLcidNameSeparator : kCodePageNameSeparator;
    for (std::size_t at = label.find(separator); at != TextView::npos;
         at = label.find(separator, at + 1)) {
      const auto a = CodePageOfSide(label.substr(0, at), lcid_table);
      const auto b = CodePageOfSide(label.substr(at + separator.size()), lcid_table);
      if (!a || !b) continue;
      if (!IsCjkMojibakePage(*a) || !IsCjkMojibakePage(*b)) return false;
      if (lcid_table) return true;
      for (const int page : {*a, *b}) {
        if (page == 54936 || page == 28591 || page == 65001) return true;
      }
      return false;
    }
  }
  return false;
}

}  // namespace

std::vector<Repair> CatalogueRepairs(const Catalogue& catalogue) {
  std::vector<Repair> repairs;
  std::unordered_set<Text> seen;
  for (const Family& family : catalogue.families()) {
    if (!family.repairs) continue;
    for (Text& label : family.repairs()) {
      if (!seen.insert(label).second) continue;
      std::optional<Step> step = catalogue.Find(label);
      if (!step || step->source == Source::kSelection || !step->transform) continue;
      const bool chainable = family.item.has_value() || IsCjkPair(label);
      repairs.push_back({std::move(*step), chainable});
    }
  }
  // Trials name their repairs by 16-bit indices.
  if (repairs.size() >= kNoStep) repairs.resize(kNoStep - 1);
  return repairs;
}

std::optional<Outcome> RunStep(const Step& step, TextView text) {
  Outcome outcome;
  ConversionCounts counts;
  outcome.result = step.counting ? step.counting(text, &counts) : step.transform(text);
  if (outcome.result.empty()) return std::nullopt;
  // Replacement characters that appeared are lost characters, whoever made them.
  const std::size_t before = CountReplacements(text);
  const std::size_t after = CountReplacements(outcome.result);
  outcome.substituted = counts.substituted;
  outcome.invalid = std::max(counts.invalid, after > before ? after - before : 0);
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

std::vector<Trial> Search(TextView sample, const std::vector<Repair>& repairs,
                          const SearchLimits& limits) {
  std::vector<Trial> trials;
  std::unordered_set<Text> seen{Text(sample)};
  const auto add = [&](std::uint16_t first, std::uint16_t second, Outcome outcome) {
    if (!seen.insert(outcome.result).second) return;
    Trial trial{first, second, std::move(outcome), 0};
    trial.plausibility = Plausibility(trial.outcome.result);
    trials.push_back(std::move(trial));
  };

  for (std::size_t i = 0; i < repairs.size(); ++i) {
    if ((i & 63) == 0 && limits.stop.stop_requested()) return trials;
    if (std::optional<Outcome> outcome = RunStep(repairs[i].step, sample)) {
      add(static_cast<std::uint16_t>(i), kNoStep, std::move(*outcome));
    }
  }

  // The lossless results of chainable steps, the most plausible first, are the texts a second
  // step starts from: a step that already lost characters cannot lead to the original, and two
  // layers of mojibake pass through the code pages of the chainable steps.
  std::vector<std::size_t> starts;
  for (std::size_t k = 0; k < trials.size(); ++k) {
    if (trials[k].outcome.Lost() == 0 && repairs[trials[k].first].chainable) starts.push_back(k);
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
      std::optional<Outcome> outcome = RunStep(repairs[j].step, text);
      if (outcome && outcome->result != text) {
        add(first, static_cast<std::uint16_t>(j), std::move(*outcome));
      }
    }
  }
  return trials;
}

}  // namespace qor
