#include "diagnosis/diagnose.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>

#include "diagnosis/explanation.h"
#include "diagnosis/plausibility.h"
#include "diagnosis/precheck.h"

namespace qor {
namespace {

// How many of the best chains on the sample are run again on the whole of a longer text.
constexpr std::size_t kConfirmed = 12;
// Two candidates closer than this (nats) read almost alike; in a short text the choice between
// them is a guess, and the explanation says so.
constexpr double kClose = 3.0;
constexpr std::size_t kShort = 20;

// Repairs with those of them that mend a cut.
struct RepairSet {
  explicit RepairSet(std::vector<Repair> all)
      : repairs(std::move(all)), cut_menders(CutMenders(repairs)) {}
  std::vector<Repair> repairs;
  std::vector<std::uint16_t> cut_menders;
};

const RepairSet& CatalogueRepairSet() {
  static const RepairSet repairs(CatalogueRepairs(Catalogue::Get()));
  return repairs;
}

// A chain (or the text as it is, without steps) with its outcome and rank.
struct Ranked {
  Chain chain;
  Outcome outcome;
  double rank = 0;  // plausibility less the chain's cost
  // The result's plausibility when the sample was the whole text: read once.
  std::optional<double> plausibility;
  double margin = 0;    // by how much it must beat the text as it is
  bool vetoed = false;  // lost too much: ranked below every chain that did not
  bool improves = false;
};

class Ranking {
 public:
  explicit Ranking(const std::vector<Repair>& repairs) : repairs_(repairs) {}

  // Kept before vetoed, the higher rank first, then the labels.
  bool OnSample(const Ranked& a, const Ranked& b) const {
    if (a.vetoed != b.vetoed) return b.vetoed;
    if (a.rank != b.rank) return a.rank > b.rank;
    return Labels(a) < Labels(b);
  }

  // Repairs that read better than the text and lost little, the text as it is, the rest (those
  // that lost too much last); within each, the higher rank first, then the labels.
  bool Final(const Ranked& a, const Ranked& b) const {
    if (Tier(a) != Tier(b)) return Tier(a) < Tier(b);
    if (a.rank != b.rank) return a.rank > b.rank;
    return Labels(a) < Labels(b);
  }

  std::vector<Text> Labels(const Ranked& r) const {
    std::vector<Text> labels;
    for (std::size_t k = 0; k < r.chain.Size(); ++k) {
      labels.push_back(repairs_[r.chain.steps[k]].step.label);
    }
    return labels;
  }

 private:
  static int Tier(const Ranked& r) {
    if (r.chain.Size() == 0) return 1;
    if (r.vetoed) return 3;
    return r.improves ? 0 : 2;
  }

  const std::vector<Repair>& repairs_;
};

// The best chains on the sample, run on the whole text.
std::vector<Ranked> Confirm(TextView text, TextView sample, std::vector<Trial> trials,
                            const std::vector<Repair>& repairs, const Ranking& ranking,
                            std::size_t wanted, const std::stop_token& stop) {
  std::vector<Ranked> on_sample;
  on_sample.reserve(trials.size());
  // A sample cut from a longer text may lose a character at each cut that the whole text does
  // not: there the rank alone, with what the losses cost it, decides which are confirmed.
  const bool whole = sample.size() == text.size();
  for (Trial& trial : trials) {
    const bool vetoed = whole && LostTooMuch(trial.outcome, sample.size());
    on_sample.push_back({.chain = trial.chain,
                         .outcome = std::move(trial.outcome),
                         .rank = trial.rank,
                         .plausibility = whole ? std::optional(trial.plausibility) : std::nullopt,
                         .vetoed = vetoed});
  }
  const std::size_t kept = std::min(wanted, on_sample.size());
  std::partial_sort(
      on_sample.begin(), on_sample.begin() + static_cast<std::ptrdiff_t>(kept), on_sample.end(),
      [&ranking](const Ranked& a, const Ranked& b) { return ranking.OnSample(a, b); });
  on_sample.resize(kept);
  if (whole) return on_sample;

  std::vector<Ranked> confirmed;
  std::unordered_set<Text> seen{Text(text)};
  for (Ranked& chain : on_sample) {
    if (stop.stop_requested()) break;
    std::optional<Outcome> outcome = RunChain(repairs, chain.chain, text);
    if (!outcome || !seen.insert(outcome->result).second) continue;
    chain.outcome = std::move(*outcome);
    confirmed.push_back(std::move(chain));
  }
  return confirmed;
}

bool IsAscii(TextView text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

// A lost character shown as U+FFFD or as "?" is the same lost character.
bool SameButForLostMarks(TextView text, TextView result) {
  const auto mark = [](char16_t c) { return c == u'\uFFFD' ? u'?' : c; };
  return std::equal(text.begin(), text.end(), result.begin(), result.end(),
                    [&mark](char16_t a, char16_t b) { return mark(a) == mark(b); });
}

// Text in which nothing but lost characters can be read ("�� ?", "文�" is not): no repair
// brings them back.
bool OnlyLostCharacters(TextView text) {
  const bool lost = std::find(text.begin(), text.end(), u'\uFFFD') != text.end();
  return lost && std::all_of(text.begin(), text.end(), [](char16_t c) {
           const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
           return c == u'\uFFFD' || (c < 0x80 && !letter);
         });
}

// Whether a result is a repair of the text at all, however well it reads: none makes up a
// character where the text shows one was lost, and none only turns ASCII into ASCII ("a%20b"
// into "a b", "&lt;" into "<", "=AB" dropped), which is text in its own right, even in a line
// of Chinese.
bool MayRepair(TextView text, TextView result) {
  if (!CompareCharacters(text, result).beyond_ascii) return false;
  return !SameButForLostMarks(text, result) && !OnlyLostCharacters(text) &&
         CountMadeUp(text, result) == 0;
}

double RankOf(TextView text, const Ranked& ranked, const std::vector<Repair>& repairs,
              const LanguageModel& model) {
  const double plausibility =
      ranked.plausibility ? *ranked.plausibility : Read(ranked.outcome.result, model).plausibility;
  return plausibility - ranked.chain.Cost(repairs) - LossCost(ranked.outcome, text);
}

double MarginFor(const RepairMargin& margin, std::size_t changed, const MojibakeSigns& signs) {
  const double full = margin.base + margin.per_change * static_cast<double>(changed);
  return signs.Total() > 0 ? full * margin.with_signs : full;
}

Candidate ToCandidate(Ranked& ranked, const Ranking& ranking, double as_is_rank, std::size_t units,
                      bool first) {
  Candidate candidate;
  candidate.chain = ranking.Labels(ranked);
  candidate.score =
      (ranked.rank - as_is_rank) / static_cast<double>(std::max<std::size_t>(units, 1));
  candidate.substituted = ranked.outcome.substituted;
  candidate.invalid = ranked.outcome.invalid;
  candidate.explanation = Explain(ranked.outcome.result, candidate.substituted, candidate.invalid);
  if (candidate.chain.empty()) {
    candidate.explanation = (first ? u"无需修复：" : u"原文：") + candidate.explanation;
  }
  candidate.result = std::move(ranked.outcome.result);
  return candidate;
}

// Whether the first two candidates of a short text read almost alike. The text as it is must
// be beaten by a repair's margin, so the distance between them is measured from the margin.
bool Close(const std::vector<Ranked>& ranked, std::size_t units) {
  if (ranked.size() < 2 || units >= kShort) return false;
  const Ranked& a = ranked[0];
  const Ranked& b = ranked[1];
  if (a.vetoed != b.vetoed) return false;
  const double margin = a.chain.Size() == 0 ? -b.margin : b.chain.Size() == 0 ? a.margin : 0;
  return std::abs(a.rank - b.rank - margin) < kClose;
}

Diagnosis DiagnoseWith(TextView text, const RepairSet& set, const DiagnosisOptions& options);

}  // namespace

Diagnosis Diagnose(TextView text, const std::vector<Step>& repairs,
                   const DiagnosisOptions& options) {
  return DiagnoseWith(text, RepairSet(RepairsOf(repairs)), options);
}

Diagnosis Diagnose(TextView text, const DiagnosisOptions& options) {
  return DiagnoseWith(text, CatalogueRepairSet(), options);
}

namespace {

Diagnosis DiagnoseWith(TextView text, const RepairSet& set, const DiagnosisOptions& options) {
  const std::vector<Repair>& repairs = set.repairs;
  Diagnosis diagnosis;
  const LanguageModel& model = options.model ? *options.model : LanguageModel::BuiltIn();
  const Ranking ranking(repairs);
  std::vector<Ranked> ranked;
  const Reading as_is_reading = Read(text, model);
  const bool may_need_repair = MayNeedRepair(text, as_is_reading, model);
  // Text that reads clean may still have lost its first character to a cut; ASCII cannot.
  if (may_need_repair || !IsAscii(text)) {
    const TextView sample = SampleOf(text, options.sample_units);
    const std::size_t wanted = std::max(options.max_candidates, kConfirmed);
    SearchLimits limits;
    limits.beam = options.beam;
    const MojibakeSigns& signs = as_is_reading.signs;
    const bool escapes = HasEscapes(text);
    limits.evidence = signs.Total() > 0 || escapes;
    limits.strong_evidence =
        signs.Total() - signs.utf8_controls > signs.utf8_as_single_byte || escapes;
    limits.wanted = std::max<std::size_t>(options.max_candidates, 1);
    limits.whole = sample.size() == text.size();
    limits.reads_clean = !may_need_repair;
    limits.cut_menders = set.cut_menders;
    limits.stop = options.stop;
    limits.model = &model;
    std::vector<Trial> trials = Search(sample, repairs, limits, &diagnosis.failure);
    ranked = Confirm(text, sample, std::move(trials), repairs, ranking, wanted, options.stop);
    diagnosis.stopped = options.stop.stop_requested();
  }

  const double as_is_rank = as_is_reading.plausibility;
  for (Ranked& chain : ranked) {
    chain.outcome.substituted += CountApproximated(repairs, chain.chain, text);
    chain.rank = RankOf(text, chain, repairs, model);
    chain.vetoed = LostTooMuch(chain.outcome, text.size());
    const std::size_t changed = ChangedCharacters(text, chain.outcome.result);
    chain.margin = MarginFor(options.margin, changed, as_is_reading.signs);
    chain.improves =
        chain.rank - as_is_rank > chain.margin && MayRepair(text, chain.outcome.result);
  }
  Ranked as_is;
  as_is.outcome.result = Text(text);
  as_is.rank = as_is_rank;
  ranked.push_back(std::move(as_is));
  std::sort(ranked.begin(), ranked.end(),
            [&ranking](const Ranked& a, const Ranked& b) { return ranking.Final(a, b); });
  diagnosis.close = Close(ranked, text.size());
  ranked.resize(std::min(ranked.size(), std::max<std::size_t>(options.max_candidates, 1)));
  for (std::size_t k = 0; k < ranked.size(); ++k) {
    diagnosis.candidates.push_back(
        ToCandidate(ranked[k], ranking, as_is_rank, text.size(), k == 0));
  }
  if (diagnosis.close) diagnosis.candidates.front().explanation += u"；" + Text(kCloseCall);
  return diagnosis;
}

}  // namespace
}  // namespace qor
