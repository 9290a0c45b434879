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

void SayReadFailed(const std::filesystem::path& file, TextView why, std::ostream& err) {
  CommandLineUi(err, false).ShowMessage(PathMessage(file, Text(kOpenFailed) + Text(why)));
}

std::optional<Text> ReadInput(const Options& options, std::istream& in, std::ostream& err,
                              int& status) {
  if (options.input) {
    Text error;
    std::optional<Text> text =
        ReadWholeFile(FilePath(*options.input), options.input_encoding, error);
    if (!text) {
      SayReadFailed(FilePath(*options.input), error, err);
      status = kExitFile;
    }
    return text;
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
    const std::unique_ptr<TextSink> sink = OpenOutput(options, out, err);
    return sink->Write(text) ? sink->Finish() : kExitFile;
  }
  const Bytes encoded = EncodeWtf8(text);
  out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  out.flush();
  return kExitOk;
}

std::optional<TextSource> OpenInput(const Options& options, std::istream& in, std::ostream& err) {
  if (!options.input) return Utf8Source(in);
  Text error;
  std::optional<TextSource> source =
      FileSource(FilePath(*options.input), options.input_encoding, error);
  if (!source) SayReadFailed(FilePath(*options.input), error, err);
  return source;
}

int InputFailed(const Options& options, const TextSource& source, std::ostream& err) {
  if (!options.input) {
    err << "qor-cli: the input is not valid UTF-8 (byte offset " << source.offset() << ")\n";
    return kExitUsage;
  }
  SayReadFailed(FilePath(*options.input), source.error(), err);
  return kExitFile;
}

std::unique_ptr<TextSink> OpenOutput(const Options& options, std::ostream& out, std::ostream& err) {
  if (!options.output) return StreamSink(out);
  return FileSink(FilePath(*options.output), options.output_encoding, options.force, err);
}

}  // namespace qor
