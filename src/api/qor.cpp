// The public API: UTF-8 at the edge, the engine's own steps within. Apply runs every step
// through the one step runner and diagnosis through the diagnosis layer, so that a result here
// is the result the window and qor-cli give.

#include "qor/qor.h"

#include <optional>

#include "catalogue/catalogue.h"
#include "catalogue/nearest_labels.h"
#include "catalogue/step_runner.h"
#include "diagnosis/diagnose.h"
#include "platform/codepage_service.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

constexpr std::size_t kSuggestions = 3;

Text TextOf(std::string_view utf8) {
  std::size_t offset = 0;
  std::optional<Text> text = DecodeWtf8(utf8, &offset);
  if (!text) throw InvalidUtf8(offset);
  return std::move(*text);
}

std::string Quoted(const std::string& label) { return "\"" + label + "\""; }

std::string UnknownLabelMessage(const std::string& label, const std::vector<std::string>& closest) {
  std::string message = "unknown label " + Quoted(label);
  for (std::size_t k = 0; k < closest.size(); ++k) {
    message += (k == 0 ? "; closest known: " : ", ") + Quoted(closest[k]);
  }
  return message;
}

// A family whose labels Apply takes: a fixed label that names a step, or a pattern. A menu item
// that asks for its parameters names no step itself.
bool Applicable(const Family& family) { return !family.note.empty() || family.MenuStep(); }

Step StepOf(const std::string& label) {
  const std::optional<Text> wanted = DecodeWtf8(label);
  std::optional<Step> step = wanted ? Catalogue::Get().Find(*wanted) : std::nullopt;
  if (step) return std::move(*step);
  std::vector<std::string> closest;
  if (wanted) {
    std::vector<Text> known;
    for (const Family& family : Catalogue::Get().families()) {
      if (Applicable(family)) known.push_back(family.grammar);
    }
    for (const Text& near : NearestLabels(*wanted, std::move(known), kSuggestions)) {
      closest.push_back(EncodeWtf8(near));
    }
  }
  throw UnknownLabel(label, std::move(closest));
}

Diagnosis DiagnoseOrThrow(TextView text, std::size_t candidates) {
  DiagnosisOptions options;
  options.max_candidates = candidates;
  Diagnosis diagnosis = Diagnose(text, options);
  // A repair that failed is missing from the ranking: the best answer might be the one lost.
  if (!diagnosis.failure.empty()) throw TransformFailed(EncodeWtf8(diagnosis.failure));
  return diagnosis;
}

[[noreturn]] void ThrowUnsupported(int code_page) {
  throw std::invalid_argument("code page " + std::to_string(code_page) + " is not supported");
}

}  // namespace

InvalidUtf8::InvalidUtf8(std::size_t offset)
    : std::invalid_argument("not valid UTF-8 (byte offset " + std::to_string(offset) + ")"),
      offset_(offset) {}
InvalidUtf8::~InvalidUtf8() = default;

UnknownLabel::UnknownLabel(std::string label, std::vector<std::string> closest)
    : std::invalid_argument(UnknownLabelMessage(label, closest)),
      label_(std::move(label)),
      closest_(std::move(closest)) {}
UnknownLabel::~UnknownLabel() = default;

TransformFailed::~TransformFailed() = default;

std::string Fix(std::string_view utf8) {
  const Diagnosis diagnosis = DiagnoseOrThrow(TextOf(utf8), 1);
  if (!diagnosis.NeedsRepair()) return std::string(utf8);
  return EncodeWtf8(diagnosis.candidates.front().result);
}

std::vector<RepairCandidate> Diagnose(std::string_view utf8, std::size_t top) {
  const Text text = TextOf(utf8);
  if (top == 0) return {};
  const Diagnosis diagnosis = DiagnoseOrThrow(text, top);
  std::vector<RepairCandidate> candidates;
  for (const Candidate& c : diagnosis.candidates) {
    RepairCandidate& out = candidates.emplace_back();
    for (const Text& label : c.chain) out.chain.push_back(EncodeWtf8(label));
    out.result = EncodeWtf8(c.result);
    out.score = c.score;
    out.substituted = c.substituted;
    out.invalid = c.invalid;
    out.explanation = EncodeWtf8(c.explanation);
  }
  return candidates;
}

Applied Apply(std::string_view utf8, const std::vector<std::string>& labels) {
  std::vector<Step> steps;
  for (const std::string& label : labels) steps.push_back(StepOf(label));
  Text text = TextOf(utf8);
  Applied applied;
  for (std::size_t k = 0; k < steps.size(); ++k) {
    StepOutcome outcome = RunStep(steps[k], text);
    if (!outcome.failure.empty()) {
      throw TransformFailed(labels[k] + "：" + outcome.failure);
    }
    if (!outcome.HasResult()) {
      applied.stopped_at = labels[k];
      return applied;
    }
    applied.substituted += outcome.substituted;
    applied.invalid += outcome.invalid;
    text = std::move(outcome.result);
  }
  applied.text = EncodeWtf8(text);
  return applied;
}

std::vector<TransformLabel> Labels() {
  std::vector<TransformLabel> labels;
  for (const Family& family : Catalogue::Get().families()) {
    if (!Applicable(family)) continue;
    const bool pattern = !family.note.empty();
    labels.push_back({EncodeWtf8(family.grammar),
                      EncodeWtf8(pattern || !family.item ? family.note : family.item->caption),
                      pattern});
  }
  return labels;
}

Converted CodePageToUtf8(std::string_view bytes, int code_page) {
  ConversionCounts counts;
  const std::optional<Text> text = DecodeCodePage(bytes, code_page, &counts);
  if (!text) ThrowUnsupported(code_page);
  return {EncodeWtf8(*text), counts.substituted, counts.invalid};
}

Converted Utf8ToCodePage(std::string_view utf8, int code_page) {
  const Text text = TextOf(utf8);
  ConversionCounts counts;
  std::optional<Bytes> bytes = EncodeCodePage(text, code_page, &counts);
  if (!bytes) ThrowUnsupported(code_page);
  return {std::move(*bytes), counts.substituted, counts.invalid};
}

}  // namespace qor
