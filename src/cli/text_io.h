#pragma once
// The text a command works on, from -i FILE or standard input, and its result, to -o FILE or
// standard output.

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/options.h"
#include "cli/text_sink.h"
#include "cli/text_source.h"
#include "platform/text.h"

namespace qor {

// A file argument: the bytes the shell gave, whatever their encoding, are the file's name.
[[nodiscard]] std::filesystem::path FilePath(const std::string& arg);

// Says on `err` that a file could not be read, and why.
void SayReadFailed(const std::filesystem::path& file, TextView why, std::ostream& err);

// The text of -i FILE in its encoding, or of standard input as UTF-8; nullopt with the exit
// status in `status` after saying why on `err`.
[[nodiscard]] std::optional<Text> ReadInput(const Options& options, std::istream& in,
                                            std::ostream& err, int& status);

// The text of -i FILE in its encoding, or of standard input as UTF-8, part by part; nullopt
// after saying on `err` why the file cannot be read.
[[nodiscard]] std::optional<TextSource> OpenInput(const Options& options, std::istream& in,
                                                  std::ostream& err);

// Says on `err` why the input failed part-way; the exit status.
int InputFailed(const Options& options, const TextSource& source, std::ostream& err);

// Where the parts of the result go: -o FILE or standard output.
[[nodiscard]] std::unique_ptr<TextSink> OpenOutput(const Options& options, std::ostream& out,
                                                   std::ostream& err);

// Writes the result to -o FILE or standard output; the exit status.
int WriteOutput(const Options& options, TextView text, std::ostream& out, std::ostream& err);

}  // namespace qor
