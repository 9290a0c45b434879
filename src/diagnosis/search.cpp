#include "diagnosis/search.h"

#include <algorithm>
#include <unordered_set>

#include "catalogue/parameter_labels.h"
#include "codepage/conversions.h"
#include "codepage/selector_tables.h"
#include "diagnosis/plausibility.h"
#include "platform/codepage_service.h"
#include "platform/lcid.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

// The costs of the kinds of repair (nats): a menu item's, a pair of the code pages that common
// mojibake passes through, another repair without a menu item (an escape format under some
// language), and a pair of code pages that rarely meet.
constexpr double kItemCost = 0;
constexpr double kCommonPairCost = 1;
constexpr double kOtherCost = 3;
constexpr double kExoticPairCost = 9;
constexpr double kFurtherStepCost = 5;

// How far below the best rank so far a result may read and still be scored in full (nats): far
// enough that no result that could still be chosen, or lead to one, is cut short.
constexpr double kWindow = 40;
constexpr double kWindowPerUnit = 1;
// How many results still UTF-8 read one byte a character a second step is tried after beside
// the beam.
constexpr std::size_t kUtf8Starts = 6;

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

bool OneOf(int page, std::initializer_list<int> pages) {
  return std::find(pages.begin(), pages.end(), page) != pages.end();
}

bool IsCjkMojibakePage(int code_page) {
  return code_page < 0 || OneOf(code_page, {936, 54936, 950, 932, 949, 1252, 1251, 28591, 65001});
}

bool IsWesternOrCyrillicMojibakePage(int code_page) {
  return OneOf(code_page,
               {kLcidUtf8, kLcidLatin1, 1252, 28591, 1250, 1251, 1253, 866, 20866, 65001});
}

enum class PairKind { kNone, kCommon, kRepeated, kExotic };

struct Pair {
  PairKind kind = PairKind::kNone;
  Text inverse;  // the label of the pair the other way round
};

// Whether a label names a pair of the LCID table ("A--B") or of the code page table ("A -- B")
// between code pages of common mojibake. A code page pair counts only where one of its sides
// has no LCID counterpart (GB18030, Latin-1, UTF-8, Windows-1250, DOS 866, KOI8-R): the others
// repeat an LCID pair, tried already.
Pair PairOf(TextView label) {
  for (const bool lcid_table : {false, true}) {
    const TextView separator = lcid_table ? kLcidNameSeparator : kCodePageNameSeparator;
    for (std::size_t at = label.find(separator); at != TextView::npos;
         at = label.find(separator, at + 1)) {
      const auto a = CodePageOfSide(label.substr(0, at), lcid_table);
      const auto b = CodePageOfSide(label.substr(at + separator.size()), lcid_table);
      if (!a || !b) continue;
      Pair pair{PairKind::kRepeated,
                JoinLabel(label.substr(at + separator.size()), separator, label.substr(0, at))};
      const bool cjk = IsCjkMojibakePage(*a) && IsCjkMojibakePage(*b);
      const bool western =
          IsWesternOrCyrillicMojibakePage(*a) && IsWesternOrCyrillicMojibakePage(*b);
      const bool own_pair = lcid_table || OneOf(*a, {54936, 28591, 65001, 1250, 866, 20866}) ||
                            OneOf(*b, {54936, 28591, 65001, 1250, 866, 20866});
      if (!cjk && !western) {
        pair.kind = PairKind::kExotic;
      } else if (own_pair) {
        pair.kind = PairKind::kCommon;
      }
      return pair;
    }
  }
  return {};
}

Repair MakeRepair(Step step, bool item, const Catalogue* catalogue) {
  const Pair pair = PairOf(step.label);
  const PairKind kind = pair.kind;
  Repair repair{std::move(step), item || kind == PairKind::kCommon, kOtherCost, std::nullopt};
  if (kind != PairKind::kNone && catalogue) repair.inverse = catalogue->Find(pair.inverse);
  if (item) {
    repair.cost = kItemCost;
  } else if (kind == PairKind::kCommon) {
    repair.cost = kCommonPairCost;
  } else if (kind == PairKind::kRepeated || kind == PairKind::kExotic) {
    repair.cost = kExoticPairCost;
  }
  return repair;
}

}  // namespace

double Chain::Cost(const std::vector<Repair>& repairs) const {
  // Each step after the first: one more garbling had to happen.
  double cost = Size() > 1 ? kFurtherStepCost * static_cast<double>(Size() - 1) : 0;
  for (std::size_t k = 0; k < Size(); ++k) cost += repairs[steps[k]].cost;
  return cost;
}

std::vector<Repair> CatalogueRepairs(const Catalogue& catalogue) {
  std::vector<Repair> repairs;
  std::unordered_set<Text> seen;
  for (const Family& family : catalogue.families()) {
    if (!family.repairs) continue;
    for (Step& step : family.repairs()) {
      if (!seen.insert(step.label).second) continue;
      if (step.frame.source == Source::kSelection || !step.function) continue;
      repairs.push_back(MakeRepair(std::move(step), family.item.has_value(), &catalogue));
    }
  }
  // Chains name their repairs by 16-bit indices.
  if (repairs.size() >= kNoStep) repairs.resize(kNoStep - 1);
  return repairs;
}

std::vector<Repair> RepairsOf(const std::vector<Step>& steps) {
  std::vector<Repair> repairs;
  for (const Step& step : steps) repairs.push_back(MakeRepair(step, step.chainable, nullptr));
  if (repairs.size() >= kNoStep) repairs.resize(kNoStep - 1);
  return repairs;
}

std::optional<Outcome> RunRepair(const Step& step, TextView text, Text* failure) {
  StepOutcome run = RunStep(step, text);
  if (!run.failure.empty() && failure && failure->empty()) {
    *failure = step.label + u"：" + DecodeWtf8(run.failure).value_or(u"?");
  }
  if (!run.HasResult()) return std::nullopt;
  // A U+FFFD of the text is written as "?" and, where it cut a character, read back as one
  // invalid sequence: neither is a new loss.
  const std::size_t before = CountReplacements(text);
  const std::size_t after = CountReplacements(run.result);
  const auto beyond = [before](std::size_t n) { return n > before ? n - before : 0; };
  Outcome outcome{std::move(run.result), beyond(run.substituted),
                  std::max(beyond(run.invalid), after > before ? after - before : 0)};
  if (outcome.substituted == 0) {
    // A step that counted nothing wrote a "?" for each character it could not hold.
    const auto questions = [](TextView t) { return std::count(t.begin(), t.end(), u'?'); };
    const auto more = questions(outcome.result) - questions(text);
    if (more > 0) outcome.substituted = static_cast<std::size_t>(more);
  }
  return outcome;
}

double LossCost(const Outcome& outcome) { return 12.0 * static_cast<double>(outcome.Lost()); }

bool LostTooMuch(const Outcome& outcome, std::size_t units) {
  const std::size_t lost = outcome.Lost();
  return lost > 1 && lost * 100 > units;
}

std::optional<Outcome> RunChain(const std::vector<Repair>& repairs, const Chain& chain,
                                TextView text) {
  Outcome total{Text(text)};
  for (std::size_t k = 0; k < chain.Size(); ++k) {
    std::optional<Outcome> outcome = RunRepair(repairs[chain.steps[k]].step, total.result);
    if (!outcome) return std::nullopt;
    outcome->substituted += total.substituted;
    outcome->invalid += total.invalid;
    total = std::move(*outcome);
  }
  return total;
}

std::size_t CountApproximated(const std::vector<Repair>& repairs, const Chain& chain,
                              TextView text) {
  std::size_t approximated = 0;
  Text current(text);
  for (std::size_t k = 0; k < chain.Size(); ++k) {
    const Repair& repair = repairs[chain.steps[k]];
    std::optional<Outcome> outcome = RunRepair(repair.step, current);
    if (!outcome) break;
    if (repair.inverse) {
      // What was lost, and a U+FFFD of the text (written as "?"), cannot come back either.
      const std::size_t changed =
          ChangedCharacters(current, RunStep(*repair.inverse, outcome->result).result);
      const std::size_t known = outcome->Lost() + CountReplacements(current);
      approximated += changed > known ? changed - known : 0;
    }
    current = std::move(outcome->result);
  }
  return approximated;
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

namespace {

class Searcher {
 public:
  Searcher(TextView sample, const std::vector<Repair>& repairs, const SearchLimits& limits,
           Text* failure)
      : sample_(sample),
        repairs_(repairs),
        limits_(limits),
        failure_(failure),
        model_(limits.model ? *limits.model : LanguageModel::BuiltIn()),
        seen_{Text(sample)} {}

  std::vector<Trial> Run() {
    for (std::size_t i = 0; i < repairs_.size(); ++i) {
      if ((i & 63) == 0 && limits_.stop.stop_requested()) return std::move(trials_);
      Try(Chain().Then(static_cast<std::uint16_t>(i)), sample_, Outcome{});
    }
    for (const auto& [chain, start] : Starts()) {
      if (limits_.stop.stop_requested()) break;
      for (std::size_t j = 0; j < repairs_.size(); ++j) {
        if (repairs_[j].chainable)
          Try(chain.Then(static_cast<std::uint16_t>(j)), start.result, start);
      }
    }
    ThirdSteps();
    return std::move(trials_);
  }

 private:
  // Runs the last step of a chain on the text the steps before it gave, with what they lost.
  void Try(const Chain& chain, TextView text, const Outcome& before) {
    const std::size_t last = chain.Size() - 1;
    std::optional<Outcome> outcome = RunRepair(repairs_[chain.steps[last]].step, text, failure_);
    if (!outcome || outcome->result == text || !seen_.insert(outcome->result).second) return;
    outcome->substituted += before.substituted;
    outcome->invalid += before.invalid;
    // Results far below the best so far can never be chosen: their reading stops early.
    const double cost = chain.Cost(repairs_) + LossCost(*outcome);
    const double floor = best_ - kWindow - kWindowPerUnit * static_cast<double>(sample_.size());
    // A result still UTF-8 read one byte a character is read in full: it may be the way on.
    const bool utf8_left = FindMojibakeSigns(outcome->result).utf8_as_single_byte > 0;
    const std::optional<Reading> reading =
        ReadAbove(outcome->result, model_, utf8_left ? -1e300 : floor + cost);
    if (!reading) return;
    const double rank = reading->plausibility - cost;
    best_ = std::max(best_, rank);
    trials_.push_back({chain, std::move(*outcome), rank, reading->signs.utf8_as_single_byte > 0});
  }

  // The texts a second step starts from: the best ranked results of chainable steps that did
  // not lose too much. Copies: trying more chains may move the trials.
  std::vector<std::pair<Chain, Outcome>> Starts() const {
    std::vector<std::size_t> starts;
    for (std::size_t k = 0; k < trials_.size(); ++k) {
      const Trial& t = trials_[k];
      if (repairs_[t.chain.steps[0]].chainable && !LostTooMuch(t.outcome, sample_.size())) {
        starts.push_back(k);
      }
    }
    const auto by_rank = [this](std::size_t a, std::size_t b) {
      return trials_[a].rank > trials_[b].rank;
    };
    std::stable_sort(starts.begin(), starts.end(), by_rank);
    // The best ranked, and the best of those still UTF-8 read one byte a character.
    std::vector<std::pair<Chain, Outcome>> texts;
    std::size_t utf8_left = 0;
    for (std::size_t k = 0; k < starts.size(); ++k) {
      const Trial& t = trials_[starts[k]];
      const bool extra = t.utf8_left && utf8_left < kUtf8Starts;
      if (k >= limits_.beam && !extra) continue;
      utf8_left += t.utf8_left;
      texts.emplace_back(t.chain, t.outcome);
    }
    return texts;
  }

  // Mojibake made three times the same way: a third step after each chain of one pair twice.
  void ThirdSteps() {
    const std::size_t count = trials_.size();
    for (std::size_t k = 0; k < count && !limits_.stop.stop_requested(); ++k) {
      const Chain chain = trials_[k].chain;
      if (chain.Size() != 2 || chain.steps[0] != chain.steps[1]) continue;
      const Outcome before = trials_[k].outcome;
      Try(chain.Then(chain.steps[0]), before.result, before);
    }
  }

  TextView sample_;
  const std::vector<Repair>& repairs_;
  const SearchLimits& limits_;
  Text* failure_;
  const LanguageModel& model_;
  std::unordered_set<Text> seen_;
  std::vector<Trial> trials_;
  double best_ = -1e300;  // the best rank so far
};

}  // namespace

std::vector<Trial> Search(TextView sample, const std::vector<Repair>& repairs,
                          const SearchLimits& limits, Text* failure) {
  return Searcher(sample, repairs, limits, failure).Run();
}

}  // namespace qor
