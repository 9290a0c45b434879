#pragma once
// The candidate repairs of a text: every whole-text repair of the catalogue, and chains of two
// whose first step loses nothing, tried on a sample of the text and scored there.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/text.h"

namespace qor {

struct Repair {
  Step step;
  // Tried in chains of two: the menus' own items, and the named pairs between the code pages
  // that CJK mojibake passes through (GBK, GB18030, Big5, Shift-JIS, Korean, Western,
  // Cyrillic, Latin-1, UTF-8, UTF-16).
  bool chainable = false;
};

// The catalogue's whole-text repairs, each label once, in catalogue order, each resolved as
// qor-cli apply resolves its label.
[[nodiscard]] std::vector<Repair> CatalogueRepairs(const Catalogue& catalogue);

// What running steps on a text gave.
struct Outcome {
  Text result;
  std::size_t substituted = 0;  // characters a code page lacked, written as "?"
  std::size_t invalid = 0;      // byte sequences that did not decode, lost or shown as U+FFFD
  std::size_t Lost() const { return substituted + invalid; }
};

// One step on a text; nullopt when it gives no result (the empty string).
[[nodiscard]] std::optional<Outcome> RunStep(const Step& step, TextView text);

// The part of a long text the candidates are tried on: whole lines from the line of the first
// character beyond ASCII, about `units` long, ending after a line break or a space where possible.
[[nodiscard]] TextView SampleOf(TextView text, std::size_t units);

inline constexpr std::uint16_t kNoStep = 0xFFFF;

// A chain of one or two repairs tried on the sample.
struct Trial {
  std::uint16_t first = kNoStep;
  std::uint16_t second = kNoStep;
  Outcome outcome;  // on the sample
  double plausibility = 0;

  std::size_t Steps() const { return second == kNoStep ? 1 : 2; }
};

struct SearchLimits {
  // How many one-step results a second step is tried after, the most plausible first.
  std::size_t beam = 16;
  std::stop_token stop;
};

// Every repair on the sample, then every chainable repair after each of the `beam` most
// plausible lossless results of chainable repairs. Results equal to the sample, to an earlier
// trial's or to an intermediate text are left out, so each result appears once, under the first
// chain in catalogue order.
[[nodiscard]] std::vector<Trial> Search(TextView sample, const std::vector<Repair>& repairs,
                                        const SearchLimits& limits);

}  // namespace qor
