#include "cli/text_io.h"

#include <iostream>
#include <iterator>

#include "cli/cli.h"
#include "cli/command_line_ui.h"
#include "platform/file_system.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"

namespace qor {

std::filesystem::path FilePath(const std::string& arg) { return std::filesystem::path(arg); }

std::optional<Text> ReadInput(const Options& options, std::istream& in, std::ostream& err,
                              int& status) {
  if (options.input) {
    CommandLineUi ui(err, options.force);
    std::optional<TextFile> file =
        ReadTextFile(FilePath(*options.input), options.input_code, DiskFileSystem(), ui);
    status = kExitFile;
    if (!file) return std::nullopt;
    return std::move(file->text);
  }
  const Bytes bytes(std::istreambuf_iterator<char>(in), {});
  std::size_t offset = 0;
  std::optional<Text> text = DecodeWtf8(bytes, &offset);
  if (!text) {
    err << "qor-cli: the input is not valid UTF-8 (byte offset " << offset << ")\n";
    status = kExitUsage;
  }
  return text;
}

int WriteOutput(const Options& options, TextView text, std::ostream& out, std::ostream& err) {
  if (options.output) {
    CommandLineUi ui(err, options.force);
    const bool written =
        WriteTextFile(text, FilePath(*options.output), options.output_code, DiskFileSystem(), ui)
            .has_value();
    return written ? kExitOk : kExitFile;
  }
  const Bytes encoded = EncodeWtf8(text);
  out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  out.flush();
  return kExitOk;
}

}  // namespace qor
