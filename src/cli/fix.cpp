#include "cli/fix.h"

#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "cli/json.h"
#include "cli/labels.h"
#include "cli/lines.h"
#include "cli/many_files.h"
#include "cli/text_io.h"
#include "cli/text_sink.h"
#include "cli/text_source.h"
#include "diagnosis/diagnose.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

std::string Score(double score) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%+.1f", score);
  return buffer;
}

Text FirstLine(const Text& text) { return text.substr(0, text.find_first_of(u"\r\n")); }

// rank, score, chain, explanation and the result's first line, one candidate a line.
void PrintListing(const Diagnosis& diagnosis, std::ostream& out) {
  for (std::size_t k = 0; k < diagnosis.candidates.size(); ++k) {
    const Candidate& c = diagnosis.candidates[k];
    out << k + 1 << '\t' << Score(c.score) << '\t' << ChainWords(c.chain) << '\t'
        << EncodeWtf8(c.explanation) << '\t' << EncodeWtf8(FirstLine(c.result)) << '\n';
  }
  out.flush();
}

void Explain(const Candidate& best, std::ostream& err) {
  err << "qor-cli apply -- " << ChainWords(best.chain) << '\n'
      << EncodeWtf8(best.explanation) << '\n';
}

bool HasLineBreak(TextView text) { return text.find_first_of(u"\r\n") != TextView::npos; }

Diagnosis DiagnoseFor(const Options& options, TextView text) {
  DiagnosisOptions diagnosis_options;
  diagnosis_options.max_candidates = options.top.value_or(1);
  return Diagnose(text, diagnosis_options);
}

// The candidates as JSON Lines, each with the line's number for a line of --lines.
Text CandidatesJson(const Diagnosis& diagnosis, std::optional<std::size_t> line) {
  Text out;
  for (const Candidate& candidate : diagnosis.candidates) out += CandidateJson(candidate, line);
  return out;
}

// The best repair of one line; the line as it is when it needs none, or when the repair would
// break it in two. With --json, the candidates instead.
LineOutcome FixLine(TextView line, TextView line_end, std::size_t number, const Options& options) {
  if (line.empty() && !options.json) return PassLine(line, line_end, LineVerdict::kUnchanged);
  Diagnosis diagnosis = DiagnoseFor(options, line);
  const LineVerdict verdict =
      diagnosis.NeedsRepair() ? LineVerdict::kChanged : LineVerdict::kUnchanged;
  if (options.json) return {CandidatesJson(diagnosis, number), verdict, {}};
  if (!diagnosis.NeedsRepair()) return PassLine(line, line_end, LineVerdict::kUnchanged);
  Candidate& best = diagnosis.candidates.front();
  if (HasLineBreak(best.result)) {
    return PassLine(line, line_end, LineVerdict::kNoResult,
                    ChainWords(best.chain) + " would break the line; left as it is");
  }
  std::string note;
  if (options.explain) note = ChainWords(best.chain) + '\t' + EncodeWtf8(best.explanation);
  best.result += line_end;
  return {std::move(best.result), LineVerdict::kChanged, std::move(note)};
}

// Lines diagnosed on several threads, a few at a time: a line takes about as long as thousands
// of conversions.
constexpr std::size_t kFixBatch = 8;

LineJob FixLineJob(const Options& options) {
  return [&options](TextView line, TextView line_end, std::size_t number) {
    return FixLine(line, line_end, number, options);
  };
}

int FixLines(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  LineCounts counts;
  const int status = LinesCommand(options, FixLineJob(options), kFixBatch, in, out, err, counts);
  if (status == kExitNoResult) err << "无需修复\n";
  return status;
}

// One file of many: its best repair written to the target.
FileVerdict FixFile(const Options& options, const std::filesystem::path& file,
                    const FileTarget& target, std::ostream& err) {
  Text error;
  Encoding read;
  const std::optional<Text> text = ReadWholeFile(file, options.input_encoding, error, &read);
  if (!text) {
    SayReadFailed(file, error, err);
    return FileVerdict::kFailed;
  }
  const Diagnosis diagnosis = DiagnoseFor(options, *text);
  const bool repair = diagnosis.NeedsRepair();
  const Encoding writing = target.Writing(read);
  const bool changed = repair || (target.in_place && writing != read);
  if (!changed && target.in_place) return FileVerdict::kUnchanged;
  if (repair && options.explain) {
    err << EncodeWtf8(PathToText(file)) << ": ";
    Explain(diagnosis.candidates.front(), err);
  }
  const std::unique_ptr<TextSink> sink =
      FileSink(target.path, writing, target.force, err, target.Exact());
  const bool written = sink->Write(repair ? diagnosis.candidates.front().result : *text) &&
                       sink->Finish() == kExitOk;
  if (!written) return FileVerdict::kFailed;
  return changed ? FileVerdict::kChanged : FileVerdict::kUnchanged;
}

int FixFiles(const Options& options, const std::vector<std::string>& files, std::ostream& err) {
  if (options.top || options.json) {
    err << "qor-cli: --top and --json do not go with files\n";
    return kExitUsage;
  }
  const LineJob line_job = FixLineJob(options);
  return ForEachFile(
      options, files,
      [&](const std::filesystem::path& file, const FileTarget& target, std::ostream& e) {
        return options.lines ? LinesOfFile(options, line_job, kFixBatch, file, target, e)
                             : FixFile(options, file, target, e);
      },
      err);
}

}  // namespace

int Fix(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  if (options.operands.size() > 1) {
    return FixFiles(options, {options.operands.begin() + 1, options.operands.end()}, err);
  }
  if (options.in_place) {
    err << "qor-cli: --in-place needs files: fix FILE...\n";
    return kExitUsage;
  }
  if (options.lines) {
    if (options.top && !options.json) {
      err << "qor-cli: --top with --lines needs --json\n";
      return kExitUsage;
    }
    return FixLines(options, in, out, err);
  }
  int status = kExitOk;
  const std::optional<Text> text = ReadInput(options, in, err, status);
  if (!text) return status;
  const Diagnosis diagnosis = DiagnoseFor(options, *text);
  status = kExitOk;
  if (options.json) {
    status = WriteOutput(options, CandidatesJson(diagnosis, std::nullopt), out, err);
  } else if (options.top) {
    PrintListing(diagnosis, out);
  }
  if (status != kExitOk) return status;
  if (!diagnosis.NeedsRepair()) {
    err << "无需修复\n";
    return kExitNoResult;
  }
  if (options.top || options.json) return kExitOk;
  if (options.explain) Explain(diagnosis.candidates.front(), err);
  return WriteOutput(options, diagnosis.candidates.front().result, out, err);
}

}  // namespace qor
