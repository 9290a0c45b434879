#pragma once
// The small edits of the Edit menu and the search buttons: find, replace, delete and insert,
// character information. The text itself cannot be typed into, so these are commands.

#include <array>

#include "platform/text.h"
#include "session/session.h"

namespace qor {

// Search directions.
inline constexpr int kFindFirst = -1;
inline constexpr int kFindBackward = 0;
inline constexpr int kFindForward = 1;

// Captions of the insert items; their labels are the captions cut at " [".
inline constexpr std::array<TextView, 5> kInsertCaptions = {
    u"删除 [Del]", u"插入 [Ins] …", u"空格 [Ctrl+Del]", u"跳格 [Ctrl+F9]", u"换行 [F9]"};
inline constexpr TextView kReplaceCaption = u"字串替换 [F3] …";

// Selects the occurrence of the key found in the given direction; beeps when there is none.
bool FindText(Session& session, TextView key, int direction);

// "键入查找": asks for a key and finds it from the start.
void SeekNew(Session& session);
// The search buttons: 0 backward, 1 forward; a selection becomes the key first.
void SeekAgain(Session& session, int direction);
// "字串替换": replaces every occurrence of the selected text by a typed one.
void ReplaceAll(Session& session);
// The insert items 0 to 4: delete, insert a typed text, space, tab, line break.
void InsertText(Session& session, int index);
// "单字信息": the character at the caret and its codes, in the label.
void SayCode(Session& session);

}  // namespace qor
