#pragma once
// The File menu's commands: clear as original, open as original, save to a file, the current
// file's properties and a new window. Each runs over the session, asks and reports through the
// session's Ui (the file chooser included) and reaches the disk through a FileSystem.

#include <cstdint>
#include <functional>

#include "platform/file_system.h"
#include "platform/text.h"
#include "session/session.h"

namespace qor {

// The File menu's captions; each command's label is the caption's head before " (".
inline constexpr TextView kFilesMenuCaption = u" 文件 (&F)";
inline constexpr TextView kClearCaption = u"清空作原始 (&K)";
inline constexpr TextView kOpenCaption = u"打开作原始 (&O) …";
inline constexpr TextView kSaveCaption = u"保存到文件 (&S) …";
inline constexpr TextView kPropertiesCaption = u"文件属性 (&Q) …";
inline constexpr TextView kNewWindowCaption = u"新窗口 (&W)";

// The largest file that may be opened: three bytes for each unit the text may hold.
inline constexpr std::uint64_t kLargestOpenedFile = 3 * 16383;

// What the File menu shows when it opens.
struct FileMenuState {
  bool save_checked = false;        // the shown text is saved
  bool properties_enabled = false;  // there is a current file
};
[[nodiscard]] FileMenuState FileMenuOpening(const Session& session);

// An empty original that needs no saving, and no current file.
void ClearAsOriginal(Session& session);

// A file chosen in the file chooser becomes the original; it must be smaller than 49150 bytes
// and decode to fewer than 16384 units.
void OpenAsOriginal(Session& session, FileSystem& files = DiskFileSystem());

// The shown text goes to a file chosen in the file chooser, in the encoding chosen there (or
// the current file's); another existing file is overwritten only after a question.
void SaveToFile(Session& session, FileSystem& files = DiskFileSystem());

// One message with the current file's path, attributes, size, last change and encoding.
void ShowFileProperties(Session& session, FileSystem& files = DiskFileSystem());

// Saves the view settings, then starts another process of the program; failures are ignored.
void StartNewWindow(const std::function<void()>& save_settings,
                    const std::function<bool()>& start_process);

}  // namespace qor
