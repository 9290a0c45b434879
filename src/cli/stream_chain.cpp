#include "cli/stream_chain.h"

#include <algorithm>

#include "catalogue/step_runner.h"

namespace qor {

StreamStep::StreamStep(const Step& step, std::size_t piece_units)
    : step_(step), piece_units_(std::max<std::size_t>(piece_units, 1)) {}

bool StreamStep::Push(TextView text, Text& out) {
  buffer_ += text;
  const std::size_t context = started_ ? 1 : 0;
  if (step_.cut == Cut::kNowhere || buffer_.size() - context < piece_units_) return true;
  const std::size_t last = buffer_.rfind(u'\n');
  if (last == Text::npos || last < context) return true;
  return RunPiece(last + 1, out);
}

bool StreamStep::Finish(Text& out) {
  if (started_ && buffer_.size() == 1) return true;  // the text ended with the last cut
  return RunPiece(buffer_.size(), out);
}

// The result of "\n" + piece starts with the result of "\n" alone, which belongs to the piece
// before.
std::size_t StreamStep::ContextUnits() {
  if (!context_known_) {
    context_units_ = RunStep(step_, u"\n").result.size();
    context_known_ = true;
  }
  return context_units_;
}

bool StreamStep::RunPiece(std::size_t end, Text& out) {
  const TextView whole = TextView(buffer_).substr(0, end);
  StepOutcome outcome = RunStep(step_, whole);
  failure_ = std::move(outcome.failure);
  const std::size_t skip = started_ ? ContextUnits() : 0;
  if (!outcome.HasResult() || outcome.result.size() < skip) return false;
  const TextView result = TextView(outcome.result).substr(skip);
  changed_ = changed_ || result != whole.substr(started_ ? 1 : 0);
  out += result;
  buffer_.erase(0, end > 0 ? end - 1 : 0);
  started_ = true;
  return true;
}

StreamChain::StreamChain(const std::vector<Step>& steps, std::size_t piece_units) {
  steps_.reserve(steps.size());
  for (const Step& step : steps) steps_.emplace_back(step, piece_units);
}

bool StreamChain::Push(TextView text, Text& out) { return Feed(text, out, false); }

bool StreamChain::Finish(Text& out) { return Feed({}, out, true); }

bool StreamChain::Feed(TextView text, Text& out, bool finish) {
  Text current(text);
  for (StreamStep& step : steps_) {
    Text next;
    const bool ran = step.Push(current, next) && (!finish || step.Finish(next));
    if (!ran) {
      stopped_ = &step;
      return false;
    }
    current = std::move(next);
  }
  out += current;
  return true;
}

ChainReport StreamChain::Report() const {
  ChainReport report;
  for (const StreamStep& step : steps_) {
    report.changed.push_back(step.changed());
    if (&step == stopped_) report.stopped = report.changed.size() - 1;
    if (&step == stopped_) report.failure = step.failure();
  }
  return report;
}

void ChainReport::Add(const ChainReport& piece) {
  changed.resize(std::max(changed.size(), piece.changed.size()));
  for (std::size_t k = 0; k < piece.changed.size(); ++k)
    changed[k] = changed[k] || piece.changed[k];
  if (stopped || !piece.stopped) return;
  stopped = piece.stopped;
  failure = piece.failure;
}

bool RunsApart(const std::vector<Step>& steps) {
  return Streams(steps) && std::all_of(steps.begin(), steps.end(), [](const Step& step) {
           return RunStep(step, u"\n").result == u"\n";
         });
}

PieceRun RunApart(const std::vector<Step>& steps, TextView piece, bool after_cut) {
  PieceRun run;
  run.text = after_cut ? u"\n" + Text(piece) : Text(piece);
  for (const Step& step : steps) {
    StepOutcome outcome = RunStep(step, run.text);
    if (!outcome.HasResult() || (after_cut && outcome.result.front() != u'\n')) {
      run.report.stopped = run.report.changed.size();
      run.report.failure = std::move(outcome.failure);
      return run;
    }
    run.report.changed.push_back(outcome.result != run.text);
    run.text = std::move(outcome.result);
  }
  if (after_cut) run.text.erase(0, 1);
  return run;
}

bool Streams(const std::vector<Step>& steps) {
  return std::all_of(steps.begin(), steps.end(),
                     [](const Step& step) { return step.cut == Cut::kAfterLineFeed; });
}

}  // namespace qor
