#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

#include "qt_platform/qt_text.h"
#include "session/text_box.h"
#include "support/modal_script.h"
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

// A text over the limit (a long selection to replace) may be shortened one step at a time; no
// edit may lengthen it.
TEST_F(InputBoxTest, AnOverLimitTextCanBeShortenedStepByStep) {
  box.Prepare(u"替换子字串", 100, Text(150, u'a'), false);
  box.show();
  Key(Qt::Key_End);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(box.TypedText(), Text(149, u'a'));
  Type("b");
  EXPECT_EQ(box.TypedText(), Text(149, u'a'));
  Key(Qt::Key_Left, Qt::ShiftModifier);
  Key(Qt::Key_Left, Qt::ShiftModifier);
  Type("c");  // two characters replaced by one
  EXPECT_EQ(box.TypedText(), Text(147, u'a') + u"c");
  Key(Qt::Key_Return);
  EXPECT_FALSE(box.confirmed());
  EXPECT_EQ(messages, std::vector<Text>{u"字数 148 上限 100 超出 48"});
  box.editor()->selectAll();
  Type("ok");
  Key(Qt::Key_Return);
  EXPECT_TRUE(box.confirmed());
  EXPECT_EQ(box.TypedText(), u"ok");
}

// A paste that would pass the limit is cut to fit, as a text box with a maximum length does; a line
// break counts two and a surrogate pair is never split. One undo takes the whole paste back.
TEST_F(InputBoxTest, APastePastTheLimitIsCutToFit) {
  const struct {
    QString pasted;
    Text typed;
  } cases[] = {
      {"12\n345678", u"abc12\r\n3ef"},
      {"1234\n5", u"abc1234ef"},
      {QString::fromUtf16(u"1234\U0001F600"), u"abc1234ef"},
      {QString::fromUtf16(u"123\U0001F600"), u"abc123\U0001F600ef"},
  };
  for (const auto& c : cases) {
    box.Prepare(u"查找子字串", 10, u"abcdef", false);
    box.show();
    QTextCursor cursor = box.editor()->textCursor();
    cursor.setPosition(3);
    cursor.setPosition(4, QTextCursor::KeepAnchor);  // "d"
    box.editor()->setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(c.pasted);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.TypedText(), c.typed) << Show(FromQString(c.pasted));
    EXPECT_EQ(box.editor()->textCursor().position(),
              static_cast<int>(OneUnitLineBreaks(c.typed).size()) - 2);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(box.TypedText(), u"abcdef");
  }
}

// The count message is a box like every other: no icon, a Chinese OK.
TEST(InputBoxMessage, TheCountMessageHasAChineseOkAndNoIcon) {
  InputBox box;
  box.Prepare(u"查找子字串", 3, u"abcd", false);
  box.show();
  QString text;
  QMessageBox::Icon icon = QMessageBox::Information;
  QStringList buttons;
  ModalScript script({[&](QWidget* dialog) {
    auto* message = qobject_cast<QMessageBox*>(dialog);
    ASSERT_TRUE(message);
    text = message->text();
    icon = message->icon();
    for (QAbstractButton* button : message->buttons())
      buttons << button->text() + (button->icon().isNull() ? "" : "+icon");
    message->buttons().front()->click();
  }});
  QTest::keyClick(box.editor(), Qt::Key_Return);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(text, ToQString(u"字数 4 上限 3 超出 1"));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, QStringList{ToQString(u"确定")});
  EXPECT_FALSE(box.confirmed());
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
