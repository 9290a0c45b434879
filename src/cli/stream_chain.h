#pragma once
// Steps run piece by piece over a text that arrives in parts, in bounded memory: each step cuts
// its own input where its cut rule allows (after a line feed, catalogue/step.h) once it holds
// enough of it, and a step that needs the whole text keeps it all.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/step.h"
#include "platform/text.h"

namespace qor {

// How many units a step gathers before it cuts (it cuts at the last line feed it holds).
inline constexpr std::size_t kPieceUnits = 1 << 15;

// What pieces gave through a chain: which steps changed any, and the step that stopped it (gave
// no result or failed, with `failure` saying why).
struct ChainReport {
  std::vector<bool> changed;
  std::optional<std::size_t> stopped;
  std::string failure;

  // Adds what a later piece gave.
  void Add(const ChainReport& piece);
};

// What one piece gave through a chain that runs apart.
struct PieceRun {
  Text text;  // the last step's result
  ChainReport report;
};

// Whether the pieces of a text cut after line feeds run through the steps each on its own: every
// step cuts there and gives "\n" alone for "\n", so each result ends where its piece did.
[[nodiscard]] bool RunsApart(const std::vector<Step>& steps);

// Runs a piece through such steps; `after_cut` for every piece but the first.
[[nodiscard]] PieceRun RunApart(const std::vector<Step>& steps, TextView piece, bool after_cut);

// One step over a stream.
class StreamStep {
 public:
  StreamStep(const Step& step, std::size_t piece_units);

  // Takes more text and appends the results of the pieces it completes. False when the step
  // gave no result or failed.
  bool Push(TextView text, Text& out);
  // The end of the text: appends the result of the rest. False as Push.
  bool Finish(Text& out);

  const Step& step() const { return step_; }
  // Whether any result differed from its piece.
  bool changed() const { return changed_; }
  // Why the step failed with an error; empty when it did not (a step without result has none).
  const std::string& failure() const { return failure_; }

 private:
  bool RunPiece(std::size_t end, Text& out);
  std::size_t ContextUnits();

  Step step_;
  std::size_t piece_units_;
  Text buffer_;  // once a piece went out, the line feed it ended with comes first
  bool started_ = false;
  std::size_t context_units_ = 0;  // the length of the step's result for "\n" alone
  bool context_known_ = false;
  bool changed_ = false;
  std::string failure_;
};

// Steps in order, each feeding the next.
class StreamChain {
 public:
  StreamChain(const std::vector<Step>& steps, std::size_t piece_units = kPieceUnits);

  // Takes more text; appends what comes out of the last step. False when a step stopped (see
  // stopped()).
  bool Push(TextView text, Text& out);
  bool Finish(Text& out);

  const std::vector<StreamStep>& steps() const { return steps_; }
  // The step that gave no result or failed; nullptr while none did.
  const StreamStep* stopped() const { return stopped_; }
  [[nodiscard]] ChainReport Report() const;

 private:
  bool Feed(TextView text, Text& out, bool finish);

  std::vector<StreamStep> steps_;
  const StreamStep* stopped_ = nullptr;
};

// Whether every step can be cut: the chain then runs in bounded memory.
[[nodiscard]] bool Streams(const std::vector<Step>& steps);

}  // namespace qor
