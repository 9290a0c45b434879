#include <gtest/gtest.h>

#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include "support/test_support.h"
#include "window/input_box.h"

namespace qor {
namespace {

class InputBoxTest : public ::testing::Test {
 protected:
  InputBoxTest() {
    box.show_message = [this](TextView text) { messages.push_back(Text(text)); };
  }
  void Type(const char* text) { QTest::keyClicks(box.editor(), QString::fromUtf8(text)); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(box.editor(), key, modifiers);
  }

  InputBox box;
  std::vector<Text> messages;
};

TEST_F(InputBoxTest, EnterConfirmsCtrlEnterBreaksTheLineTabInsertsATab) {
  box.Prepare(u"插入子字串", 300, u"", false);
  box.show();
  Type("ab");
  Key(Qt::Key_Return, Qt::ControlModifier);
  Type("c");
  Key(Qt::Key_Tab);
  EXPECT_FALSE(box.confirmed());
  Key(Qt::Key_Return);
  EXPECT_TRUE(box.confirmed());
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.TypedText(), u"ab\r\nc\t");
}

TEST_F(InputBoxTest, AnEmptyInitialTextKeepsTheLastTextFullySelected) {
  box.Prepare(u"插入子字串", 300, u"first", false);
  box.Prepare(u"插入子字串", 300, u"", false);
  EXPECT_EQ(box.TypedText(), u"first");
  EXPECT_EQ(box.editor()->textCursor().selectedText(), QStringLiteral("first"));
  box.Prepare(u"替换子字串", 100, u"", true);
  EXPECT_EQ(box.TypedText(), u"");
  box.Prepare(u"查找子字串", 100, u"a\r\nb", false);
  EXPECT_EQ(box.TypedText(), u"a\r\nb");
}

TEST_F(InputBoxTest, TheLimitCountsALineBreakAsTwo) {
  // 98 letters and one line break make 100: accepted.
  box.Prepare(u"查找子字串", 100, Text(49, u'a') + u"\r\n" + Text(49, u'b'), false);
  box.show();
  Key(Qt::Key_Return);
  EXPECT_TRUE(box.confirmed());
  EXPECT_TRUE(messages.empty());

  // Typing is refused beyond the limit.
  box.Prepare(u"查找子字串", 3, u"abc", false);
  box.show();
  Key(Qt::Key_End);
  Type("d");
  EXPECT_EQ(box.TypedText(), u"abc");
}

TEST_F(InputBoxTest, ConfirmRefusesATextOverTheLimit) {
  // A text put in before a smaller limit applies is checked again on OK.
  box.Prepare(u"插入子字串", 300, Text(101, u'x'), false);
  box.Prepare(u"查找子字串", 100, u"", false);
  box.show();
  Key(Qt::Key_Return);
  EXPECT_FALSE(box.confirmed());
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(messages, std::vector<Text>{u"字数 101 上限 100 超出 1"});
}

TEST_F(InputBoxTest, EditMenuFollowsTheSelectionAndConverts) {
  box.Prepare(u"插入子字串", 300, u"中国 A1", false);
  box.show();
  QTextCursor cursor = box.editor()->textCursor();
  cursor.setPosition(0);
  box.editor()->setTextCursor(cursor);
  emit box.edit_menu()->aboutToShow();
  const QList<QAction*> actions = box.edit_menu()->actions();
  ASSERT_EQ(actions.size(), 9);
  EXPECT_TRUE(actions[0]->isEnabled());   // select all
  EXPECT_FALSE(actions[1]->isEnabled());  // cut
  EXPECT_FALSE(actions[8]->isEnabled());  // to traditional

  box.editor()->selectAll();
  emit box.edit_menu()->aboutToShow();
  EXPECT_TRUE(actions[8]->isEnabled());
  actions[8]->trigger();
  EXPECT_EQ(box.TypedText(), u"中國 A1");
  EXPECT_EQ(box.editor()->textCursor().selectedText(), QStringLiteral("中國 A1"));
  actions[5]->trigger();
  EXPECT_EQ(box.TypedText(), u"中國　Ａ１");
}

}  // namespace
}  // namespace qor
