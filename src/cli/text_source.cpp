#include "cli/text_source.h"

#include <istream>

#include "cli/encodings.h"
#include "codepage/byte_strings.h"
#include "codepage/text_files.h"
#include "platform/file_system.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

ReadBlock StreamBlocks(std::istream& in) {
  return [&in](Text&) -> std::optional<Bytes> {
    Bytes block(kReadBlock, '\0');
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    block.resize(static_cast<std::size_t>(in.gcount()));
    return block;
  };
}

ReadBlock FileBlocks(std::shared_ptr<OpenFile> file) {
  return [file = std::move(file)](Text& error) { return file->Read(kReadBlock, error); };
}

std::optional<Text> DecodeUtf8Part(BytesView part, bool, std::size_t& error_offset) {
  return DecodeWtf8(part, &error_offset);
}

bool IsAscii(BytesView bytes) {
  for (const char b : bytes) {
    if (static_cast<unsigned char>(b) >= 0x80) return false;
  }
  return true;
}

// What a whole file shows, gathered block by block: DetectEncoding's marks and line breaks,
// and whether it is non-ASCII UTF-8.
class FileSigns {
 public:
  void Add(BytesView block) {
    // Two blocks' boundary: the last two bytes again, behind two zero bytes that are no mark.
    const Bytes joined = first_ ? Bytes(block) : "\0\0"s + tail_ + Bytes(block);
    Note(DetectEncoding(joined));
    first_ = false;
    tail_ = Bytes(block.substr(block.size() >= 2 ? block.size() - 2 : 0));
    utf8_pending_ += block;
    CheckUtf8(utf8_pending_.find_last_of("\n"));
  }
  // The code the file is read with, and whether it is UTF-8 throughout.
  std::int16_t Settle(std::int16_t requested) {
    CheckUtf8(utf8_pending_.empty() ? Bytes::npos : utf8_pending_.size() - 1);
    const std::int16_t detected = mark_ ? mark_
                                  : le_ ? kEncodingUnicodeNoBom
                                  : be_ ? kEncodingUnicodeBeNoBom
                                        : kEncodingAutomatic;
    return SettleEncoding(requested, detected, utf8_ && non_ascii_);
  }
  bool utf8() const { return utf8_; }

 private:
  void Note(std::int16_t detected) {
    if (first_ && detected >= kEncodingUnicode && detected <= kEncodingUtf8) mark_ = detected;
    le_ = le_ || detected == kEncodingUnicodeNoBom;
    be_ = be_ || detected == kEncodingUnicodeBeNoBom;
  }
  // The bytes up to and with `last` are whole lines (or the whole rest).
  void CheckUtf8(std::size_t last) {
    if (last == Bytes::npos) return;
    const BytesView lines = BytesView(utf8_pending_).substr(0, last + 1);
    const bool ascii = IsAscii(lines);
    non_ascii_ = non_ascii_ || !ascii;
    utf8_ = utf8_ && (ascii || IsNonAsciiUtf8(lines));
    utf8_pending_.erase(0, last + 1);
  }

  bool first_ = true;
  Bytes tail_;
  Bytes utf8_pending_;
  std::int16_t mark_ = 0;
  bool le_ = false, be_ = false;
  bool utf8_ = true, non_ascii_ = false;
};

// Files read as UTF-8 that are not valid UTF-8 throughout go through the program's own decoder
// as a whole, as the window reads them.
DecodePart FileDecoder(std::int16_t code, bool utf8) {
  return [code, utf8](BytesView part, bool first, std::size_t&) -> std::optional<Text> {
    const std::int16_t part_code = first ? code : WithoutMark(code);
    if (part_code != kEncodingUtf8 && part_code != kEncodingUtf8NoBom) {
      return DecodeTextFile(part, part_code);
    }
    Text text = utf8 ? DecodeWtf8(part).value_or(Text()) : Utf8BytesToText(part);
    if (part_code == kEncodingUtf8 && !text.empty()) text.erase(0, 1);
    ZerosToSpaces(text);
    return text;
  };
}

BytesView LineEnd(std::int16_t code) {
  if (code == kEncodingUnicode || code == kEncodingUnicodeNoBom) return "\n\0"sv;
  if (code == kEncodingUnicodeBe || code == kEncodingUnicodeBeNoBom) return "\0\n"sv;
  return "\n"sv;
}

std::optional<std::int16_t> SettleFile(const std::filesystem::path& path, std::int16_t requested,
                                       bool& utf8, Text& error) {
  std::unique_ptr<OpenFile> file = DiskFileSystem().OpenForReading(path, error);
  if (!file) return std::nullopt;
  FileSigns signs;
  for (;;) {
    const std::optional<Bytes> block = file->Read(kReadBlock, error);
    if (!block) return std::nullopt;
    if (block->empty()) break;
    signs.Add(*block);
  }
  utf8 = signs.utf8();
  return signs.Settle(requested);
}

}  // namespace

TextSource::TextSource(ReadBlock read, DecodePart decode, BytesView line_end)
    : read_(std::move(read)), decode_(std::move(decode)), line_end_(line_end) {}

// After the last line end in the pending bytes (at an even offset for UTF-16); 0 when none.
std::size_t TextSource::CutPoint() const {
  if (line_end_.size() == 1) {
    const std::size_t at = pending_.rfind(line_end_[0]);
    return at == Bytes::npos ? 0 : at + 1;
  }
  for (std::size_t at = pending_.size() & ~std::size_t{1}; at >= 2; at -= 2) {
    if (BytesView(pending_).substr(at - 2, 2) == line_end_) return at;
  }
  return 0;
}

std::optional<Text> TextSource::Decode(std::size_t end) {
  std::size_t error_offset = 0;
  std::optional<Text> text = decode_(BytesView(pending_).substr(0, end), first_, error_offset);
  if (!text) {
    offset_ += error_offset;
    return std::nullopt;
  }
  first_ = false;
  offset_ += end;
  pending_.erase(0, end);
  return text;
}

std::optional<Text> TextSource::Next() {
  while (!ended_) {
    const std::optional<Bytes> block = read_(error_);
    if (!block) return std::nullopt;
    ended_ = block->empty();
    pending_ += *block;
    const std::size_t cut = ended_ ? pending_.size() : CutPoint();
    if (cut > 0) return Decode(cut);
  }
  return Text();
}

TextSource Utf8Source(std::istream& in) {
  return TextSource(StreamBlocks(in), DecodeUtf8Part, "\n"sv);
}

std::optional<TextSource> FileSource(const std::filesystem::path& path, std::int16_t requested,
                                     Text& error) {
  bool utf8 = true;
  const std::optional<std::int16_t> code = SettleFile(path, requested, utf8, error);
  if (!code) return std::nullopt;
  std::shared_ptr<OpenFile> file = DiskFileSystem().OpenForReading(path, error);
  if (!file) return std::nullopt;
  return TextSource(FileBlocks(std::move(file)), FileDecoder(*code, utf8), LineEnd(*code));
}

}  // namespace qor
