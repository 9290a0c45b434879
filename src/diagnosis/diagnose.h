#pragma once
// Automatic diagnosis: the repairs of the catalogue, alone and in short chains, ranked by how
// plausible their result reads under the character language model, against the text as it is.
// Reentrant: a window can run it on a worker thread and stop it through the stop token.

#include <cstddef>
#include <stop_token>
#include <vector>

#include "diagnosis/search.h"
#include "platform/text.h"

namespace qor {

// How far a repair must read better than the text as it is (nats in total): a base, and more
// for each character it changes, so that neither a long line with one mojibake character nor
// a short text decides by its length. Text that bears signs of mojibake needs less.
struct RepairMargin {
  // Tuned on the corpus with models that never saw the case's source (diagnosis_corpus tune).
  double base = 3.0;
  double per_change = 1.0;
  double with_signs = 0.5;  // the factor for a text that bears signs of mojibake
};

struct DiagnosisOptions {
  std::size_t max_candidates = 10;  // the length of the list, the text as it is included
  std::size_t sample_units = 256;   // candidates are tried on a sample of a longer text
  std::size_t beam = 8;             // one-step results that a second step is tried after
  std::stop_token stop;             // a stop request ends the diagnosis early
  RepairMargin margin;
  const LanguageModel* model = nullptr;  // the built-in model when null
};

struct Candidate {
  std::vector<Text> chain;  // the labels of the steps in order; empty for the text as it is
  Text result;              // the whole text after the steps
  double score = 0;  // how much more plausible than the text as it is, nats a character of it
  std::size_t substituted = 0;  // characters lost as "?" on the way
  std::size_t invalid = 0;      // byte sequences lost on the way
  Text explanation;             // one line: what the result is made of, what was lost

  bool Lossless() const { return substituted == 0 && invalid == 0; }
};

// Said of the first candidate when the first two read almost alike in a short text.
inline constexpr TextView kCloseCall = u"与第二个候选难分高下（文本太短）";

struct Diagnosis {
  // Best first: the repairs that read better than the text, those without loss before those
  // with; then the text as it is; then the rest. Ties are broken by the labels.
  std::vector<Candidate> candidates;
  bool stopped = false;  // a stop request cut the search short
  bool close = false;    // the first two candidates read almost alike: the choice is a guess
  // A repair that failed with an error (out of memory, a library fault) and so is missing from
  // the candidates: "label：why"; empty when none failed.
  Text failure;

  // Whether the best answer is a repair rather than the text as it is.
  bool NeedsRepair() const { return !candidates.empty() && !candidates.front().chain.empty(); }
};

// Diagnoses a text with the catalogue's repairs. An empty text needs no repair.
[[nodiscard]] Diagnosis Diagnose(TextView text, const DiagnosisOptions& options = {});
// The same with a given set of repairs (tests use their own).
[[nodiscard]] Diagnosis Diagnose(TextView text, const std::vector<Step>& repairs,
                                 const DiagnosisOptions& options);

}  // namespace qor
