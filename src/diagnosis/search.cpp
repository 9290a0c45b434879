#include "diagnosis/search.h"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_set>

#include "catalogue/parameter_labels.h"
#include "codepage/conversions.h"
#include "codepage/selector_tables.h"
#include "diagnosis/plausibility.h"
#include "diagnosis/precheck.h"
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
// How far below the text as it is a result may read (nats, and nats a unit) and still be read in
// full or lead on: the first step of a chain that undoes two layers reads about as well as the
// text it undoes or better, unless what it gives is still UTF-8 read one byte a character.
constexpr double kSlack = 12.0;
constexpr double kSlackPerUnit = 0.25;
constexpr int kUtf8CodePage = 65001;

std::size_t CountReplacements(TextView text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\uFFFD'));
}

// The marks of lost characters a text shows: U+FFFD and "?".
struct LostMarks {
  std::size_t replacements = 0;
  std::size_t questions = 0;
};

LostMarks CountLostMarks(TextView text) {
  LostMarks marks;
  for (const char16_t c : text) {
    marks.replacements += c == u'\uFFFD';
    marks.questions += c == u'?';
  }
  return marks;
}

std::size_t Beyond(std::size_t n, std::size_t known) { return n > known ? n - known : 0; }

std::size_t CountMadeUp(const LostMarks& text, const LostMarks& result) {
  return Beyond(text.replacements, result.replacements + Beyond(result.questions, text.questions));
}

}  // namespace

std::size_t CountMadeUp(TextView text, TextView result) {
  return CountMadeUp(CountLostMarks(text), CountLostMarks(result));
}

namespace {

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
  return OneOf(code_page, {kLcidUtf8.value, kLcidLatin1.value, 1252, 28591, 1250, 1251, 1253, 866,
                           20866, 65001});
}

enum class PairKind { kNone, kCommon, kRepeated, kExotic };

struct Pair {
  PairKind kind = PairKind::kNone;
  Text inverse;             // the label of the pair the other way round
  bool lcid_table = false;  // a pair of LCIDs, written through the locale conversion
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
                JoinLabel(label.substr(at + separator.size()), separator, label.substr(0, at)),
                lcid_table};
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

// The writers of the pairs by the code page they write under and the table they name it from.
using Writers = std::map<std::pair<int, bool>, std::uint16_t>;

Repair MakeRepair(Step step, bool item, const Catalogue* catalogue, Writers* writers = nullptr) {
  const Pair pair = PairOf(step.label);
  const PairKind kind = pair.kind;
  Repair repair;
  repair.step = std::move(step);
  repair.chainable = item || kind == PairKind::kCommon;
  repair.mends_cut = repair.step.frame.source == Source::kCaretToEnd;
  repair.cost = kOtherCost;
  if (kind != PairKind::kNone && catalogue) repair.inverse = catalogue->Find(pair.inverse);
  if (kind != PairKind::kNone && writers && repair.step.code_pages.size() == 2) {
    const auto key = std::make_pair(repair.step.code_pages[0], pair.lcid_table);
    repair.writer =
        writers->try_emplace(key, static_cast<std::uint16_t>(writers->size())).first->second;
  }
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
  Writers writers;
  for (const Family& family : catalogue.families()) {
    if (!family.repairs) continue;
    for (Step& step : family.repairs()) {
      if (!seen.insert(step.label).second) continue;
      if (step.frame.source == Source::kSelection || !step.function) continue;
      repairs.push_back(MakeRepair(std::move(step), family.item.has_value(), &catalogue, &writers));
      repairs.back().without_evidence = repairs.back().chainable;
    }
  }
  // Chains name their repairs by 16-bit indices.
  if (repairs.size() >= kNoStep) repairs.resize(kNoStep - 1);
  // Which pairs that chain give ASCII back as it is: conversions of one byte a character
  // there, so what they do to every ASCII character, they do to any text of them.
  Text ascii;
  for (char16_t c = 1; c < 0x80; ++c) ascii.push_back(c);
  for (Repair& repair : repairs) {
    repair.keeps_ascii = repair.chainable && !repair.step.code_pages.empty() &&
                         RunStep(repair.step, ascii).result == ascii;
    repair.drops_replacement =
        repair.writer != kNoWriter && RunStep(repair.step, u"\uFFFD").substituted > 0;
  }
  return repairs;
}

std::vector<std::uint16_t> CutMenders(const std::vector<Repair>& repairs) {
  std::vector<std::uint16_t> menders;
  for (std::size_t i = 0; i < repairs.size(); ++i) {
    if (repairs[i].mends_cut) menders.push_back(static_cast<std::uint16_t>(i));
  }
  return menders;
}

std::vector<Repair> RepairsOf(const std::vector<Step>& steps) {
  std::vector<Repair> repairs;
  for (const Step& step : steps) repairs.push_back(MakeRepair(step, step.chainable, nullptr));
  if (repairs.size() >= kNoStep) repairs.resize(kNoStep - 1);
  return repairs;
}

namespace {

// RunRepair, and how many characters the step itself said it could not write (0 when it said
// nothing and its loss was told from its "?").
std::optional<Outcome> RunCounted(const Step& step, TextView text, Text* failure,
                                  std::size_t* unwritten) {
  StepOutcome run = RunStep(step, text);
  if (!run.failure.empty() && failure && failure->empty()) {
    *failure = step.label + u"：" + DecodeWtf8(run.failure).value_or(u"?");
  }
  if (!run.HasResult()) return std::nullopt;
  // A U+FFFD of the text is written as "?" and, where it cut a character, read back as one
  // invalid sequence: the character was lost before, and counts as lost once, as the "?" it
  // became. One that stays U+FFFD is no new loss. One that the step turned into something else
  // (Latin1 keeps its low byte; UTF-16 writes it as two bytes that another code page reads as
  // letters) made up a character where one was lost: a loss too.
  const LostMarks text_marks = CountLostMarks(text);
  const LostMarks result_marks = CountLostMarks(run.result);
  const std::size_t before = text_marks.replacements;
  const std::size_t new_questions = Beyond(result_marks.questions, text_marks.questions);
  // A "?" for each character the step could not hold, whether it counted them or not.
  Outcome outcome{std::move(run.result),
                  std::max({new_questions, Beyond(run.substituted, before),
                            CountMadeUp(text_marks, result_marks)}),
                  std::max(Beyond(run.invalid, before), Beyond(result_marks.replacements, before))};
  // What the writing alone lost, whatever reads it back.
  if (unwritten) *unwritten = Beyond(run.substituted, before);
  return outcome;
}

}  // namespace

std::optional<Outcome> RunRepair(const Step& step, TextView text, Text* failure) {
  return RunCounted(step, text, failure, nullptr);
}

double LossCost(const Outcome& outcome, TextView original) {
  constexpr double kLostCost = 12;
  // A U+FFFD reads as a character no text holds and counts as a sign of mojibake; shown as
  // anything else, it counts as a lost character instead.
  MojibakeSigns replacement;
  replacement.replacement = 1;
  const double hidden_cost = -BackgroundLogProb(0xFFFD) + replacement.Cost() - kLostCost;
  const std::size_t before = CountReplacements(original);
  const std::size_t after = CountReplacements(outcome.result);
  const std::size_t hidden = before > after ? before - after : 0;
  return kLostCost * static_cast<double>(outcome.Lost()) +
         hidden_cost * static_cast<double>(hidden);
}

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
        seen_{Text(sample)} {
    as_is_floor_ = Read(sample_, model_).plausibility - kSlack -
                   kSlackPerUnit * static_cast<double>(sample_.size());
  }

  std::vector<Trial> Run() {
    NewText(sample_);
    if (limits_.reads_clean) {
      for (const std::uint16_t i : limits_.cut_menders) Try(Chain().Then(i), sample_, Outcome{});
    }
    for (std::size_t i = 0; i < repairs_.size() && !limits_.reads_clean; ++i) {
      if ((i & 63) == 0 && limits_.stop.stop_requested()) return std::move(trials_);
      // Exotic first steps only where the text bears strong evidence of mojibake.
      if (!limits_.strong_evidence && !repairs_[i].without_evidence) continue;
      Try(Chain().Then(static_cast<std::uint16_t>(i)), sample_, Outcome{});
    }
    // A step that gave text reading clean, without loss, undid the garbling: a chain starting
    // there would repair clean text, and one starting elsewhere would have to read better still.
    if (limits_.reads_clean || GaveCleanText()) {
      ReadTheLossy();
      return std::move(trials_);
    }
    for (const Start& start : Starts()) {
      if (limits_.stop.stop_requested()) break;
      NewText(start.outcome.result);
      for (std::size_t j = 0; j < repairs_.size(); ++j) {
        if (!repairs_[j].chainable || (start.utf8_only && !ReadsUtf8(repairs_[j]))) continue;
        Try(start.chain.Then(static_cast<std::uint16_t>(j)), start.outcome.result, start.outcome);
      }
    }
    ThirdSteps();
    ReadTheLossy();
    return std::move(trials_);
  }

 private:
  static constexpr double kUnread = -std::numeric_limits<double>::infinity();

  // The pairs are about to be tried on another text: no writer has failed on it yet.
  void NewText(TextView text) {
    std::fill(unwritable_.begin(), unwritable_.end(), false);
    ascii_ = std::all_of(text.begin(), text.end(), [](char16_t c) { return c > 0 && c < 0x80; });
    replacements_ = CountReplacements(text);
  }

  // Whether a chain would only give a result that lost too much, where such results are not
  // listed: its last step writes each U+FFFD of the text as "?", and they are too many.
  bool OnlyLossy(const Repair& repair, const Outcome& before) const {
    return limits_.whole && limits_.wanted <= 1 && repair.drops_replacement &&
           LostTooMuch({{}, before.substituted + replacements_, before.invalid}, sample_.size());
  }

  // Runs the last step of a chain on the text the steps before it gave, with what they lost.
  void Try(const Chain& chain, TextView text, const Outcome& before) {
    const Repair& repair = repairs_[chain.steps[chain.Size() - 1]];
    const bool writes = repair.writer != kNoWriter;
    if (writes && repair.writer >= unwritable_.size()) unwritable_.resize(repair.writer + 1u);
    if ((writes && unwritable_[repair.writer]) || (ascii_ && repair.keeps_ascii) ||
        OnlyLossy(repair, before)) {
      return;
    }
    std::size_t unwritten = 0;
    std::optional<Outcome> outcome = RunCounted(repair.step, text, failure_, &unwritten);
    if (writes &&
        LostTooMuch({{}, before.substituted + unwritten, before.invalid}, sample_.size())) {
      unwritable_[repair.writer] = true;
    }
    if (!outcome || outcome->result == text || seen_.contains(outcome->result)) return;
    outcome->substituted += before.substituted;
    outcome->invalid += before.invalid;
    // A result that lost too much is ranked below the others, and read only if they are few;
    // a later chain that gives it and loses less takes its place.
    if (LostTooMuch(*outcome, sample_.size())) {
      if (lossy_seen_.insert(outcome->result).second) {
        trials_.push_back({chain, std::move(*outcome), kUnread, false});
      }
      return;
    }
    seen_.insert(outcome->result);
    // Results far below the best so far can never be chosen: their reading stops early.
    const double cost = chain.Cost(repairs_) + LossCost(*outcome, sample_);
    const MojibakeSigns signs = FindMojibakeSigns(outcome->result);
    // A result still UTF-8 read one byte a character is read in full: it may be the way on.
    // Without evidence, only one that is mostly so, and not because its own step wrote UTF-8.
    const bool way_on =
        signs.utf8_as_single_byte > 0 &&
        (limits_.evidence || (!WritesUtf8(repair) && MostlyUtf8(outcome->result, signs)));
    const std::optional<Reading> reading =
        ReadAbove(outcome->result, model_, way_on ? -1e300 : Floor() + cost, signs);
    if (!reading) return;
    const double rank = reading->plausibility - cost;
    best_ = std::max(best_, rank);
    trials_.push_back({chain, std::move(*outcome), rank, way_on, reading->plausibility});
  }

  // Whether the best ranked result so far reads as clean text beyond ASCII and lost nothing
  // but what the text had lost already (its U+FFFD, which no chain brings back). ASCII may be a
  // way on: the text of an escape format, say.
  bool GaveCleanText() const {
    const auto best =
        std::max_element(trials_.begin(), trials_.end(),
                         [](const Trial& a, const Trial& b) { return a.rank < b.rank; });
    if (best == trials_.end() || best->rank == kUnread ||
        best->outcome.Lost() > CountReplacements(sample_)) {
      return false;
    }
    const TextView result = best->outcome.result;
    if (std::all_of(result.begin(), result.end(), IsAscii)) return false;
    return !MayNeedRepair(result, Read(result, model_), model_);
  }

  // Whether most characters beyond ASCII of a text are UTF-8 read one byte a character, rather
  // than a few that look so by chance in other garbage.
  static bool MostlyUtf8(TextView text, const MojibakeSigns& signs) {
    const auto wide = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char16_t c) { return c >= 0x80; }));
    return signs.utf8_units * 2 >= wide;
  }

  // Whether nearly all of them are, in more sequences than chance makes in a short text: other
  // garbage (GBK read as Windows-1252) has some by chance, among others.
  static bool StronglyUtf8(TextView text) {
    const MojibakeSigns signs = FindMojibakeSigns(text);
    const auto wide = static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char16_t c) { return c >= 0x80; }));
    return signs.utf8_as_single_byte >= 3 && signs.utf8_units * 10 >= wide * 9;
  }

  // How far below the best so far a result may read and still be kept, and no further than a
  // little below the text as it is.
  double Floor() const {
    return std::max(as_is_floor_,
                    best_ - kWindow - kWindowPerUnit * static_cast<double>(sample_.size()));
  }

  // A result of such a repair is UTF-8 read one byte a character because the repair wrote the
  // text as UTF-8: no sign that the text was.
  static bool WritesUtf8(const Repair& repair) {
    return !repair.step.code_pages.empty() && repair.step.code_pages[0] == kUtf8CodePage;
  }

  bool ChangedOnlyItsStart(TextView result) const {
    constexpr std::size_t kStart = 2;
    std::size_t same = 0;
    while (same < sample_.size() && same < result.size() &&
           sample_[sample_.size() - 1 - same] == result[result.size() - 1 - same]) {
      ++same;
    }
    return sample_.size() - same <= kStart && result.size() - same <= kStart;
  }

  static bool ReadsUtf8(const Repair& repair) {
    return repair.step.code_pages.size() == 2 && repair.step.code_pages[1] == kUtf8CodePage;
  }

  // The results that lost too much, read when fewer than the wanted others were kept; else
  // left out, as they would never be listed.
  void ReadTheLossy() {
    const auto unread = [](const Trial& t) { return t.rank == kUnread; };
    // Those that a chain without as much loss gave too are left out first.
    trials_.erase(std::remove_if(trials_.begin(), trials_.end(),
                                 [&](const Trial& t) {
                                   return unread(t) && seen_.contains(t.outcome.result);
                                 }),
                  trials_.end());
    auto read = static_cast<std::size_t>(std::count_if(
        trials_.begin(), trials_.end(), [&unread](const Trial& t) { return !unread(t); }));
    // Those that lost least first, until the list is full; all of them for a part of a text.
    std::vector<Trial*> lossy;
    for (Trial& trial : trials_) {
      if (unread(trial)) lossy.push_back(&trial);
    }
    std::stable_sort(lossy.begin(), lossy.end(), [](const Trial* a, const Trial* b) {
      return a->outcome.Lost() < b->outcome.Lost();
    });
    for (Trial* trial : lossy) {
      if (read + 1 >= limits_.wanted && limits_.whole) break;
      const double cost = trial->chain.Cost(repairs_) + LossCost(trial->outcome, sample_);
      const std::optional<Reading> reading =
          ReadAbove(trial->outcome.result, model_, Floor() + cost);
      if (reading) {
        trial->rank = reading->plausibility - cost;
        trial->plausibility = reading->plausibility;
        ++read;
      }
    }
    trials_.erase(std::remove_if(trials_.begin(), trials_.end(), unread), trials_.end());
  }

  // The texts a second step starts from: the best ranked results of chainable steps that did
  // not lose too much. Copies: trying more chains may move the trials.
  struct Start {
    Chain chain;
    Outcome outcome;
    // Led on from only for being UTF-8 read one byte a character: only a step that reads
    // UTF-8 undoes that.
    bool utf8_only = false;
  };

  std::vector<Start> Starts() const {
    std::vector<std::size_t> starts;
    for (std::size_t k = 0; k < trials_.size(); ++k) {
      const Trial& t = trials_[k];
      if (!repairs_[t.chain.steps[0]].chainable || LostTooMuch(t.outcome, sample_.size())) {
        continue;
      }
      // Only results that read nearly as well as the text lead on, or those still UTF-8 read
      // one byte a character; and none that changed only the text's first characters (a cut
      // after ASCII): the steps after it would give what they give on the text.
      if ((t.rank < as_is_floor_ && !t.utf8_left) || ChangedOnlyItsStart(t.outcome.result)) {
        continue;
      }
      starts.push_back(k);
    }
    const auto by_rank = [this](std::size_t a, std::size_t b) {
      return trials_[a].rank > trials_[b].rank;
    };
    std::stable_sort(starts.begin(), starts.end(), by_rank);
    // The best ranked, and the best of those still UTF-8 read one byte a character.
    const std::size_t beam = limits_.evidence ? limits_.beam : std::min(limits_.beam, kPlainBeam);
    std::vector<Start> texts;
    std::size_t utf8_left = 0;
    for (std::size_t k = 0; k < starts.size(); ++k) {
      const Trial& t = trials_[starts[k]];
      const bool full = k < beam && t.rank >= as_is_floor_;
      const bool extra = t.utf8_left && utf8_left < kUtf8Starts;
      if (!full && !extra) continue;
      utf8_left += t.utf8_left;
      // A few characters that look like UTF-8 by chance may be garbage another step undoes.
      texts.push_back({t.chain, t.outcome, !full && StronglyUtf8(t.outcome.result)});
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
      NewText(before.result);
      Try(chain.Then(chain.steps[0]), before.result, before);
    }
  }

  TextView sample_;
  const std::vector<Repair>& repairs_;
  const SearchLimits& limits_;
  Text* failure_;
  const LanguageModel& model_;
  std::unordered_set<Text> seen_;        // the sample and the results of the trials read
  std::unordered_set<Text> lossy_seen_;  // the results of those that lost too much
  std::vector<Trial> trials_;
  double best_ = -1e300;  // the best rank so far
  // The rank below which a result can neither be chosen nor lead to one.
  double as_is_floor_ = -1e300;
  // By writer: whether it lost too much on the text the pairs are tried on now.
  std::vector<bool> unwritable_;
  bool ascii_ = false;            // the text the pairs are tried on now is ASCII
  std::size_t replacements_ = 0;  // its U+FFFD
};

}  // namespace

std::vector<Trial> Search(TextView sample, const std::vector<Repair>& repairs,
                          const SearchLimits& limits, Text* failure) {
  return Searcher(sample, repairs, limits, failure).Run();
}

}  // namespace qor
