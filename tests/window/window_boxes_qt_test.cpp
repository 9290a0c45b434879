// The main window with its own Ui: the real clipboard, the real input box, prompts and message
// boxes, answered as a user would.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "main_window_test_support.h"
#include "support/modal_script.h"
#include "window/input_box.h"

namespace qor {
namespace {

// The captions of the buttons shown, sorted; a button with an icon is marked.
QStringList ButtonTexts(QWidget* dialog) {
  QStringList texts;
  for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
    if (button->isVisible()) texts << button->text() + (button->icon().isNull() ? "" : "+icon");
  }
  texts.sort();
  return texts;
}

class WindowBoxesTest : public MainWindowTest {
 protected:
  WindowBoxesTest() { real_boxes = true; }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(TextControl(), key, modifiers);
  }
};

TEST_F(WindowBoxesTest, CtrlVWithAnEmptyClipboardChangesNothing) {
  SetOriginal(u"abc");
  session().Select(1, 1);
  QGuiApplication::clipboard()->clear();
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Shown(), u"abc");
  EXPECT_EQ(TextControl()->textCursor().selectedText(), "b");
  EXPECT_EQ(Label(), u"新旧文本相同");
  EXPECT_EQ(session().n_cur(), -1);
}

// The text control's own Ctrl+C and the menu's 复制 both copy the exact text.
TEST_F(WindowBoxesTest, CopyKeepsTheLineBreaksOfTheText) {
  for (const Text& text : {Text(u"a\r\nb"), Text(u"a\nb"), Text(u"a\rb")}) {
    SetOriginal(text);
    QGuiApplication::clipboard()->clear();
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(FromQString(QGuiApplication::clipboard()->text()), text) << Show(text);
    QGuiApplication::clipboard()->clear();
    window->Run({"mnuCopy"});
    EXPECT_EQ(FromQString(QGuiApplication::clipboard()->text()), text) << Show(text);
  }
}

TEST_F(WindowBoxesTest, ReplaceRetryShowsAnEmptyBox) {
  SetOriginal(Text(8000, u'a') + u"\r\n" + Text(8000, u'b'));
  session().Select(0, 1);
  QString first, message, retry = "unset";
  QStringList message_buttons;
  ModalScript script({
      [&](QWidget* dialog) {
        auto* box = qobject_cast<InputBox*>(dialog);
        ASSERT_TRUE(box);
        first = box->editor()->textCursor().selectedText();
        QTest::keyClicks(box->editor(), "aaa");
        QTest::keyClick(box->editor(), Qt::Key_Return);
      },
      [&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_TRUE(box);
        message = box->text();
        message_buttons = ButtonTexts(box);
        box->buttons().front()->click();
      },
      [&](QWidget* dialog) {
        auto* box = qobject_cast<InputBox*>(dialog);
        ASSERT_TRUE(box);
        retry = box->editor()->toPlainText();
        QTest::keyClick(box->editor(), Qt::Key_Escape);
      },
  });
  Key(Qt::Key_F3);
  EXPECT_TRUE(script.done());
  EXPECT_EQ(first, "a");
  EXPECT_EQ(message, ToQString(u"替换 失败~ 结果文本过长"));
  EXPECT_EQ(message_buttons, QStringList{ToQString(u"确定")});
  EXPECT_EQ(retry, "");
  EXPECT_EQ(session().box().length(), 16002);
}

// Every prompt and question speaks Chinese and shows no icon.
TEST_F(WindowBoxesTest, PromptsAndQuestionsHaveChineseButtons) {
  SetOriginal(u"abc");
  QString title;
  QStringList prompt_buttons, question_buttons;
  QMessageBox::Icon icon = QMessageBox::Information;
  ModalScript script({
      [&](QWidget* dialog) {
        ASSERT_TRUE(qobject_cast<QInputDialog*>(dialog));
        title = dialog->windowTitle();
        prompt_buttons = ButtonTexts(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
      },
      [&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_TRUE(box);
        icon = box->icon();
        question_buttons = ButtonTexts(box);
        box->button(QMessageBox::No)->click();
      },
  });
  Key(Qt::Key_F3, Qt::ControlModifier);
  EXPECT_EQ(title, ToQString(u"键入 LCID"));
  EXPECT_EQ(prompt_buttons, (QStringList{ToQString(u"取消"), ToQString(u"确定")}));
  EXPECT_EQ(Label(), u"未改动");
  session().set_n_saved(Session::kNoEntry);
  window->Run({"mnuClear"});
  EXPECT_TRUE(script.done());
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(question_buttons, (QStringList{ToQString(u"否 (&N)"), ToQString(u"是 (&Y)")}));
  EXPECT_EQ(Shown(), u"abc");
}

}  // namespace
}  // namespace qor
