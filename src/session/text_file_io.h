#pragma once
// Reading and writing whole text files: the encoding settled or chosen by code, every failure
// shown to the user with the path, and a save that never loses the previous contents.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/file_system.h"
#include "platform/text.h"
#include "session/ui.h"

namespace qor {

// A file's decoded text and the encoding code it was read with (never 0).
struct TextFile {
  Text text;
  EncodingCode code = kEncodingAutomatic;
};

// Reads and decodes the file under the requested code (0: detect). On failure the user has been
// shown the path and "打开 失败~ " with the reason, and nullopt is returned.
[[nodiscard]] std::optional<TextFile> ReadTextFile(const std::filesystem::path& path,
                                                   EncodingCode code, FileSystem& files, Ui& ui);

// Writes the text under the code (anything but 1..9 is 4) and returns the code written. The
// file written is the one the path resolves to through symbolic links, which stay links. An
// existing file is kept as its path + ".bak" until the new one is complete; a file with other
// names (hard links), or whose owner this process could not give a new file, is written in
// place after a copy of it went to the ".bak" file, so that every name sees the new contents
// and the owner stays. nullopt when the user declined to overwrite a read-only or hidden file,
// or after a failure the user has been shown with "保存 失败~ "; the previous contents are then
// at the path or in the ".bak" file.
[[nodiscard]] std::optional<EncodingCode> WriteTextFile(TextView text,
                                                        const std::filesystem::path& path,
                                                        EncodingCode code, FileSystem& files,
                                                        Ui& ui);

// A file's contents, written into it; false with the reason in the error. It may be called
// more than once, each time writing the whole contents into a new file.
using FileContents = std::function<bool(OpenFile&, Text& error)>;

// Writes a file as WriteTextFile does, its bytes given by `fill`; false when the user declined
// or after a failure the user has been shown.
[[nodiscard]] bool WriteFile(const std::filesystem::path& path, const FileContents& fill,
                             FileSystem& files, Ui& ui);

// The first `length` bytes of an open file (fewer if it ends sooner); empty for a length of 0
// or less; nullopt on a read error.
[[nodiscard]] std::optional<Bytes> ReadFileBytes(OpenFile& file, std::int64_t length, Text& error);

// Writes all the bytes at the file's current position.
[[nodiscard]] bool WriteFileBytes(OpenFile& file, BytesView bytes, Text& error);

// What a failed read says before its reason.
inline constexpr TextView kOpenFailed = u"打开 失败~ ";

// What a failed read or save says when the platform lacks the encoding's code page.
inline constexpr TextView kNoCodePage = u"The code page of this encoding is not available";

// The line break and blank line that separate the parts of a message.
inline constexpr TextView kBlankLine = u"\r\n\r\n";

// The path as shown, a blank line and the text: how every message about a file reads.
[[nodiscard]] Text PathMessage(const std::filesystem::path& path, TextView text);

}  // namespace qor
