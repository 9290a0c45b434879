#include "diagnosis/diagnose.h"

#include <algorithm>
#include <unordered_set>

#include "diagnosis/explanation.h"
#include "diagnosis/plausibility.h"

namespace qor {
namespace {

// How many of the best chains on the sample are run again on the whole of a longer text.
constexpr std::size_t kConfirmed = 12;

const std::vector<Step>& CatalogueRepairSet() {
  static const std::vector<Step> repairs = CatalogueRepairs(Catalogue::Get());
  return repairs;
}

// Whether what a chain lost vetoes it. A single character, or one in a hundred, is what a text
// cut in the middle of a character loses under its true repair; vetoing that would rank any
// lossless garbage above the repair of a truncated text.
bool Vetoed(const StepOutcome& outcome, std::size_t units) {
  const std::size_t lost = outcome.Lost();
  return lost > 1 && lost * 100 > units;
}

// A chain (or the text as it is, without steps) with its outcome and rank.
struct Ranked {
  std::uint16_t first = kNoStep;
  std::uint16_t second = kNoStep;
  StepOutcome outcome;
  double rank = 0;      // plausibility plus the chain's bias
  bool vetoed = false;  // lost too much: ranked below every chain that did not
  bool improves = false;

  std::size_t Steps() const { return (first != kNoStep) + (second != kNoStep); }
};

class Ranking {
 public:
  explicit Ranking(const std::vector<Step>& repairs) : repairs_(repairs) {}

  // Kept before vetoed, the higher rank first, then the labels.
  bool OnSample(const Ranked& a, const Ranked& b) const {
    if (a.vetoed != b.vetoed) return b.vetoed;
    if (a.rank != b.rank) return a.rank > b.rank;
    return LabelsBefore(a, b);
  }

  // Repairs that read better than the text (vetoed ones last), the text as it is, the rest
  // (vetoed ones last); within each, the higher rank first, then the labels.
  bool Final(const Ranked& a, const Ranked& b) const {
    if (Tier(a) != Tier(b)) return Tier(a) < Tier(b);
    if (a.rank != b.rank) return a.rank > b.rank;
    return LabelsBefore(a, b);
  }

  std::vector<Text> Labels(const Ranked& r) const {
    std::vector<Text> labels;
    for (const std::uint16_t step : {r.first, r.second}) {
      if (step != kNoStep) labels.push_back(repairs_[step].label);
    }
    return labels;
  }

 private:
  static int Tier(const Ranked& r) {
    if (r.Steps() == 0) return 2;
    const int vetoed = r.vetoed ? 1 : 0;
    return r.improves ? vetoed : 3 + vetoed;
  }

  bool LabelsBefore(const Ranked& a, const Ranked& b) const { return Labels(a) < Labels(b); }

  const std::vector<Step>& repairs_;
};

// The chain on a text; no result when a step gives none.
StepOutcome RunChain(const std::vector<Step>& repairs, const Ranked& chain, TextView text,
                     Text& failure) {
  StepOutcome first = RunRepair(repairs[chain.first], text, &failure);
  if (!first.HasResult() || chain.second == kNoStep) return first;
  StepOutcome second = RunRepair(repairs[chain.second], first.result, &failure);
  if (!second.HasResult()) return {};
  second.substituted += first.substituted;
  second.invalid += first.invalid;
  return second;
}

double RankOf(TextView result, std::size_t steps, std::size_t units) {
  return Plausibility(result) + ChainBias(steps, units);
}

// The best chains on the sample, run on the whole text.
std::vector<Ranked> Confirm(TextView text, TextView sample, std::vector<Trial> trials,
                            const std::vector<Step>& repairs, const Ranking& ranking,
                            std::size_t wanted, const std::stop_token& stop, Text& failure) {
  std::vector<Ranked> on_sample;
  on_sample.reserve(trials.size());
  for (Trial& trial : trials) {
    const double rank = trial.plausibility + ChainBias(trial.Steps(), sample.size());
    const bool vetoed = Vetoed(trial.outcome, sample.size());
    on_sample.push_back({trial.first, trial.second, std::move(trial.outcome), rank, vetoed});
  }
  const std::size_t kept = std::min(wanted, on_sample.size());
  std::partial_sort(
      on_sample.begin(), on_sample.begin() + static_cast<std::ptrdiff_t>(kept), on_sample.end(),
      [&ranking](const Ranked& a, const Ranked& b) { return ranking.OnSample(a, b); });
  on_sample.resize(kept);
  if (sample.size() == text.size()) return on_sample;

  std::vector<Ranked> confirmed;
  std::unordered_set<Text> seen{Text(text)};
  for (Ranked& chain : on_sample) {
    if (stop.stop_requested()) break;
    StepOutcome outcome = RunChain(repairs, chain, text, failure);
    if (!outcome.HasResult() || !seen.insert(outcome.result).second) continue;
    chain.outcome = std::move(outcome);
    confirmed.push_back(std::move(chain));
  }
  return confirmed;
}

Candidate ToCandidate(Ranked& ranked, const Ranking& ranking, double as_is_rank, bool first) {
  Candidate candidate;
  candidate.chain = ranking.Labels(ranked);
  candidate.score = ranked.rank - as_is_rank;
  candidate.substituted = ranked.outcome.substituted;
  candidate.invalid = ranked.outcome.invalid;
  candidate.explanation = Explain(ranked.outcome.result, candidate.substituted, candidate.invalid);
  if (candidate.chain.empty()) {
    candidate.explanation = (first ? u"无需修复：" : u"原文：") + candidate.explanation;
  }
  candidate.result = std::move(ranked.outcome.result);
  return candidate;
}

}  // namespace

Diagnosis Diagnose(TextView text, const DiagnosisOptions& options) {
  return Diagnose(text, CatalogueRepairSet(), options);
}

Diagnosis Diagnose(TextView text, const std::vector<Step>& repairs,
                   const DiagnosisOptions& options) {
  Diagnosis diagnosis;
  const Ranking ranking(repairs);
  std::vector<Ranked> ranked;
  if (!text.empty()) {
    const TextView sample = SampleOf(text, options.sample_units);
    std::vector<Trial> trials =
        Search(sample, repairs, {options.beam, options.stop}, &diagnosis.failure);
    const std::size_t wanted = std::max(options.max_candidates, kConfirmed);
    ranked = Confirm(text, sample, std::move(trials), repairs, ranking, wanted, options.stop,
                     diagnosis.failure);
    diagnosis.stopped = options.stop.stop_requested();
  }

  const double as_is_rank = RankOf(text, 0, text.size());
  for (Ranked& chain : ranked) {
    chain.rank = RankOf(chain.outcome.result, chain.Steps(), text.size());
    chain.vetoed = Vetoed(chain.outcome, text.size());
    chain.improves = chain.rank > as_is_rank;
  }
  Ranked as_is;
  as_is.outcome.result = Text(text);
  as_is.rank = as_is_rank;
  ranked.push_back(std::move(as_is));
  std::sort(ranked.begin(), ranked.end(),
            [&ranking](const Ranked& a, const Ranked& b) { return ranking.Final(a, b); });
  ranked.resize(std::min(ranked.size(), std::max<std::size_t>(options.max_candidates, 1)));
  for (std::size_t k = 0; k < ranked.size(); ++k) {
    diagnosis.candidates.push_back(ToCandidate(ranked[k], ranking, as_is_rank, k == 0));
  }
  return diagnosis;
}

}  // namespace qor
