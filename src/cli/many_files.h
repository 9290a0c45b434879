#pragma once
// Many files in one run: each rewritten in place (the old one kept as FILE.bak until the new one
// is complete) or written into a folder under its own name; a summary on standard error.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/text_sink.h"
#include "cli/text_source.h"

namespace qor {

enum class FileVerdict { kChanged, kUnchanged, kFailed };

// Where one file's result goes.
struct FileTarget {
  std::filesystem::path path;  // the file itself when in place
  bool in_place = false;
  std::optional<Encoding> asked;  // with --out-encoding
  bool force = false;
  // The encoding the result is written in for a file read in `read`: the one asked for, else
  // the file's own in place, else UTF-8 without a mark.
  [[nodiscard]] Encoding Writing(Encoding read) const;
  // Whether a result that the encoding cannot hold whole must fail rather than hold "?": in
  // place when no encoding was asked for.
  [[nodiscard]] bool Exact() const { return in_place && !asked; }
};

// One file of many opened to be streamed into its target.
struct FileStream {
  std::optional<TextSource> source;
  Encoding read;     // the encoding the file is read in
  Encoding writing;  // the encoding its target is written in
  std::unique_ptr<TextSink> sink;
};

// nullopt after saying on `err` why the file cannot be read.
[[nodiscard]] std::optional<FileStream> OpenFileStream(const Options& options,
                                                       const std::filesystem::path& file,
                                                       const FileTarget& target, std::ostream& err);

// The work on one file; it says on `err` what went wrong. A file is changed when its text
// changed, or in place its encoding. Unchanged files in place are left untouched; in a folder
// they are written all the same, so that the folder holds every file.
using FileJob = std::function<FileVerdict(const std::filesystem::path& file,
                                          const FileTarget& target, std::ostream& err)>;

// Runs the job on each file in turn: "--in-place", or "-o DIR" with an existing folder (or a
// file name when there is one file). The summary on `err`; the exit status: 0 when all went
// well, 1 when no file needed a change, 3 when a file failed (the others still done), 2 for
// a usage error.
int ForEachFile(const Options& options, const std::vector<std::string>& files, const FileJob& job,
                std::ostream& err);

}  // namespace qor
