#pragma once
// The text a command works on, from -i FILE or standard input, and its result, to -o FILE or
// standard output.

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/options.h"
#include "platform/text.h"

namespace qor {

// A file argument: the bytes the shell gave, whatever their encoding, are the file's name.
[[nodiscard]] std::filesystem::path FilePath(const std::string& arg);

// The text of -i FILE in its encoding, or of standard input as UTF-8; nullopt with the exit
// status in `status` after saying why on `err`.
[[nodiscard]] std::optional<Text> ReadInput(const Options& options, std::istream& in,
                                            std::ostream& err, int& status);

// Writes the result to -o FILE or standard output; the exit status.
int WriteOutput(const Options& options, TextView text, std::ostream& out, std::ostream& err);

}  // namespace qor
