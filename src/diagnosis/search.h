#pragma once
// The candidate repairs of a text: every whole-text repair of the catalogue, chains of two whose
// first step lost little, and up to three steps of one pair (mojibake made twice or three times
// the same way), tried on a sample of the text and scored there.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "diagnosis/language_model.h"
#include "platform/text.h"

namespace qor {

inline constexpr std::uint16_t kNoWriter = 0xFFFF;

struct Repair {
  Step step;
  // Tried in chains: the menus' own items, and the named pairs between the code pages that
  // CJK mojibake passes through (GBK, GB18030, Big5, Shift-JIS, Korean, Western, Cyrillic,
  // Latin-1, UTF-8, UTF-16) or that Western and Cyrillic mojibake does (Windows-1252, Latin-1,
  // Windows-1250, Windows-1251, DOS 866 and KOI8-R against UTF-8 and one another).
  bool chainable = false;
  // How much less likely this garbling is than the common ones, in nats: the cost a result
  // pays for each time the chain takes this step.
  double cost = 0;
  // For a pair of code pages, the pair the other way round: what the step wrote under the
  // first code page, it reads back under it, so a result that does not come back lost
  // characters the code page only approximated ("ç" written as "c").
  std::optional<Step> inverse;
  // Pairs that write the text under the same code page the same way share a writer: what one
  // of them could not write, none of them can. kNoWriter for other repairs.
  std::uint16_t writer = kNoWriter;
  // Tried first on text without strong evidence of mojibake: the catalogue's repairs that
  // chain; exotic ones need the evidence.
  bool without_evidence = true;
  // A pair tried in chains that gives any text of ASCII characters (U+0001..U+007F) back as it
  // is.
  bool keeps_ascii = false;
  // A pair whose first code page has no U+FFFD: it writes each one of the text as "?", a lost
  // character, whatever reads it back.
  bool drops_replacement = false;
  // Mends a character cut in half at the text's start (run from the caret to the end): the only
  // repairs tried on text that reads clean, as a cut garbles only its first characters.
  bool mends_cut = false;
};

// The catalogue's whole-text repairs, each label once, in catalogue order.
[[nodiscard]] std::vector<Repair> CatalogueRepairs(const Catalogue& catalogue);
// The repairs among them that mend a cut, by index.
[[nodiscard]] std::vector<std::uint16_t> CutMenders(const std::vector<Repair>& repairs);
// Repairs of given steps (tests give their own): a chainable step counts as a menu item; all
// are tried first whatever the text.
[[nodiscard]] std::vector<Repair> RepairsOf(const std::vector<Step>& steps);

// What running steps on a text gave.
struct Outcome {
  Text result;
  std::size_t substituted = 0;  // characters a code page lacked, written as "?"
  std::size_t invalid = 0;      // byte sequences that did not decode, lost or shown as U+FFFD
  std::size_t Lost() const { return substituted + invalid; }
};

// One step on a text through the step runner; nullopt when it gives no result. Only new losses
// count: a U+FFFD already in the text, written as "?" and read back as U+FFFD, is not one. When
// the step fails with an error and *failure is still empty, *failure becomes "label：why".
[[nodiscard]] std::optional<Outcome> RunRepair(const Step& step, TextView text,
                                               Text* failure = nullptr);

// How many U+FFFD of a text a result shows neither as U+FFFD nor as a "?" it gained: characters
// made up, or dropped, where one was lost.
[[nodiscard]] std::size_t CountMadeUp(TextView text, TextView result);

// Whether a chain lost too much to be a repair: more than one character and more than one in a
// hundred of the text's units. One is what a text cut in a character loses under its repair.
[[nodiscard]] bool LostTooMuch(const Outcome& outcome, std::size_t units);

// What a chain's losses cost its rank, in nats: a lost character is worth about as much as a
// character no text holds. A U+FFFD of the original text that the result shows neither as one
// nor as a "?" costs what it cost the original's reading besides: a lost character stays lost,
// and hiding it is no repair.
[[nodiscard]] double LossCost(const Outcome& outcome, TextView original);

// The part of a long text the candidates are tried on: whole lines from the line of the first
// character beyond ASCII, about `units` long, ending after a line break or a space where possible.
[[nodiscard]] TextView SampleOf(TextView text, std::size_t units);

inline constexpr std::uint16_t kNoStep = 0xFFFF;
inline constexpr std::size_t kMaxSteps = 3;

// The repairs of a chain by index, unused places kNoStep.
struct Chain {
  std::array<std::uint16_t, kMaxSteps> steps{kNoStep, kNoStep, kNoStep};

  std::size_t Size() const {
    std::size_t n = 0;
    while (n < kMaxSteps && steps[n] != kNoStep) ++n;
    return n;
  }
  // The chain with one more step.
  Chain Then(std::uint16_t step) const {
    Chain longer = *this;
    longer.steps[Size()] = step;
    return longer;
  }
  // The steps' costs together.
  double Cost(const std::vector<Repair>& repairs) const;
};

// How many characters a chain's steps approximated: each step's result taken back by its
// inverse, compared with what it started from.
[[nodiscard]] std::size_t CountApproximated(const std::vector<Repair>& repairs, const Chain& chain,
                                            TextView text);

// A chain tried on the sample.
struct Trial {
  Chain chain;
  Outcome outcome;  // on the sample
  double rank = 0;  // the result's plausibility less the chain's cost
  // The result is still UTF-8 read one byte a character ("Ã©"): one more step may undo it,
  // however poorly it reads now (C1 controls and all). In a text without evidence of mojibake,
  // only when most of it is so and its last step did not write UTF-8 itself.
  bool utf8_left = false;
  double plausibility = 0;  // the result's, read on the sample
};

// How many one-step results a second step is tried after in a text without evidence of
// mojibake (no signs, no escapes): there the way on is always among the best few.
inline constexpr std::size_t kPlainBeam = 6;

struct SearchLimits {
  // How many one-step results a second step is tried after, the best ranked first.
  std::size_t beam = 8;
  // Whether the text bears evidence of mojibake (signs or escapes). Without it the beam is at
  // most kPlainBeam.
  bool evidence = true;
  // Whether it bears strong evidence: signs beyond UTF-8 read one byte a character and the
  // controls among its bytes (which the common pairs undo), or escapes. Without it only the repairs
  // marked without_evidence are tried first.
  bool strong_evidence = true;
  // How many candidates the caller lists, the text as it is among them. Those that lost too
  // much are listed after all the others, so they are read (scored) only when there is room
  // left for them, or when the sample is part of a longer text (what it lost where it was cut
  // from the rest does not decide); with room for one, they are not tried at all.
  std::size_t wanted = 12;
  bool whole = true;  // the sample is the whole text
  // The text reads as clean text does: only the repairs that mend a cut are tried, those of
  // `cut_menders` (CutMenders of the repairs, kept by the caller: finding them takes longer
  // than trying them).
  bool reads_clean = false;
  std::span<const std::uint16_t> cut_menders;
  std::stop_token stop;
  const LanguageModel* model = nullptr;  // the built-in model when null
};

// Every repair on the sample; then, unless one gave text that reads clean without loss, every
// chainable repair after each of the `beam` best ranked results of chainable repairs that did not
// lose too much; then a third step of the same pair after each chain of one pair taken twice.
// Results equal to the sample, to an earlier trial's or to an intermediate text are left out, so
// each result appears once, under the first chain in catalogue order. A pair whose writer lost too
// much on a text already is not run on it: it could only lose as much. A repair that fails with an
// error gives no trial; the first such failure is described in *failure when given.
[[nodiscard]] std::vector<Trial> Search(TextView sample, const std::vector<Repair>& repairs,
                                        const SearchLimits& limits, Text* failure = nullptr);

// Runs a chain's steps in order, adding up what they lost; nullopt when a step gives nothing.
[[nodiscard]] std::optional<Outcome> RunChain(const std::vector<Repair>& repairs,
                                              const Chain& chain, TextView text);

}  // namespace qor
