#pragma once
// The candidate repairs of a text: every whole-text repair of the catalogue, and chains of two
// whose first step loses nothing, tried on a sample of the text and scored there.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "platform/text.h"

namespace qor {

// The catalogue's whole-text repairs, each label once, in catalogue order; those marked
// chainable are tried in chains of two.
[[nodiscard]] std::vector<Step> CatalogueRepairs(const Catalogue& catalogue);

// The part of a long text the candidates are tried on: whole lines from the line of the first
// character beyond ASCII, about `units` long, ending after a line break or a space where possible.
[[nodiscard]] TextView SampleOf(TextView text, std::size_t units);

inline constexpr std::uint16_t kNoStep = 0xFFFF;

// A chain of one or two repairs tried on the sample.
struct Trial {
  std::uint16_t first = kNoStep;
  std::uint16_t second = kNoStep;
  StepOutcome outcome;  // on the sample
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
// chain in catalogue order. A repair that fails with an error gives no trial; the first such
// failure is described in *failure when given.
[[nodiscard]] std::vector<Trial> Search(TextView sample, const std::vector<Step>& repairs,
                                        const SearchLimits& limits, Text* failure = nullptr);

// Runs one repair on a text. When it fails with an error and *failure is still empty, *failure
// becomes "label：why".
[[nodiscard]] StepOutcome RunRepair(const Step& step, TextView text, Text* failure);

}  // namespace qor
