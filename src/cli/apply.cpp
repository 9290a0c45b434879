#include "cli/apply.h"

#include <ostream>

#include "catalogue/step_runner.h"
#include "cli/cli.h"
#include "cli/command_line_ui.h"
#include "cli/labels.h"
#include "cli/ordered_jobs.h"
#include "cli/stream_chain.h"
#include "cli/text_io.h"
#include "cli/text_sink.h"
#include "cli/text_source.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

// Says which steps changed nothing (up to the one that stopped), and why that one stopped; the
// exit status.
int Report(const std::vector<Step>& steps, const ChainReport& report, std::ostream& err) {
  const std::size_t end = report.stopped.value_or(steps.size());
  for (std::size_t k = 0; k < end; ++k) {
    if (k >= report.changed.size() || !report.changed[k]) {
      err << EncodeWtf8(steps[k].label) << ": " << EncodeWtf8(kSameText) << '\n';
    }
  }
  if (!report.stopped) return kExitOk;
  const Bytes label = EncodeWtf8(steps[end].label);
  if (!report.failure.empty()) {
    err << "qor-cli: " << label << " failed: " << report.failure << '\n';
    return kExitFailure;
  }
  err << label << ": " << EncodeWtf8(kUnchanged) << '\n';
  return kExitNoResult;
}

int SourceFailed(const Options& options, const TextSource& source, std::ostream& err) {
  if (!options.input) {
    err << "qor-cli: the input is not valid UTF-8 (byte offset " << source.offset() << ")\n";
    return kExitUsage;
  }
  CommandLineUi(err, options.force)
      .ShowMessage(PathMessage(FilePath(*options.input), Text(kOpenFailed) + source.error()));
  return kExitFile;
}

// The parts through a chain of steps that each need what came before.
int StreamInTurn(const Options& options, const std::vector<Step>& steps, TextSource& source,
                 TextSink& sink, std::ostream& err) {
  StreamChain chain(steps);
  for (bool last = false; !last;) {
    const std::optional<Text> part = source.Next();
    if (!part) return SourceFailed(options, source, err);
    last = source.done();
    Text out;
    const bool ran = chain.Push(*part, out) && (!last || chain.Finish(out));
    if (!ran) return Report(steps, chain.Report(), err);
    if (!sink.Write(out)) return kExitFile;
  }
  const int status = Report(steps, chain.Report(), err);
  return status == kExitOk ? sink.Finish() : status;
}

// The parts through a chain that runs them apart, on several threads, written in order.
int StreamApart(const Options& options, const std::vector<Step>& steps, TextSource& source,
                TextSink& sink, std::ostream& err) {
  ChainReport report;
  bool written = true;
  OrderedJobs<PieceRun> jobs(options.threads.value_or(AllCores()), [&](PieceRun& run) {
    report.Add(run.report);
    written = !report.stopped && sink.Write(run.text);
    return written;
  });
  for (bool first = true; !source.done(); first = false) {
    std::optional<Text> part = source.Next();
    if (!part) return jobs.Drain(), SourceFailed(options, source, err);
    if (!first && part->empty()) continue;  // the text ended with the last cut
    if (!jobs.Add(
            [&steps, part = std::move(*part), first] { return RunApart(steps, part, !first); }))
      break;
  }
  jobs.Drain();
  if (!written && !report.stopped) return kExitFile;
  const int status = Report(steps, report, err);
  return status == kExitOk ? sink.Finish() : status;
}

std::optional<TextSource> OpenSource(const Options& options, std::istream& in, std::ostream& err) {
  if (!options.input) return Utf8Source(in);
  Text error;
  std::optional<TextSource> source =
      FileSource(FilePath(*options.input), options.input_code, error);
  if (!source) {
    CommandLineUi(err, options.force)
        .ShowMessage(PathMessage(FilePath(*options.input), Text(kOpenFailed) + error));
  }
  return source;
}

}  // namespace

int Apply(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::vector<std::string> labels(options.operands.begin() + 1, options.operands.end());
  if (labels.empty()) {
    err << "qor-cli: apply needs at least one label (see qor-cli list)\n";
    return kExitUsage;
  }
  const std::optional<std::vector<Step>> steps = FindSteps(labels, err);
  if (!steps) return kExitUsage;
  std::optional<TextSource> source = OpenSource(options, in, err);
  if (!source) return kExitFile;
  const std::unique_ptr<TextSink> sink =
      options.output ? FileSink(FilePath(*options.output), options.output_code, options.force, err)
                     : StreamSink(out);
  const int status = RunsApart(*steps) ? StreamApart(options, *steps, *source, *sink, err)
                                       : StreamInTurn(options, *steps, *source, *sink, err);
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
