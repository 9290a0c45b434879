#pragma once
// Records: each line of the input its own text (a CSV column, a log line), run on several
// threads, one output line per input line, in order.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "platform/text.h"

namespace qor {

class TextSource;
class TextSink;

enum class LineVerdict { kUnchanged, kChanged, kNoResult, kFailed };

// What one line gave.
struct LineOutcome {
  Text out;  // what is written for the line, its line end included
  LineVerdict verdict = LineVerdict::kUnchanged;
  std::string note;  // said on standard error after the line's number; empty for nothing
};

// The work on one line: its text without the line end, the line end ("\n", "\r\n" or nothing
// for a last line without one), and its number from 1. Called on several threads at once.
using LineJob = std::function<LineOutcome(TextView line, TextView line_end, std::size_t number)>;

// How many lines gave each verdict, and the first line of each kind that did not go well.
struct LineCounts {
  std::size_t changed = 0;
  std::size_t unchanged = 0;
  std::size_t no_result = 0;
  std::size_t failed = 0;
  std::optional<std::size_t> first_no_result;
  std::optional<std::size_t> first_failed;

  void Add(LineVerdict verdict, std::size_t line_number);
  std::size_t Lines() const { return changed + unchanged + no_result + failed; }
};

// The line's text out as it came in: with its own line end, byte for byte.
[[nodiscard]] LineOutcome PassLine(TextView line, TextView line_end, LineVerdict verdict,
                                   std::string note = {});

enum class LinesEnd { kDone, kSourceFailed, kSinkFailed };

// How the lines are run: on how many threads, how many lines a thread takes at once.
struct LineRun {
  std::size_t threads = 1;
  std::size_t batch = 64;
  std::string where;  // said before each line's number: a file's path and ": ", or nothing
};

// Runs the job on every line of the source and writes what each gave, in order, its notes on
// `err`. A failing source or sink stops the run with what came before written; the counts hold
// the lines written.
[[nodiscard]] LinesEnd RunLines(TextSource& source, TextSink& sink, const LineJob& job, LineRun run,
                                std::ostream& err, LineCounts& counts);

struct Options;
struct FileTarget;
enum class FileVerdict;

// A command's lines: from -i FILE or standard input to -o FILE or standard output, the summary
// on `err`. The exit status: 0 when a line changed, 1 when none did, 4 when a line failed, or
// the input's or output's failure.
int LinesCommand(const Options& options, const LineJob& job, std::size_t batch, std::istream& in,
                 std::ostream& out, std::ostream& err, LineCounts& counts);

// One file of many, line by line, into its target: changed when a line changed (or the
// encoding); the summary on `err` after the file's path.
FileVerdict LinesOfFile(const Options& options, const LineJob& job, std::size_t batch,
                        const std::filesystem::path& file, const FileTarget& target,
                        std::ostream& err);

// "12 lines changed, 3 unchanged, 1 without result (first: line 7)", for standard error.
[[nodiscard]] std::string LineSummary(const LineCounts& counts);

}  // namespace qor
