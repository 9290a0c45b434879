#include "session/text_file_io.h"

#include <algorithm>

#include "codepage/text_files.h"
#include "platform/path_text.h"

namespace qor {
namespace {

constexpr std::size_t kChunk = 1 << 16;

}  // namespace

Text PathMessage(const std::filesystem::path& path, TextView text) {
  Text out = PathToText(path);
  out += kBlankLine;
  out += text;
  return out;
}

std::optional<Bytes> ReadFileBytes(OpenFile& file, std::int64_t length, Text& error) {
  Bytes out;
  while (length > 0) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(length, kChunk));
    std::optional<Bytes> chunk = file.Read(want, error);
    if (!chunk) return std::nullopt;
    out += *chunk;
    if (chunk->size() < want) break;
    length -= static_cast<std::int64_t>(want);
  }
  return out;
}

bool WriteFileBytes(OpenFile& file, BytesView bytes, Text& error) {
  for (std::size_t done = 0; done < bytes.size(); done += kChunk) {
    if (!file.Write(bytes.substr(done, kChunk), error)) return false;
  }
  return true;
}

std::optional<TextFile> ReadTextFile(const std::filesystem::path& path, EncodingCode code,
                                     FileSystem& files, Ui& ui) {
  Text error;
  const auto fail = [&]() -> std::optional<TextFile> {
    ui.ShowMessage(PathMessage(path, Concat(kOpenFailed, error)));
    return std::nullopt;
  };
  std::unique_ptr<OpenFile> file = files.OpenForReading(path, error);
  if (!file) return fail();
  const std::optional<std::uint64_t> size = file->Size(error);
  if (!size) return fail();
  const std::optional<Bytes> bytes = ReadFileBytes(*file, static_cast<std::int64_t>(*size), error);
  if (!bytes) return fail();
  Text ignored;
  file->Close(ignored);  // everything is read; nothing was written that could be lost
  const EncodingCode settled = SettleEncoding(code, *bytes);
  std::optional<Text> text = DecodeTextFile(*bytes, settled);
  if (!text) {
    error = kNoCodePage;
    return fail();
  }
  return TextFile{*std::move(text), settled};
}

}  // namespace qor
