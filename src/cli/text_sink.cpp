#include "cli/text_sink.h"

#include <ostream>
#include <string>

#include "cli/cli.h"
#include "cli/command_line_ui.h"
#include "cli/encodings.h"
#include "codepage/text_files.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

constexpr std::size_t kCopyBlock = 1 << 20;
constexpr int kTemporaryNames = 100;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

class StandardOutput : public TextSink {
 public:
  explicit StandardOutput(std::ostream& out) : out_(out), encoder_(kUtf8WithoutMark) {}
  bool Write(TextView text) override { return Put(text, false); }
  int Finish() override {
    Put({}, true);
    out_.flush();
    return kExitOk;
  }

 private:
  bool Put(TextView text, bool last) {
    const std::optional<Bytes> bytes = encoder_.Encode(text, last);
    out_.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    return true;
  }
  std::ostream& out_;
  PartEncoder encoder_;
};

// The text goes to a hidden file beside the target first; when it is complete, it is saved
// from there, so that reading a file being replaced (in place) is never cut short.
class FileOutput : public TextSink {
 public:
  FileOutput(std::filesystem::path path, Encoding encoding, bool force, std::ostream& err,
             bool exact)
      : path_(std::move(path)), encoding_(encoding), encoder_(encoding, exact), ui_(err, force) {}
  ~FileOutput() override { Abandon(); }

  bool Write(TextView text) override { return Put(text, false); }
  int Finish() override;
  void Abandon() override;

 private:
  bool Put(TextView text, bool last);
  bool Open();
  bool Fail(const Text& error);
  bool CopyInto(OpenFile& out, Text& error);

  std::filesystem::path path_;
  Encoding encoding_;
  PartEncoder encoder_;
  CommandLineUi ui_;
  std::unique_ptr<OpenFile> temporary_;
  std::optional<std::filesystem::path> temporary_path_;
};

bool FileOutput::Fail(const Text& error) {
  ui_.ShowMessage(PathMessage(path_, error));
  Abandon();
  return false;
}

bool FileOutput::Open() {
  Text error;
  for (int n = 1; n <= kTemporaryNames; ++n) {
    const auto candidate = Append(FolderOf(path_), ".qor-cli-" + std::to_string(n) + ".tmp");
    temporary_ = DiskFileSystem().CreateNew(candidate, error);
    if (temporary_) {
      temporary_path_ = candidate;
      return true;
    }
  }
  return Fail(error);
}

bool FileOutput::Put(TextView text, bool last) {
  if (!temporary_ && !Open()) return false;
  const std::optional<Bytes> bytes = encoder_.Encode(text, last);
  if (!bytes && encoder_.lost()) {
    return Fail(u"保存 失败~ " + EncodingLabel(encoding_) +
                u" cannot hold every character of the result (--out-encoding chooses another)");
  }
  if (!bytes) return Fail(Text(kNoCodePage));
  Text error;
  return WriteFileBytes(*temporary_, *bytes, error) || Fail(error);
}

bool FileOutput::CopyInto(OpenFile& out, Text& error) {
  std::unique_ptr<OpenFile> in = DiskFileSystem().OpenForReading(*temporary_path_, error);
  for (std::optional<Bytes> block; in && (block = in->Read(kCopyBlock, error));) {
    if (block->empty()) return true;
    if (!out.Write(*block, error)) return false;
  }
  return false;
}

int FileOutput::Finish() {
  if (!Put({}, true)) return kExitFile;
  Text error;
  const bool closed = temporary_->Close(error);
  temporary_.reset();
  if (!closed) return Fail(error), kExitFile;
  const auto copy = [this](OpenFile& out, Text& e) { return CopyInto(out, e); };
  const bool saved = WriteFile(path_, copy, DiskFileSystem(), ui_);
  Abandon();
  return saved ? kExitOk : kExitFile;
}

void FileOutput::Abandon() {
  Text ignored;
  if (temporary_) temporary_->Close(ignored);
  temporary_.reset();
  if (temporary_path_) DiskFileSystem().Remove(*temporary_path_, ignored);
  temporary_path_.reset();
}

}  // namespace

std::optional<Bytes> PartEncoder::Encode(TextView text, bool last) {
  Text part = std::move(held_);
  part += text;
  held_.clear();
  if (!last && !part.empty() && IsHighSurrogate(part.back())) {
    held_ = part.back();
    part.pop_back();
  }
  const Encoding encoding = first_ ? encoding_ : WithoutMark(encoding_);
  first_ = false;
  std::optional<Bytes> bytes = EncodeIn(part, encoding);
  if (bytes && exact_ && !HoldsAnyText(encoding) && DecodeIn(*bytes, encoding) != part) {
    lost_ = true;
    return std::nullopt;
  }
  return bytes;
}

std::unique_ptr<TextSink> StreamSink(std::ostream& out) {
  return std::make_unique<StandardOutput>(out);
}

std::unique_ptr<TextSink> FileSink(const std::filesystem::path& path, Encoding encoding, bool force,
                                   std::ostream& err, bool exact) {
  return std::make_unique<FileOutput>(path, encoding, force, err, exact);
}

}  // namespace qor
