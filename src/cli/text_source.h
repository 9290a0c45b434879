#pragma once
// Text read in parts, each cut after a line end of its encoding so that it decodes on its own
// exactly as within the whole: standard input as UTF-8, or a file in its encoding.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/encodings.h"
#include "platform/text.h"

namespace qor {

// How many bytes one read asks for.
inline constexpr std::size_t kReadBlock = 1 << 16;

// The next block of bytes; empty at the end; nullopt on failure, the reason in `error`.
using ReadBlock = std::function<std::optional<Bytes>(Text& error)>;

// A part's bytes as text; nullopt when they are invalid, the offset of the first invalid byte
// within them in `error_offset`. `first` for the file's first part.
using DecodePart =
    std::function<std::optional<Text>(BytesView part, bool first, std::size_t& error_offset)>;

class TextSource {
 public:
  // `line_end`: "\n", or a UTF-16 line feed's two bytes, found only at even offsets.
  TextSource(ReadBlock read, DecodePart decode, BytesView line_end);

  // The next part (possibly empty); nullopt after a failure: a read error (the reason in
  // error()) or invalid bytes (at offset()).
  std::optional<Text> Next();
  // Whether every part has been given.
  bool done() const { return ended_ && pending_.empty(); }
  const Text& error() const { return error_; }
  std::size_t offset() const { return offset_; }

 private:
  std::size_t CutPoint(std::size_t limit) const;
  std::optional<Text> Decode(std::size_t end);

  ReadBlock read_;
  DecodePart decode_;
  Bytes line_end_;
  Bytes pending_;
  bool first_ = true;
  bool ended_ = false;
  std::size_t offset_ = 0;  // of pending_'s first byte in the whole input
  Text error_;
};

// Standard input as UTF-8 (lone surrogates in their three-byte form).
[[nodiscard]] TextSource Utf8Source(std::istream& in);

// A file as the window reads it: the requested encoding code settled against what the whole
// file shows (a first pass over it), then read part by part; or in the code page asked for.
// The encoding read in goes to `settled`. nullopt with the reason in `error` when the file
// cannot be read.
[[nodiscard]] std::optional<TextSource> FileSource(const std::filesystem::path& path,
                                                   Encoding requested, Text& error,
                                                   Encoding* settled = nullptr);

// A whole file's text as FileSource reads it; nullopt with the reason in `error`.
[[nodiscard]] std::optional<Text> ReadWholeFile(const std::filesystem::path& path,
                                                Encoding requested, Text& error,
                                                Encoding* settled = nullptr);

}  // namespace qor
