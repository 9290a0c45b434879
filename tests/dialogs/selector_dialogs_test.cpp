// The selector dialogs driven as a user drives them: clicks, keys, and modal shows through
// their owner.

#include "dialogs/selector_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "qt_platform/qt_text.h"
#include "support/test_support.h"
#include "window/qt_ui.h"

namespace qor {
namespace {

template <typename T>
T* Child(QWidget* dialog, const char* name) {
  T* child = dialog->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

QRadioButton* Option(QWidget* d, int i) {
  return Child<QRadioButton>(d, i ? "optOpr1" : "optOpr0");
}
QLineEdit* Box(QWidget* d, int i) { return Child<QLineEdit>(d, i ? "txtBox1" : "txtBox0"); }
QComboBox* Combo(QWidget* d, int i) { return Child<QComboBox>(d, i ? "cboCS1" : "cboCS0"); }
QPushButton* Button(QWidget* d, int i) { return Child<QPushButton>(d, i ? "cmdA1" : "cmdA0"); }
Text Shown(const QString& text) { return FromQString(text); }

// Runs the action on the modal dialog as soon as it is shown; the action must close it.
void WhenShown(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
      WhenShown(action);
      return;
    }
    action(dialog);
  });
}

void Press(QWidget* dialog, Qt::Key key) {
  QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
  QTest::keyClick(target, key);
}

TEST(PairDialog, LoadsInNamedModeWithNothingChosen) {
  PairDialog dialog(CodePagePairKind());
  dialog.show();
  EXPECT_EQ(Shown(dialog.windowTitle()), u"代码页和字符集");
  EXPECT_EQ(Shown(Option(&dialog, 0)->text()), u"代码页(CP)");
  EXPECT_EQ(Shown(Option(&dialog, 1)->text()), u"字符集");
  EXPECT_TRUE(Option(&dialog, 1)->isChecked());
  for (int side = 0; side < 2; ++side) {
    EXPECT_FALSE(Box(&dialog, side)->isEnabled());
    EXPECT_TRUE(Box(&dialog, side)->text().isEmpty());
    EXPECT_NE(Box(&dialog, side)->palette().color(QPalette::Base),
              QLineEdit().palette().color(QPalette::Base));
    QComboBox* combo = Combo(&dialog, side);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_FALSE(combo->isEditable());
    EXPECT_EQ(combo->count(), 42);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(Shown(combo->itemText(39)), u"(=)");
    EXPECT_EQ(combo->itemData(39).toInt(), -2);
  }
  EXPECT_EQ(Shown(Button(&dialog, 0)->text()), u"确 定");
  EXPECT_EQ(Shown(Button(&dialog, 1)->text()), u"取 消");
  EXPECT_TRUE(Button(&dialog, 0)->isDefault());

  PairDialog lcid(LcidPairKind());
  EXPECT_EQ(Shown(lcid.windowTitle()), u"语文区号和名称");
  EXPECT_EQ(Shown(Option(&lcid, 0)->text()), u"语文区号(LCID)");
  EXPECT_EQ(Shown(Option(&lcid, 1)->text()), u"语文名称");
  EXPECT_EQ(Combo(&lcid, 0)->count(), 15);
  EXPECT_EQ(Shown(Combo(&lcid, 1)->itemText(14)), u"UTF8");
}

TEST(PairDialog, NamesFillTheBoxesAndTypedModeKeepsThem) {
  PairDialog dialog(CodePagePairKind());
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  Combo(&dialog, 0)->setCurrentIndex(0);
  Combo(&dialog, 1)->setCurrentIndex(39);
  EXPECT_EQ(Box(&dialog, 0)->text(), "936");
  EXPECT_EQ(Box(&dialog, 1)->text(), "-2");

  QTest::mouseClick(Option(&dialog, 0), Qt::LeftButton);
  EXPECT_TRUE(Option(&dialog, 0)->isChecked());
  QLabel* between = nullptr;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    if (label->text() == "--" && label->geometry().top() > Box(&dialog, 0)->geometry().bottom()) {
      between = label;
    }
  }
  ASSERT_NE(between, nullptr);
  EXPECT_FALSE(between->isVisible());
  for (int side = 0; side < 2; ++side) {
    EXPECT_TRUE(Box(&dialog, side)->isEnabled());
    EXPECT_FALSE(Combo(&dialog, side)->isVisible());
    EXPECT_EQ(Box(&dialog, side)->palette().color(QPalette::Base),
              QLineEdit().palette().color(QPalette::Base));
  }
  EXPECT_EQ(Box(&dialog, 0)->text(), "936");
  // The focus goes to box A, and entering a box selects its whole text.
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), Box(&dialog, 0));
  EXPECT_EQ(Box(&dialog, 0)->selectedText(), "936");
  QTest::mouseClick(Box(&dialog, 1), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(Box(&dialog, 1)->selectedText(), "-2");

  QTest::mouseClick(Box(&dialog, 0), Qt::LeftButton);
  QApplication::processEvents();
  QTest::keyClicks(Box(&dialog, 0), "1041");  // replaces the selected text
  QTest::mouseClick(Option(&dialog, 1), Qt::LeftButton);
  EXPECT_FALSE(Box(&dialog, 0)->isEnabled());
  EXPECT_TRUE(Combo(&dialog, 0)->isVisible());
  EXPECT_TRUE(between->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), Combo(&dialog, 0));
  // The typed number stays until an entry is picked again, even the one already shown.
  EXPECT_EQ(Box(&dialog, 0)->text(), "1041");
  Combo(&dialog, 0)->showPopup();
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Return);
  EXPECT_EQ(Combo(&dialog, 0)->currentIndex(), 0);
  EXPECT_EQ(Box(&dialog, 0)->text(), "936");
}

TEST(PairDialog, IncompleteInputIsRefusedSilently) {
  PairDialog dialog(LcidPairKind());
  dialog.show();
  Combo(&dialog, 0)->setCurrentIndex(0);
  QTest::mouseClick(Button(&dialog, 0), Qt::LeftButton);  // side B not chosen
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.values().ok);
  EXPECT_EQ(dialog.values().a, 2052);  // side A was assigned before B failed

  QTest::mouseClick(Option(&dialog, 0), Qt::LeftButton);
  Box(&dialog, 1)->setText("abc");
  QTest::mouseClick(Button(&dialog, 0), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.values().ok);
  EXPECT_TRUE(QApplication::activePopupWidget() == nullptr);  // no message of its own

  Box(&dialog, 1)->setText("-3");
  QTest::mouseClick(Button(&dialog, 0), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(dialog.values().ok);
  EXPECT_EQ(dialog.values().b, -3);
  EXPECT_EQ(dialog.values().say, u"LCID: (2052)--(-3)");
  EXPECT_FALSE(dialog.closed_by_user());
}

TEST(SelectorDialogs, PairDialogKeepsItsStateAcrossShows) {
  SelectorDialogs dialogs(nullptr);
  WhenShown([](QWidget* d) {
    Combo(d, 0)->setCurrentIndex(0);
    Combo(d, 1)->setCurrentIndex(16);
    QTest::mouseClick(Button(d, 0), Qt::LeftButton);
  });
  std::optional<PairChoice> choice = dialogs.ChooseCodePagePair();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->a, 936);
  EXPECT_EQ(choice->b, 1252);
  EXPECT_EQ(choice->say, u"中文简(GBK) -- 西欧(Windows)");
  PairDialog* first = dialogs.code_page_dialog();
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->isVisible());  // hidden, not destroyed

  // The next show finds the same choices; OK is needed again: Esc cancels.
  bool seen = false;
  WhenShown([&seen](QWidget* d) {
    seen = true;
    EXPECT_TRUE(Option(d, 1)->isChecked());
    EXPECT_EQ(Combo(d, 0)->currentIndex(), 0);
    EXPECT_EQ(Combo(d, 1)->currentIndex(), 16);
    EXPECT_FALSE(static_cast<PairDialog*>(d)->values().ok);
    QTest::mouseClick(Option(d, 0), Qt::LeftButton);
    Press(d, Qt::Key_Escape);
  });
  EXPECT_FALSE(dialogs.ChooseCodePagePair());
  EXPECT_TRUE(seen);
  EXPECT_EQ(dialogs.code_page_dialog(), first);

  // Typed mode stayed; Enter presses OK.
  WhenShown([](QWidget* d) {
    EXPECT_TRUE(Option(d, 0)->isChecked());
    EXPECT_EQ(Box(d, 0)->text(), "936");
    Box(d, 0)->setText("65001");
    Box(d, 1)->setFocus();
    Press(d, Qt::Key_Return);
  });
  choice = dialogs.ChooseCodePagePair();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->say, u"Code Page: (65001)--(1252)");
}

TEST(SelectorDialogs, TheCloseButtonUnloadsAPairDialog) {
  SelectorDialogs dialogs(nullptr);
  WhenShown([](QWidget* d) {
    QTest::mouseClick(Option(d, 0), Qt::LeftButton);
    Box(d, 0)->setText("1041");
    Box(d, 1)->setText("2052");
    QTest::mouseClick(Button(d, 0), Qt::LeftButton);
  });
  ASSERT_TRUE(dialogs.ChooseLcidPair());
  WhenShown([](QWidget* d) { d->close(); });
  EXPECT_FALSE(dialogs.ChooseLcidPair());
  EXPECT_EQ(dialogs.lcid_dialog(), nullptr);

  // Loaded afresh: named mode, nothing chosen, empty boxes.
  WhenShown([](QWidget* d) {
    EXPECT_TRUE(Option(d, 1)->isChecked());
    EXPECT_EQ(Combo(d, 0)->currentIndex(), -1);
    EXPECT_TRUE(Box(d, 0)->text().isEmpty());
    QTest::mouseClick(Button(d, 1), Qt::LeftButton);
  });
  EXPECT_FALSE(dialogs.ChooseLcidPair());
  EXPECT_NE(dialogs.lcid_dialog(), nullptr);  // Cancel only hides it
}

TEST(SelectorDialogs, TransformSelector) {
  SelectorDialogs dialogs(nullptr);
  WhenShown([](QWidget* d) {
    EXPECT_EQ(Shown(d->windowTitle()), u"转换格式--语文名称");
    QComboBox* transforms = Child<QComboBox>(d, "cboOpr");
    QComboBox* languages = Child<QComboBox>(d, "cboCS");
    EXPECT_EQ(transforms->count(), 4);
    EXPECT_EQ(Shown(transforms->itemText(3)), u"Base64(URL)");
    EXPECT_EQ(languages->count(), 13);
    EXPECT_EQ(Shown(languages->itemText(11)), u"Latin1");
    EXPECT_EQ(languages->itemData(12).toInt(), -4);
    EXPECT_EQ(transforms->currentIndex(), -1);
    EXPECT_EQ(languages->currentIndex(), -1);
    transforms->setCurrentIndex(3);
    QTest::mouseClick(Button(d, 0), Qt::LeftButton);  // no language: stays open
    EXPECT_TRUE(d->isVisible());
    languages->setCurrentIndex(12);
    QTest::mouseClick(Button(d, 0), Qt::LeftButton);
  });
  std::optional<TransformChoice> choice = dialogs.ChooseTransform();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->opr, 3);
  EXPECT_EQ(choice->lcid, -4);
  EXPECT_EQ(choice->say, u"Base64(URL)--UTF8");

  // The close button counts as Cancel and keeps the choices.
  WhenShown([](QWidget* d) { d->close(); });
  EXPECT_FALSE(dialogs.ChooseTransform());
  WhenShown([](QWidget* d) {
    EXPECT_EQ(Child<QComboBox>(d, "cboOpr")->currentIndex(), 3);
    EXPECT_EQ(Child<QComboBox>(d, "cboCS")->currentIndex(), 12);
    Child<QComboBox>(d, "cboOpr")->setCurrentIndex(-1);
    Press(d, Qt::Key_Return);
  });
  choice = dialogs.ChooseTransform();
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->opr, -1);
  EXPECT_EQ(choice->say, u"--UTF8");
}

TEST(SelectorDialogs, UnloadDestroysAllThree) {
  SelectorDialogs dialogs(nullptr);
  WhenShown([](QWidget* d) { Press(d, Qt::Key_Escape); });
  dialogs.ChooseCodePagePair();
  WhenShown([](QWidget* d) { Press(d, Qt::Key_Escape); });
  dialogs.ChooseTransform();
  QPointer<PairDialog> code_page = dialogs.code_page_dialog();
  QPointer<TransformDialog> transform = dialogs.transform_dialog();
  ASSERT_TRUE(code_page && transform);
  dialogs.Unload();
  EXPECT_TRUE(!code_page && !transform);
  EXPECT_EQ(dialogs.lcid_dialog(), nullptr);
}

TEST(QtUi, OneLinePromptAndSelectors) {
  QWidget window;
  QtUi ui(&window);
  WhenShown([](QWidget* d) {
    auto* prompt = qobject_cast<QInputDialog*>(d);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(Shown(prompt->windowTitle()), u"键入 LCID");
    EXPECT_EQ(Shown(prompt->labelText()), u"LCID+半字");
    EXPECT_EQ(prompt->textValue(), "2052");
    prompt->setTextValue("1041");
    prompt->accept();
  });
  EXPECT_EQ(ui.AskLine(u"LCID+半字", u"键入 LCID", u"2052"), Text(u"1041"));
  WhenShown([](QWidget* d) { qobject_cast<QDialog*>(d)->reject(); });
  EXPECT_EQ(ui.AskLine(u"LCID+半字", u"键入 LCID", u"2052"), std::nullopt);

  WhenShown([](QWidget* d) {
    Combo(d, 0)->setCurrentIndex(6);
    Combo(d, 1)->setCurrentIndex(0);
    QTest::mouseClick(Button(d, 0), Qt::LeftButton);
  });
  const std::optional<PairChoice> pair = ui.ChooseLcidPair();
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->a, 1033);
  EXPECT_EQ(pair->b, 2052);
  EXPECT_EQ(pair->say, u"Eng--GB");
  EXPECT_EQ(ui.selectors().lcid_dialog()->parentWidget(), &window);
}

}  // namespace
}  // namespace qor
