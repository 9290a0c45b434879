#include "cli/lines.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "cli/many_files.h"
#include "cli/options.h"
#include "cli/ordered_jobs.h"
#include "cli/text_io.h"
#include "cli/text_sink.h"
#include "cli/text_source.h"
#include "platform/path_text.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

// What a batch of lines gave: their output, and each line's verdict and note.
struct Batch {
  Text out;
  std::vector<std::pair<LineVerdict, std::string>> lines;
};

Batch RunBatch(const LineJob& job, TextView text, std::size_t first_number) {
  Batch batch;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t feed = text.find(u'\n', start);
    const std::size_t end = feed == TextView::npos ? text.size() : feed + 1;
    std::size_t content_end = feed == TextView::npos ? end : feed;
    if (content_end > start && content_end == feed && text[feed - 1] == u'\r') --content_end;
    const TextView line = text.substr(start, content_end - start);
    const TextView line_end = text.substr(content_end, end - content_end);
    LineOutcome outcome;
    try {
      outcome = job(line, line_end, first_number + batch.lines.size());
    } catch (const std::exception& e) {
      outcome = PassLine(line, line_end, LineVerdict::kFailed, std::string("failed: ") + e.what());
    }
    batch.out += outcome.out;
    batch.lines.emplace_back(outcome.verdict, std::move(outcome.note));
    start = end;
  }
  return batch;
}

// The end of the batch of up to `lines` lines that starts at `start`; `counted` adds the lines
// it holds.
std::size_t BatchEnd(const Text& text, std::size_t start, std::size_t lines, std::size_t& counted) {
  std::size_t end = start;
  for (std::size_t n = 0; n < lines && end < text.size(); ++n, ++counted) {
    const std::size_t feed = text.find(u'\n', end);
    end = feed == Text::npos ? text.size() : feed + 1;
  }
  return end;
}

}  // namespace

void LineCounts::Add(LineVerdict verdict, std::size_t line_number) {
  switch (verdict) {
    case LineVerdict::kChanged:
      ++changed;
      break;
    case LineVerdict::kUnchanged:
      ++unchanged;
      break;
    case LineVerdict::kNoResult:
      if (!no_result++) first_no_result = line_number;
      break;
    case LineVerdict::kFailed:
      if (!failed++) first_failed = line_number;
      break;
  }
}

LineOutcome PassLine(TextView line, TextView line_end, LineVerdict verdict, std::string note) {
  Text out(line);
  out += line_end;
  return {std::move(out), verdict, std::move(note)};
}

LinesEnd RunLines(TextSource& source, TextSink& sink, const LineJob& job, LineRun run,
                  std::ostream& err, LineCounts& counts) {
  // Lines a thread may have in flight: enough that a line taking a thousand times longer than
  // the others does not stall them.
  constexpr std::size_t kLinesInFlight = 256;
  std::size_t line_number = 0;
  OrderedJobs<Batch> jobs(
      run.threads,
      [&](Batch& batch) {
        if (!sink.Write(batch.out)) return false;
        for (const auto& [verdict, note] : batch.lines) {
          counts.Add(verdict, ++line_number);
          if (!note.empty()) err << run.where << "line " << line_number << ": " << note << '\n';
        }
        return true;
      },
      std::max<std::size_t>(2, kLinesInFlight / std::max<std::size_t>(run.batch, 1)));
  std::size_t lines_given = 0;
  while (!source.done()) {
    std::optional<Text> part = source.Next();
    if (!part) return jobs.Drain() ? LinesEnd::kSourceFailed : LinesEnd::kSinkFailed;
    const auto text = std::make_shared<const Text>(std::move(*part));
    for (std::size_t start = 0, end; start < text->size(); start = end) {
      const std::size_t first_number = lines_given + 1;
      end = BatchEnd(*text, start, run.batch, lines_given);
      const bool taken = jobs.Add([&job, text, start, end, first_number] {
        return RunBatch(job, TextView(*text).substr(start, end - start), first_number);
      });
      if (!taken) return LinesEnd::kSinkFailed;
    }
  }
  return jobs.Drain() ? LinesEnd::kDone : LinesEnd::kSinkFailed;
}

int LinesCommand(const Options& options, const LineJob& job, std::size_t batch, std::istream& in,
                 std::ostream& out, std::ostream& err, LineCounts& counts) {
  std::optional<TextSource> source = OpenInput(options, in, err);
  if (!source) return kExitFile;
  const std::unique_ptr<TextSink> sink = OpenOutput(options, out, err);
  const LineRun run{options.threads.value_or(AllCores()), batch, ""};
  const LinesEnd end = RunLines(*source, *sink, job, run, err, counts);
  int status = end == LinesEnd::kDone ? sink->Finish() : kExitFile;
  if (end == LinesEnd::kSourceFailed) status = InputFailed(options, *source, err);
  if (status != kExitOk) sink->Abandon();
  err << "qor-cli: " << LineSummary(counts) << '\n';
  if (status != kExitOk) return status;
  if (counts.failed) return kExitFailure;
  return counts.changed ? kExitOk : kExitNoResult;
}

FileVerdict LinesOfFile(const Options& options, const LineJob& job, std::size_t batch,
                        const std::filesystem::path& file, const FileTarget& target,
                        std::ostream& err) {
  std::optional<FileStream> stream = OpenFileStream(options, file, target, err);
  if (!stream) return FileVerdict::kFailed;
  const std::string where = EncodeWtf8(PathToText(file)) + ": ";
  LineCounts counts;
  const LineRun run{options.threads.value_or(AllCores()), batch, where};
  const LinesEnd end = RunLines(*stream->source, *stream->sink, job, run, err, counts);
  if (end == LinesEnd::kSourceFailed) SayReadFailed(file, stream->source->error(), err);
  err << "qor-cli: " << where << LineSummary(counts) << '\n';
  const bool changed = counts.changed > 0 || (target.in_place && stream->writing != stream->read);
  if (end != LinesEnd::kDone || counts.failed || (!changed && target.in_place)) {
    stream->sink->Abandon();
    return end == LinesEnd::kDone && !counts.failed ? FileVerdict::kUnchanged
                                                    : FileVerdict::kFailed;
  }
  if (stream->sink->Finish() != kExitOk) return FileVerdict::kFailed;
  return changed ? FileVerdict::kChanged : FileVerdict::kUnchanged;
}

std::string LineSummary(const LineCounts& counts) {
  std::string summary = std::to_string(counts.changed) +
                        (counts.changed == 1 ? " line" : " lines") + " changed, " +
                        std::to_string(counts.unchanged) + " unchanged";
  if (counts.no_result) {
    summary += ", " + std::to_string(counts.no_result) + " left alone (first: line " +
               std::to_string(*counts.first_no_result) + ")";
  }
  if (counts.failed) {
    summary += ", " + std::to_string(counts.failed) + " failed (first: line " +
               std::to_string(*counts.first_failed) + ")";
  }
  return summary;
}

}  // namespace qor
