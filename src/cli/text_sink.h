#pragma once
// Where the text of a streaming command goes, part by part: standard output as UTF-8, or a file
// in an encoding, saved as the window saves (the old file kept as FILE.bak until the new one is
// complete, links kept) once the whole text has been written beside it.

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>

#include "cli/encodings.h"
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

// `exact`: a text that the encoding cannot hold whole fails rather than being written with "?".
[[nodiscard]] std::unique_ptr<TextSink> FileSink(const std::filesystem::path& path,
                                                 Encoding encoding, bool force, std::ostream& err,
                                                 bool exact = false);

// Parts as the encoding's bytes: a surrogate pair split between two parts is written whole, and
// a byte-order mark only before the first part.
class PartEncoder {
 public:
  explicit PartEncoder(Encoding encoding, bool exact = false)
      : encoding_(encoding), exact_(exact) {}
  // nullopt when the platform lacks the encoding's code page, or when `exact` and the encoding
  // cannot hold the text (lost() then says so).
  std::optional<Bytes> Encode(TextView text, bool last);
  bool lost() const { return lost_; }

 private:
  Encoding encoding_;
  bool exact_;
  bool lost_ = false;
  bool first_ = true;
  Text held_;  // a high surrogate that ended the part before
};

}  // namespace qor
