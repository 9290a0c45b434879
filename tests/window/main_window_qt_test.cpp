#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <vector>

#include "catalogue/catalogue.h"
#include "main_window_test_support.h"
#include "qor_version.h"
#include "window/main_window.h"

namespace qor {
namespace {

// One line per menu entry: depth, control name, caption ("-" for a separator), "x" if checked.
void Walk(const QList<QAction*>& actions, int depth, std::vector<std::string>& lines) {
  for (const QAction* action : actions) {
    std::string line = std::to_string(depth) + " " + Utf8(action->objectName()) + " " +
                       (action->isSeparator() ? "-" : Utf8(action->text()));
    if (action->isChecked()) line += " x";
    lines.push_back(line);
    if (const QMenu* menu = action->menu()) Walk(menu->actions(), depth + 1, lines);
  }
}

// The lines with each "depth array[]" replaced by the catalogue's items of the array, in the form
// Walk writes them; an index without an item is a separator.
std::vector<std::string> WithCatalogueItems(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& line : lines) {
    if (!line.ends_with("[]")) {
      out.push_back(line);
      continue;
    }
    const std::string depth = line.substr(0, line.find(' ') + 1);
    const std::string array = line.substr(depth.size(), line.size() - depth.size() - 2);
    int index = 0;
    for (const Family* family : Catalogue::Get().MenuFamilies(array)) {
      const std::string head = depth + array + "(";
      for (; index < family->item->index; ++index) {
        out.push_back(head + std::to_string(index) + ") -");
      }
      out.push_back(head + std::to_string(index++) + ") " + Utf8(ToQString(family->item->caption)) +
                    (family->item->checked ? " x" : ""));
    }
  }
  return out;
}

// The fixed items as they read; the catalogue's arrays as the catalogue holds them.
TEST_F(MainWindowTest, MenuTreeHasEveryCaptionSeparatorAndCheckMark) {
  emit window->Menu("mnuLooks")->aboutToShow();  // sets the View menu's current values
  const std::vector<std::string> expected = WithCatalogueItems({
      "0 mnuFiles  文件 (&F)",
      "1 mnuClear 清空作原始 (&K)",
      "1 mnuOpen 打开作原始 (&O) …",
      "1 mnuBarF1 -",
      "1 mnuSave 保存到文件 (&S) …",
      "1 mnuAttr 文件属性 (&Q) …",
      "1 mnuBarF2 -",
      "1 mnuNewWin 新窗口 (&W)",
      "0 mnuEdits  编辑 (&E)",
      "1 mnuPasteOrig 粘贴作原始 [Ctrl+P]",
      "1 mnuBarE0 -",
      "1 mnuASel 全选 [Ctrl+A]",
      "1 mnuCopy 复制 [Ctrl+C]",
      "1 mnuPaste 粘贴 [Ctrl+V]",
      "1 mnuBarE1 -",
      "1 mnuWnCase[]",
      "1 mnuBarE3 -",
      "1 mnuMakes 编写“乱码” (&M)",
      "2 mnuMake[]",
      "1 mnuSeekNew 键入查找 [Ctrl+F1] …",
      "1 mnuReplace 字串替换 [F3] …",
      "1 mnuSayCode 单字信息 [F4]",
      "1 mnuBarE4 -",
      "1 mnuIns(0) 删除 [Del]",
      "1 mnuIns(1) 插入 [Ins] …",
      "1 mnuIns(2) 空格 [Ctrl+Del]",
      "1 mnuIns(3) 跳格 [Ctrl+F9]",
      "1 mnuIns(4) 换行 [F9]",
      "0 mnuJiedusA  解读乱码 (&1)",
      "1 mnuNumU[]",
      "1 mnuBarA1 -",
      "1 mnuReadQp[]",
      "1 mnuBarA3 -",
      "1 mnuBase64[]",
      "1 mnuBarA4 -",
      "1 mnuJieA[]",
      "0 mnuJiedusB  解读乱码 (&2)",
      "1 mnuChgA2B[]",
      "0 mnuJiedusC  解读乱码 (&3)",
      "1 mnuCutaByte[]",
      "1 mnuBarC1 -",
      "1 mnu2022[]",
      "1 mnuBarC2 -",
      "1 mnuAskA2B[]",
      "1 mnuBarC3 -",
      "1 mnuDiagnose 自动诊断 ：列出最可能的修复 [F11] …",
      "0 mnuLooks  查看 (&L)",
      "1 mnuHScr 自动换行 x",
      "1 mnuBarL1 -",
      "1 mnuFonts 字体名称",
      "2 mnuFont0 宋体 x",
      "2 mnuBarL21 -",
      "2 mnuFont(0) Arial",
      "2 mnuFont(1) Courier New",
      "2 mnuFont(2) Lucida Console",
      "2 mnuFont(3) Times New Roman",
      "2 mnuFont(4) 宋体",
      "2 mnuFont(5) 黑体",
      "2 mnuFont(6) 华文中宋",
      "2 mnuFont(7) MingLiU",
      "2 mnuFont(8) PMingLiU",
      "1 mnuSizes 字体尺寸",
      "2 mnuSize0 12 x",
      "2 mnuBarL22 -",
      "2 mnuSize(0) 10",
      "2 mnuSize(1) 12",
      "2 mnuSize(2) 14",
      "2 mnuSize(3) 16",
      "2 mnuSize(4) 18",
      "2 mnuSize(5) 20",
      "2 mnuSize(6) 22",
      "2 mnuSize(7) 24",
      "1 mnuBarL3 -",
      "1 mnuAbout 关于 本软件 …",
  });
  std::vector<std::string> lines;
  Walk(window->menuBar()->actions(), 0, lines);
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "entry " << i;
  // Every item is there to be clicked.
  for (const QAction* action : window->menuBar()->findChildren<QAction*>()) {
    EXPECT_TRUE(action->isVisible()) << Utf8(action->objectName());
  }
}

TEST_F(MainWindowTest, StartsEmptyWithTheHistoryButtonsDisabledAndTheTextFocused) {
  EXPECT_EQ(Utf8(window->windowTitle()), "QOR");
  EXPECT_EQ(Shown(), u"");
  EXPECT_EQ(Label(), u"");
  for (const char* name : {"cmdUd(0)", "cmdUd(1)", "cmdUd(2)", "cmdUd(3)"}) {
    EXPECT_FALSE(Button(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Button("cmdSeek(0)")->isEnabled());
  EXPECT_EQ(QApplication::focusWidget(), TextControl());
  EXPECT_TRUE(TextControl()->isReadOnly());
  EXPECT_TRUE(TextControl()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
  EXPECT_EQ(TextControl()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(TextControl()->palette().color(QPalette::Base), QColor(232, 232, 232));
  // The selection looks the same with and without the focus.
  const QPalette palette = TextControl()->palette();
  EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
            palette.color(QPalette::Active, QPalette::Highlight));
}

TEST_F(MainWindowTest, HistoryButtonsFollowPushesAndSteps) {
  const auto enabled = [this] {
    std::string states;
    for (const char* name : {"cmdUd(0)", "cmdUd(1)", "cmdUd(2)", "cmdUd(3)"}) {
      states += Button(name)->isEnabled() ? '1' : '0';
    }
    return states;
  };
  SetOriginal(u"orig");
  EXPECT_EQ(enabled(), "0000");
  Push(u"one", u"第一");
  EXPECT_EQ(enabled(), "1100");
  Push(u"two", u"第二");
  EXPECT_EQ(enabled(), "1100");
  QTest::mouseClick(Button("cmdUd(1)"), Qt::LeftButton);  // undo
  EXPECT_EQ(Shown(), u"one");
  EXPECT_EQ(Label(), u"第一");
  EXPECT_EQ(enabled(), "1111");
  EXPECT_EQ(QApplication::focusWidget(), TextControl());  // the button gives the focus back
  QTest::mouseClick(Button("cmdUd(0)"), Qt::LeftButton);  // back to the original
  EXPECT_EQ(Shown(), u"orig");
  EXPECT_EQ(enabled(), "0011");
  QTest::mouseClick(Button("cmdUd(2)"), Qt::LeftButton);  // redo
  EXPECT_EQ(Shown(), u"one");
  QTest::mouseClick(Button("cmdUd(3)"), Qt::LeftButton);  // to the newest
  EXPECT_EQ(Shown(), u"two");
  EXPECT_EQ(enabled(), "1100");
  Push(u"two", u"again");  // the same text adds nothing
  EXPECT_EQ(Label(), u"新旧文本相同");
  EXPECT_EQ(enabled(), "1100");
}

TEST_F(MainWindowTest, KeysReleasedInTheTextStepTheHistory) {
  SetOriginal(u"orig");
  Push(u"one");
  Push(u"two");
  QPlainTextEdit* text = TextControl();
  QTest::keyClick(text, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);  // not Ctrl only
  EXPECT_EQ(Shown(), u"one");
  QTest::keyClick(text, Qt::Key_F5, Qt::ControlModifier);
  EXPECT_EQ(Shown(), u"orig");
  QTest::keyClick(text, Qt::Key_F6);
  EXPECT_EQ(Shown(), u"one");
  QTest::keyClick(text, Qt::Key_F6, Qt::ControlModifier);
  EXPECT_EQ(Shown(), u"two");
  QTest::keyClick(text, Qt::Key_F5);
  EXPECT_EQ(Shown(), u"one");
  // A press alone does nothing: the keys act on release.
  QTest::keyPress(text, Qt::Key_F5);
  EXPECT_EQ(Shown(), u"one");
  QTest::keyRelease(text, Qt::Key_F5);
  EXPECT_EQ(Shown(), u"orig");
}

TEST_F(MainWindowTest, KeysBelongToTheTextControlOnly) {
  int seek_forward = 0;
  int pasted = 0;
  window->SetCommand({"cmdSeek", 1}, [&](int) { ++seek_forward; });
  window->SetCommand({"mnuPaste"}, [&](int) { ++pasted; });
  SetOriginal(u"orig");
  Push(u"one");
  QPushButton* button = Button("cmdSeek(0)");
  button->setFocus();
  QTest::keyClick(button, Qt::Key_F2);
  QTest::keyClick(button, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(button, Qt::Key_F5);
  EXPECT_EQ(seek_forward, 0);
  EXPECT_EQ(pasted, 0);
  EXPECT_EQ(Shown(), u"one");

  QTest::keyClick(TextControl(), Qt::Key_F2, Qt::ShiftModifier);
  QTest::keyClick(TextControl(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(TextControl(), Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(seek_forward, 1);
  EXPECT_EQ(pasted, 1);
}

TEST_F(MainWindowTest, KeysReachTheEditCommands) {
  SetOriginal(u"可A");
  QTest::keyClick(TextControl(), Qt::Key_F4);  // character information
  EXPECT_EQ(Label(), u"\"可\" U=53EF GB=BFC9");
  QTest::keyClick(TextControl(), Qt::Key_Right);
  QTest::keyClick(TextControl(), Qt::Key_F9);  // a line break at the caret
  EXPECT_EQ(session().box().text(), u"可\r\nA");
  EXPECT_EQ(Label(), u"换行");
  QTest::keyClick(TextControl(), Qt::Key_F9, Qt::ControlModifier);  // a tab
  EXPECT_EQ(session().box().text(), u"可\r\n\tA");
  QTest::keyClick(TextControl(), Qt::Key_F5);
  EXPECT_EQ(Shown(), u"可\nA");
}

TEST_F(MainWindowTest, CaretMovesAreStoredInTheShownEntry) {
  SetOriginal(u"abcdef");
  Push(u"ABCDEF\nGHI");
  QPlainTextEdit* text = TextControl();
  QTest::keyClick(text, Qt::Key_Right);
  QTest::keyClick(text, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(text, Qt::Key_Down, Qt::ShiftModifier);
  const int anchor = 1;
  const int position = text->textCursor().position();
  ASSERT_GT(position, 7);  // on the second line
  QTest::keyClick(text, Qt::Key_F5);
  EXPECT_EQ(Shown(), u"abcdef");
  EXPECT_EQ(text->textCursor().position(), 0);
  QTest::keyClick(text, Qt::Key_F6);
  EXPECT_EQ(text->textCursor().anchor(), anchor);
  EXPECT_EQ(text->textCursor().position(), position);
}

TEST_F(MainWindowTest, LeftButtonReleaseStoresTheSelection) {
  SetOriginal(u"abcdef");
  Push(u"ABCDEF");
  QPlainTextEdit* text = TextControl();
  QTextCursor cursor = text->textCursor();
  cursor.setPosition(1);
  const QPoint from = text->cursorRect(cursor).center();
  cursor.setPosition(4);
  const QPoint to = text->cursorRect(cursor).center();
  QTest::mousePress(text->viewport(), Qt::LeftButton, {}, from);
  QTest::mouseMove(text->viewport(), to);
  QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, to);
  ASSERT_EQ(text->textCursor().selectedText(), "BCD");
  QTest::keyClick(text, Qt::Key_F5);
  QTest::keyClick(text, Qt::Key_F6);
  EXPECT_EQ(text->textCursor().selectedText(), "BCD");
  EXPECT_EQ(session().box().sel_start(), 1);
  EXPECT_EQ(session().box().sel_length(), 3);
}

TEST_F(MainWindowTest, RightButtonReleaseOpensTheEditMenuAfterItsOpeningCommand) {
  int openings = 0;
  bool visible_while_opening = true;
  QMenu* edit = window->Menu("mnuEdits");
  window->SetCommand({"mnuEdits"}, [&](int) {
    ++openings;
    visible_while_opening = edit->isVisible();
  });
  QPlainTextEdit* text = TextControl();
  QTest::mousePress(text->viewport(), Qt::RightButton, {}, QPoint(30, 30));
  EXPECT_FALSE(edit->isVisible());  // not on the press
  QTest::mouseRelease(text->viewport(), Qt::RightButton, {}, QPoint(30, 30));
  EXPECT_TRUE(edit->isVisible());
  EXPECT_EQ(openings, 1);
  EXPECT_FALSE(visible_while_opening);
  edit->hide();
  QTest::mouseClick(text->viewport(), Qt::MiddleButton, {}, QPoint(30, 30));
  EXPECT_FALSE(edit->isVisible());
}

TEST_F(MainWindowTest, SecondDecodingMenuItemRunsThroughTheCommandFrame) {
  SetOriginal(T("ÖÐÎÄ abc"));
  QAction* item = window->Item("mnuChgA2B", 12);
  ASSERT_NE(item, nullptr);
  item->trigger();
  EXPECT_EQ(Shown(), T("中文 abc"));
  EXPECT_EQ(Label(), u"Eng--GB");
  EXPECT_EQ(session().n_cur(), 0);
  EXPECT_EQ(session().EntryLabel(0), u"Eng--GB");
  EXPECT_TRUE(Button("cmdUd(1)")->isEnabled());
  EXPECT_TRUE(item->isChecked());  // a click leaves the check mark as it is
  window->Item("mnuChgA2B", 13)->trigger();
  EXPECT_FALSE(window->Item("mnuChgA2B", 13)->isChecked());
  // Undo through the key shows the original again.
  QTest::keyClick(TextControl(), Qt::Key_F5);
  QTest::keyClick(TextControl(), Qt::Key_F5);
  EXPECT_EQ(Shown(), T("ÖÐÎÄ abc"));
}

TEST_F(MainWindowTest, LineBreaksKeepPositionsOneToOne) {
  SetOriginal(u"ab\r\ncd\ref\ngh");
  QPlainTextEdit* text = TextControl();
  EXPECT_EQ(text->document()->blockCount(), 4);
  QTextCursor cursor = text->textCursor();
  cursor.setPosition(3);
  cursor.setPosition(8, QTextCursor::KeepAnchor);
  text->setTextCursor(cursor);
  window->Run(kRecordCaret);
  EXPECT_EQ(session().box().SelectedText(), u"cd\ref");
}

TEST_F(MainWindowTest, TextControlFollowsTheWindowSize) {
  if (window->logicalDpiX() != 96) GTEST_SKIP() << "layout figures are for 96 dpi";
  QPlainTextEdit* text = TextControl();
  EXPECT_EQ(text->pos(), QPoint(7, 43));
  EXPECT_EQ(window->centralWidget()->size(), QSize(757, 509));
  EXPECT_EQ(text->size(), QSize(757 - 13, 509 - 50));
  EXPECT_EQ(window->findChild<QLabel*>("lblSay")->geometry(), QRect(12, 7, 291, 33));
  EXPECT_EQ(Button("cmdUd(0)")->geometry(), QRect(315, 10, 70, 24));
  EXPECT_EQ(Button("cmdSeek(1)")->geometry(), QRect(685, 10, 64, 24));

  window->centralWidget()->resize(900, 600);
  EXPECT_EQ(text->size(), QSize(887, 550));
  window->centralWidget()->resize(13, 50);  // no room either way: the size stays
  EXPECT_EQ(text->size(), QSize(887, 550));
  window->centralWidget()->resize(20, 49);
  EXPECT_EQ(text->size(), QSize(7, 550));
  EXPECT_EQ(text->pos(), QPoint(7, 43));
  EXPECT_EQ(Button("cmdSeek(1)")->pos(), QPoint(685, 10));  // nothing else moves
}

TEST_F(MainWindowTest, AboutNamesTheProductAndVersion) {
  window->Item("mnuAbout")->trigger();
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].title, u"关于 本软件");
  const std::string about = Utf8(ToQString(ui.shown[0].text));
  EXPECT_NE(about.find(std::string("QOR ") + QOR_VERSION), std::string::npos) << about;
  EXPECT_NE(about.find("©"), std::string::npos) << about;
}

// A stand-in for a dialog that records when it is closed.
class RecordingDialog : public QWidget {
 public:
  RecordingDialog(std::string name, std::vector<std::string>& log) : name_(name), log_(log) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    log_.push_back(name_);
    QWidget::closeEvent(event);
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

TEST_F(MainWindowTest, CloseAsksForUnsavedTextThenClosesTheDialogsInOrder) {
  std::vector<std::string> log;
  QPointer<QWidget> dialogs[] = {
      new RecordingDialog("frmTL", log), new RecordingDialog("frmB", log),
      new RecordingDialog("frmCP", log), new RecordingDialog("frmLid", log)};
  const char* forms[] = {"frmTL", "frmB", "frmCP", "frmLid"};
  for (int i = 0; i < 4; ++i) {
    window->RegisterDialog(forms[i], [dialog = dialogs[i]]() -> QWidget* { return dialog; });
  }
  delete dialogs[3];  // a dialog that is gone already is skipped
  SetOriginal(u"orig");
  Push(u"unsaved");

  ui.answers = {false};
  EXPECT_FALSE(window->close());
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, u"当前文本未保存，是否清空？");
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(log.empty());

  ui.answers = {true};
  EXPECT_TRUE(window->close());
  EXPECT_EQ(log, (std::vector<std::string>{"frmB", "frmCP", "frmTL"}));
  for (const QPointer<QWidget>& dialog : dialogs) EXPECT_TRUE(dialog.isNull());
  EXPECT_EQ(QSettings(QStringLiteral("QOR"), QStringLiteral("QOR")).value("Picks/WordWrap"),
            "True");
}

TEST_F(MainWindowTest, SavedTextClosesWithoutAsking) {
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace qor
