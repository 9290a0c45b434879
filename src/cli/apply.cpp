#include "cli/apply.h"

#include <ostream>

#include "catalogue/step_runner.h"
#include "cli/cli.h"
#include "cli/command_line_ui.h"
#include "cli/labels.h"
#include "cli/stream_chain.h"
#include "cli/text_io.h"
#include "cli/text_sink.h"
#include "cli/text_source.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

void SaySame(const StreamStep& step, std::ostream& err) {
  if (!step.changed())
    err << EncodeWtf8(step.step().label) << ": " << EncodeWtf8(kSameText) << '\n';
}

// A step stopped the chain: the steps before it that changed nothing, then why it stopped.
int Stopped(const StreamChain& chain, std::ostream& err) {
  for (const StreamStep& step : chain.steps()) {
    if (&step == chain.stopped()) break;
    SaySame(step, err);
  }
  const StreamStep& step = *chain.stopped();
  const Bytes label = EncodeWtf8(step.step().label);
  if (!step.failure().empty()) {
    err << "qor-cli: " << label << " failed: " << step.failure() << '\n';
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

// One part through the chain into the sink; the exit status when the run ends here.
std::optional<int> Feed(StreamChain& chain, const std::optional<Text>& part, bool last,
                        TextSink& sink, std::ostream& err) {
  Text out;
  const bool ran = chain.Push(*part, out) && (!last || chain.Finish(out));
  if (!ran) return Stopped(chain, err);
  if (!sink.Write(out)) return kExitFile;
  return std::nullopt;
}

int Stream(const Options& options, StreamChain& chain, TextSource& source, TextSink& sink,
           std::ostream& err) {
  for (bool last = false; !last;) {
    const std::optional<Text> part = source.Next();
    if (!part) return SourceFailed(options, source, err);
    last = source.done();
    if (const std::optional<int> status = Feed(chain, part, last, sink, err)) return *status;
  }
  for (const StreamStep& step : chain.steps()) SaySame(step, err);
  return sink.Finish();
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
  StreamChain chain(*steps);
  const int status = Stream(options, chain, *source, *sink, err);
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
