#pragma once
// File names are bytes here, in no particular encoding: names unpacked from Windows archives
// are often GBK or Big5. Paths stay bytes from the system to every file call and become text
// only to be shown. A name that is valid UTF-8 shows as it is; any other byte, a control
// character and the backslash show as "\xHH", so that the shown text names exactly one file and
// reads back into the same bytes.

#include <filesystem>

#include "platform/text.h"

namespace qor {

// The path as shown: "caf\xE9.txt" for the Latin-1 bytes of "café.txt".
[[nodiscard]] Text PathToText(const std::filesystem::path& path);

// The bytes of a shown or typed path: "\xHH" gives the byte HH (either letter case), everything
// else its UTF-8. PathToText's text reads back into the path it came from.
[[nodiscard]] std::filesystem::path TextToPath(TextView text);

// Whether the text holds "\xHH" at `at`.
[[nodiscard]] bool IsByteEscape(TextView text, std::size_t at);

// The folder part of a path, up to and with its last "/"; empty when there is none.
[[nodiscard]] std::filesystem::path FolderOf(const std::filesystem::path& path);

// The last part of a path, after its last "/".
[[nodiscard]] std::filesystem::path NameOf(const std::filesystem::path& path);

// The path with bytes appended, such as ".bak" or a name after a folder with its "/".
[[nodiscard]] std::filesystem::path Append(const std::filesystem::path& path, BytesView tail);

}  // namespace qor
