#include "cli/text_source.h"

#include <algorithm>
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
  EncodingCode Settle(EncodingCode requested) {
    CheckUtf8(utf8_pending_.empty() ? Bytes::npos : utf8_pending_.size() - 1);
    const EncodingCode detected = mark_ ? mark_
                                  : le_ ? kEncodingUnicodeNoBom
                                  : be_ ? kEncodingUnicodeBeNoBom
                                        : kEncodingAutomatic;
    return SettleEncoding(requested, detected, utf8_ && non_ascii_);
  }
  bool utf8() const { return utf8_; }

 private:
  void Note(EncodingCode detected) {
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
  EncodingCode mark_ = kEncodingAutomatic;
  bool le_ = false, be_ = false;
  bool utf8_ = true, non_ascii_ = false;
};

// Files read as UTF-8 that are not valid UTF-8 throughout go through the program's own decoder
// as a whole, as the window reads them.
DecodePart FileDecoder(EncodingCode code, bool utf8) {
  return [code, utf8](BytesView part, bool first, std::size_t&) -> std::optional<Text> {
    const EncodingCode part_code = first ? code : WithoutMark(code);
    if (part_code != kEncodingUtf8 && part_code != kEncodingUtf8NoBom) {
      return DecodeTextFile(part, part_code);
    }
    Text text = utf8 ? DecodeWtf8(part).value_or(Text()) : Utf8BytesToText(part);
    if (part_code == kEncodingUtf8 && !text.empty()) text.erase(0, 1);
    ZerosToSpaces(text);
    return text;
  };
}

BytesView LineEnd(EncodingCode code) {
  if (code == kEncodingUnicode || code == kEncodingUnicodeNoBom) return "\n\0"sv;
  if (code == kEncodingUnicodeBe || code == kEncodingUnicodeBeNoBom) return "\0\n"sv;
  return "\n"sv;
}

std::optional<EncodingCode> SettleFile(const std::filesystem::path& path, EncodingCode requested,
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

// A file in a code page of its own, as asked: no mark looked for. Cut after line feeds where
// that is safe, else read whole.
std::optional<TextSource> CodePageSource(const std::filesystem::path& path, int code_page,
                                         Text& error, Encoding* settled) {
  std::shared_ptr<OpenFile> file = DiskFileSystem().OpenForReading(path, error);
  if (!file) return std::nullopt;
  if (settled) *settled = Encoding{kEncodingAutomatic, code_page};
  DecodePart decode = [code_page](BytesView part, bool, std::size_t&) {
    return DecodeCodePageFile(part, code_page);
  };
  return TextSource(FileBlocks(std::move(file)), std::move(decode),
                    CutsAfterLineFeeds(code_page) ? "\n"sv : ""sv);
}

}  // namespace

TextSource::TextSource(ReadBlock read, DecodePart decode, BytesView line_end)
    : read_(std::move(read)), decode_(std::move(decode)), line_end_(line_end) {}

// After the last line end in the first `limit` pending bytes (at an even offset for UTF-16); 0
// when none.
std::size_t TextSource::CutPoint(std::size_t limit) const {
  const BytesView pending = BytesView(pending_).substr(0, limit);
  if (line_end_.empty()) return 0;
  if (line_end_.size() == 1) {
    const std::size_t at = pending.rfind(line_end_[0]);
    return at == Bytes::npos ? 0 : at + 1;
  }
  for (std::size_t at = pending.size() & ~std::size_t{1}; at >= 2; at -= 2) {
    if (pending.substr(at - 2, 2) == line_end_) return at;
  }
  return 0;
}

std::optional<Text> TextSource::Decode(std::size_t end) {
  std::size_t error_offset = 0;
  std::optional<Text> text = decode_(BytesView(pending_).substr(0, end), first_, error_offset);
  if (!text) {
    // The whole lines before the invalid bytes still come out; the failure comes next.
    const std::size_t good = CutPoint(std::min(error_offset, end));
    if (good > 0 && good < end) return Decode(good);
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
    const std::size_t cut = ended_ ? pending_.size() : CutPoint(pending_.size());
    if (cut > 0) return Decode(cut);
  }
  return pending_.empty() ? Text() : Decode(pending_.size());
}

TextSource Utf8Source(std::istream& in) {
  return TextSource(StreamBlocks(in), DecodeUtf8Part, "\n"sv);
}

std::optional<TextSource> FileSource(const std::filesystem::path& path, Encoding requested,
                                     Text& error, Encoding* settled) {
  if (requested.code_page) return CodePageSource(path, requested.code_page, error, settled);
  bool utf8 = true;
  const std::optional<EncodingCode> code = SettleFile(path, requested.code, utf8, error);
  if (!code) return std::nullopt;
  if (settled) *settled = Encoding{*code};
  std::shared_ptr<OpenFile> file = DiskFileSystem().OpenForReading(path, error);
  if (!file) return std::nullopt;
  return TextSource(FileBlocks(std::move(file)), FileDecoder(*code, utf8), LineEnd(*code));
}

std::optional<Text> ReadWholeFile(const std::filesystem::path& path, Encoding requested,
                                  Text& error, Encoding* settled) {
  std::optional<TextSource> source = FileSource(path, requested, error, settled);
  if (!source) return std::nullopt;
  Text text;
  while (!source->done()) {
    const std::optional<Text> part = source->Next();
    if (!part) {
      error = source->error();
      return std::nullopt;
    }
    text += *part;
  }
  return text;
}

}  // namespace qor
