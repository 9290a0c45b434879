#pragma once
// Where the text of a streaming command goes, part by part: standard output as UTF-8, or a file
// in an encoding, saved as the window saves (the old file kept as FILE.bak until the new one is
// complete, links kept) once the whole text has been written beside it.

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>

#include "platform/text.h"

namespace qor {

class TextSink {
 public:
  virtual ~TextSink() = default;
  // Writes a part; false after a failure said on standard error.
  virtual bool Write(TextView text) = 0;
  // After the last part: the exit status.
  virtual int Finish() = 0;
  // The command stopped: nothing more comes, and a file is left as it was.
  virtual void Abandon() {}
};

[[nodiscard]] std::unique_ptr<TextSink> StreamSink(std::ostream& out);

[[nodiscard]] std::unique_ptr<TextSink> FileSink(const std::filesystem::path& path,
                                                 std::int16_t code, bool force, std::ostream& err);

// Parts as the encoding's bytes: a surrogate pair split between two parts is written whole, and
// a byte-order mark only before the first part.
class PartEncoder {
 public:
  explicit PartEncoder(std::int16_t code) : code_(code) {}
  // nullopt when the platform lacks the encoding's code page.
  std::optional<Bytes> Encode(TextView text, bool last);

 private:
  std::int16_t code_;
  bool first_ = true;
  Text held_;  // a high surrogate that ended the part before
};

}  // namespace qor
