#include "cli/apply.h"

#include <algorithm>
#include <ostream>

#include "catalogue/step_runner.h"
#include "cli/cli.h"
#include "cli/labels.h"
#include "cli/lines.h"
#include "cli/many_files.h"
#include "cli/ordered_jobs.h"
#include "cli/stream_chain.h"
#include "cli/text_io.h"
#include "cli/text_sink.h"
#include "cli/text_source.h"
#include "platform/path_text.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

// Says which steps changed nothing (up to the one that stopped), and why that one stopped; the
// exit status. `where` comes before each message: a file's path, or nothing.
int Report(const std::vector<Step>& steps, const ChainReport& report, const std::string& where,
           bool quiet, std::ostream& err) {
  const std::size_t end = report.stopped.value_or(steps.size());
  for (std::size_t k = 0; k < end && !quiet; ++k) {
    if (k >= report.changed.size() || !report.changed[k]) {
      err << where << EncodeWtf8(steps[k].label) << ": " << EncodeWtf8(kSameText) << '\n';
    }
  }
  if (!report.stopped) return kExitOk;
  const Bytes label = EncodeWtf8(steps[end].label);
  if (!report.failure.empty()) {
    err << "qor-cli: " << where << label << " failed: " << report.failure << '\n';
    return kExitFailure;
  }
  err << where << label << ": " << EncodeWtf8(kUnchanged) << '\n';
  return kExitNoResult;
}

enum class StreamEnd { kDone, kInputFailed, kOutputFailed };

// The parts through a chain of steps that each need what came before.
StreamEnd StreamInTurn(const std::vector<Step>& steps, TextSource& source, TextSink& sink,
                       ChainReport& report) {
  StreamChain chain(steps);
  for (bool last = false; !last;) {
    const std::optional<Text> part = source.Next();
    if (!part) return StreamEnd::kInputFailed;
    last = source.done();
    Text out;
    const bool ran = chain.Push(*part, out) && (!last || chain.Finish(out));
    report = chain.Report();
    if (!ran) return StreamEnd::kDone;
    if (!sink.Write(out)) return StreamEnd::kOutputFailed;
  }
  return StreamEnd::kDone;
}

// The parts through a chain that runs them apart, on several threads, written in order.
StreamEnd StreamApart(const std::vector<Step>& steps, std::size_t threads, TextSource& source,
                      TextSink& sink, ChainReport& report) {
  bool written = true;
  OrderedJobs<PieceRun> jobs(threads, [&](PieceRun& run) {
    report.Add(run.report);
    written = !report.stopped && sink.Write(run.text);
    return written;
  });
  for (bool first = true; !source.done(); first = false) {
    std::optional<Text> part = source.Next();
    if (!part) return jobs.Drain(), StreamEnd::kInputFailed;
    if (!first && part->empty()) continue;  // the text ended with the last cut
    if (!jobs.Add(
            [&steps, part = std::move(*part), first] { return RunApart(steps, part, !first); }))
      break;
  }
  jobs.Drain();
  return written || report.stopped ? StreamEnd::kDone : StreamEnd::kOutputFailed;
}

StreamEnd Stream(const Options& options, const std::vector<Step>& steps, TextSource& source,
                 TextSink& sink, ChainReport& report) {
  return RunsApart(steps)
             ? StreamApart(steps, options.threads.value_or(AllCores()), source, sink, report)
             : StreamInTurn(steps, source, sink, report);
}

// The steps on one line; the line as it is when a step gives no result or the result would
// break it in two.
LineOutcome ApplyLine(const std::vector<Step>& steps, TextView line, TextView line_end) {
  if (line.empty()) return PassLine(line, line_end, LineVerdict::kUnchanged);
  Text text(line);
  for (const Step& step : steps) {
    StepOutcome outcome = RunStep(step, text);
    const Bytes label = EncodeWtf8(step.label);
    if (!outcome.failure.empty()) {
      return PassLine(line, line_end, LineVerdict::kFailed, label + " failed: " + outcome.failure);
    }
    if (!outcome.HasResult()) return PassLine(line, line_end, LineVerdict::kNoResult);
    text = std::move(outcome.result);
  }
  if (text.find_first_of(u"\r\n") != Text::npos) {
    return PassLine(line, line_end, LineVerdict::kNoResult, "the result would break the line");
  }
  const LineVerdict verdict = text == line ? LineVerdict::kUnchanged : LineVerdict::kChanged;
  text += line_end;
  return {std::move(text), verdict, {}};
}

// Lines through the steps on several threads, in batches large enough to outweigh a thread's
// start.
constexpr std::size_t kApplyBatch = 1024;

LineJob ApplyLineJob(const std::vector<Step>& steps) {
  return [&steps](TextView line, TextView line_end, std::size_t) {
    return ApplyLine(steps, line, line_end);
  };
}

// One file of many through the steps, streamed into its target.
FileVerdict ApplyToFile(const Options& options, const std::vector<Step>& steps,
                        const std::filesystem::path& file, const FileTarget& target,
                        std::ostream& err) {
  std::optional<FileStream> stream = OpenFileStream(options, file, target, err);
  if (!stream) return FileVerdict::kFailed;
  ChainReport report;
  const StreamEnd end = Stream(options, steps, *stream->source, *stream->sink, report);
  if (end != StreamEnd::kDone || report.stopped) {
    stream->sink->Abandon();
    if (end == StreamEnd::kInputFailed) SayReadFailed(file, stream->source->error(), err);
    const std::string where = EncodeWtf8(PathToText(file)) + ": ";
    const bool no_result =
        end == StreamEnd::kDone && Report(steps, report, where, true, err) == kExitNoResult;
    return no_result ? FileVerdict::kUnchanged : FileVerdict::kFailed;
  }
  const bool changed =
      (target.in_place && stream->writing != stream->read) ||
      std::find(report.changed.begin(), report.changed.end(), true) != report.changed.end();
  if (!changed && target.in_place) {
    stream->sink->Abandon();
    return FileVerdict::kUnchanged;
  }
  if (stream->sink->Finish() != kExitOk) return FileVerdict::kFailed;
  return changed ? FileVerdict::kChanged : FileVerdict::kUnchanged;
}

int ApplyToFiles(const Options& options, const std::vector<Step>& steps,
                 const std::vector<std::string>& files, std::ostream& err) {
  if (options.lines) {
    const LineJob job = ApplyLineJob(steps);
    return ForEachFile(
        options, files,
        [&](const std::filesystem::path& file, const FileTarget& target, std::ostream& e) {
          return LinesOfFile(options, job, kApplyBatch, file, target, e);
        },
        err);
  }
  return ForEachFile(
      options, files,
      [&](const std::filesystem::path& file, const FileTarget& target, std::ostream& e) {
        return ApplyToFile(options, steps, file, target, e);
      },
      err);
}

}  // namespace

int Apply(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  const auto labels_end =
      options.operands.begin() +
      static_cast<std::ptrdiff_t>(options.dashes.value_or(options.operands.size()));
  const std::vector<std::string> labels(options.operands.begin() + 1, labels_end);
  if (labels.empty()) {
    err << "qor-cli: apply needs at least one label (see qor-cli list)\n";
    return kExitUsage;
  }
  const std::optional<std::vector<Step>> steps = FindSteps(labels, err);
  if (!steps) return kExitUsage;
  if (options.dashes) {
    return ApplyToFiles(options, *steps,
                        std::vector<std::string>(labels_end, options.operands.end()), err);
  }
  if (options.in_place) {
    err << "qor-cli: --in-place needs files: apply LABEL... -- FILE...\n";
    return kExitUsage;
  }
  if (options.lines) {
    LineCounts counts;
    return LinesCommand(options, ApplyLineJob(*steps), kApplyBatch, in, out, err, counts);
  }
  std::optional<TextSource> source = OpenInput(options, in, err);
  if (!source) return kExitFile;
  const std::unique_ptr<TextSink> sink = OpenOutput(options, out, err);
  ChainReport report;
  const StreamEnd end = Stream(options, *steps, *source, *sink, report);
  int status = kExitFile;
  if (end == StreamEnd::kInputFailed) status = InputFailed(options, *source, err);
  if (end == StreamEnd::kDone) status = Report(*steps, report, "", false, err);
  if (status == kExitOk) status = sink->Finish();
  if (status != kExitOk) sink->Abandon();
  return status;
}

int ApplySteps(const std::vector<Step>& steps, Text& text, std::ostream& err) {
  for (const Step& step : steps) {
    StepOutcome outcome = RunStep(step, text);
    const Bytes label = EncodeWtf8(step.label);
    if (!outcome.failure.empty()) {
      err << "qor-cli: " << label << " failed: " << outcome.failure << '\n';
      return kExitFailure;
    }
    if (!outcome.HasResult()) {
      err << label << ": " << EncodeWtf8(kUnchanged) << '\n';
      return kExitNoResult;
    }
    if (outcome.result == text) err << label << ": " << EncodeWtf8(kSameText) << '\n';
    text = std::move(outcome.result);
  }
  return kExitOk;
}

}  // namespace qor
