#include "session/clipboard_commands.h"

#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace qor {
namespace {

using ClipboardTest = SessionFixture<>;

TEST_F(ClipboardTest, PasteFitsTheRoomOfTheSelection) {
  // 16000 units with 100 selected: 483 more fit, 484 do not.
  for (const int pasted : {484, 483}) {
    SetOriginal(Text(16000, u'a'));
    session.Select(10, 100);
    ui.clipboard = Text(pasted, u'b');
    PasteClipboard(session);
    if (pasted == 484) {
      EXPECT_EQ(ui.Messages().back(), u"粘贴 拒绝~ 文本过长");
      EXPECT_EQ(session.box().length(), 16000);
    } else {
      EXPECT_EQ(session.box().length(), 16383);
      EXPECT_EQ(session.box().sel_start(), 10 + 483);  // the caret after the pasted text
      EXPECT_EQ(session.say(), u"粘贴");
    }
  }
}

TEST_F(ClipboardTest, PastingNothingKeepsTheTextAndTheSelection) {
  for (const std::optional<Text>& clipboard :
       {std::optional<Text>(Text()), std::optional<Text>()}) {
    SetOriginal(u"abc");
    session.Select(1, 1);
    ui.clipboard = clipboard;
    PasteClipboard(session);
    EXPECT_EQ(session.box().text(), u"abc");
    EXPECT_EQ(session.box().sel_start(), 1);
    EXPECT_EQ(session.box().sel_length(), 1);
    EXPECT_EQ(session.say(), u"新旧文本相同");
    EXPECT_EQ(session.n_cur(), -1);
  }
}

TEST_F(ClipboardTest, PasteAsOriginalStartsAnUnsavedOriginal) {
  SetOriginal(u"old");
  ui.clipboard = Text(16384, u'x');
  PasteAsOriginal(session);
  EXPECT_EQ(ui.Messages().back(), u"粘贴 拒绝~ 文本过长");
  EXPECT_EQ(session.box().text(), u"old");

  ui.clipboard = Text(16383, u'y');
  PasteAsOriginal(session);
  EXPECT_EQ(session.box().length(), 16383);
  EXPECT_EQ(session.say(), u"粘贴作原始");
  EXPECT_EQ(session.title(), u"粘贴作原始  ~QOR");
  EXPECT_EQ(session.n_saved(), Session::kNoEntry);
  EXPECT_TRUE(session.file().empty());

  // The pasted original is unsaved: the next paste as original asks first, and No keeps it.
  ui.clipboard = Text(u"new");
  ui.answers = {false};
  PasteAsOriginal(session);
  EXPECT_EQ(ui.shown.back().text, u"当前文本未保存，是否清空？");
  EXPECT_EQ(session.box().length(), 16383);
  ui.answers = {true};
  PasteAsOriginal(session);
  EXPECT_EQ(session.box().text(), u"new");
}

TEST_F(ClipboardTest, SelectAllCountsALineBreakAsTwo) {
  SetOriginal(u"ab\r\ncd");
  SelectAll(session);
  EXPECT_EQ(session.say(), u"字符总数 6");
  EXPECT_EQ(session.box().sel_start(), 0);
  EXPECT_EQ(session.box().sel_length(), 5);  // every position is selected
  CopySelection(session);
  EXPECT_EQ(ui.clipboard, Text(u"ab\r\ncd"));
  EXPECT_EQ(session.say(), u"复制");
}

TEST_F(ClipboardTest, EditMenuFollowsClipboardAndSelection) {
  SetOriginal(u"abc");
  EXPECT_FALSE(EditMenuOpening(session).can_paste);
  EXPECT_FALSE(EditMenuOpening(session).has_selection);
  ui.clipboard = Text(u"x");
  session.Select(1, 1);
  EXPECT_TRUE(EditMenuOpening(session).can_paste);
  EXPECT_TRUE(EditMenuOpening(session).has_selection);
}

}  // namespace
}  // namespace qor
