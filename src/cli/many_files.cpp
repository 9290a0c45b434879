#include "cli/many_files.h"

#include <ostream>
#include <set>
#include <system_error>

#include "cli/cli.h"
#include "cli/command_line_ui.h"
#include "cli/text_io.h"
#include "platform/path_text.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

int UsageError(const std::string& error, std::ostream& err) {
  err << "qor-cli: " << error << '\n';
  return kExitUsage;
}

// What is wrong with the options for files; empty when nothing.
std::string FileOptionsError(const Options& options, std::size_t files, bool folder) {
  if (files == 0) return "no files given";
  if (options.input) return "-i does not go with files";
  if (options.in_place && options.output) return "--in-place and -o do not go together";
  if (!options.in_place && !options.output) {
    return "files need --in-place or -o FOLDER (-i FILE reads one to standard output)";
  }
  if (options.output && !folder && files > 1) return "-o with several files needs a folder";
  return "";
}

}  // namespace

Encoding FileTarget::Writing(Encoding read) const {
  if (asked) return *asked;
  return in_place ? read : kUtf8WithoutMark;
}

std::optional<FileStream> OpenFileStream(const Options& options, const std::filesystem::path& file,
                                         const FileTarget& target, std::ostream& err) {
  FileStream stream;
  Text error;
  stream.source = FileSource(file, options.input_encoding, error, &stream.read);
  if (!stream.source) {
    SayReadFailed(file, error, err);
    return std::nullopt;
  }
  stream.writing = target.Writing(stream.read);
  stream.sink = FileSink(target.path, stream.writing, target.force, err, target.Exact());
  return stream;
}

int ForEachFile(const Options& options, const std::vector<std::string>& files, const FileJob& job,
                std::ostream& err) {
  std::error_code ignored;
  const bool folder =
      options.output && std::filesystem::is_directory(FilePath(*options.output), ignored);
  const std::string error = FileOptionsError(options, files.size(), folder);
  if (!error.empty()) return UsageError(error, err);
  std::size_t changed = 0, unchanged = 0, failed = 0;
  std::set<std::filesystem::path> targets;
  for (const std::string& name : files) {
    const std::filesystem::path file = FilePath(name);
    FileTarget target{.path = file,
                      .in_place = options.in_place,
                      .asked = options.output_encoding_given
                                   ? std::optional<Encoding>(options.output_encoding)
                                   : std::nullopt,
                      .force = options.force};
    if (options.output) {
      target.path = folder ? FilePath(*options.output) / NameOf(file) : FilePath(*options.output);
    }
    FileVerdict verdict = FileVerdict::kFailed;
    if (!options.in_place && !targets.insert(target.path).second) {
      // Two files of the same name into one folder: the second would replace the first.
      CommandLineUi(err, options.force)
          .ShowMessage(PathMessage(file, u"保存 拒绝~ " + PathToText(target.path) +
                                             u" was written from another file of this run"));
    } else {
      verdict = job(file, target, err);
    }
    ++(verdict == FileVerdict::kChanged     ? changed
       : verdict == FileVerdict::kUnchanged ? unchanged
                                            : failed);
  }
  err << "qor-cli: " << changed << " changed, " << unchanged << " unchanged, " << failed
      << " failed\n";
  if (failed) return kExitFile;
  return changed ? kExitOk : kExitNoResult;
}

}  // namespace qor
