// Every menu item and every key of the main window reaches a command.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <set>

#include "main_window_test_support.h"
#include "session/key_table.h"

namespace qor {
namespace {

// "mnuIns(2)" → {"mnuIns", 2}; "mnuClear" → {"mnuClear", -1}.
std::pair<std::string, int> ParseName(const QString& object_name) {
  const std::string name = Utf8(object_name);
  const std::size_t open = name.find('(');
  if (open == std::string::npos) return {name, -1};
  return {name.substr(0, open), std::stoi(name.substr(open + 1))};
}

void CollectItems(const QList<QAction*>& actions, std::vector<std::pair<std::string, int>>& out) {
  for (const QAction* action : actions) {
    if (action->isSeparator()) continue;
    if (const QMenu* menu = action->menu()) {
      CollectItems(menu->actions(), out);
    } else {
      out.push_back(ParseName(action->objectName()));
    }
  }
}

TEST_F(MainWindowTest, EveryMenuItemReachesACommand) {
  std::vector<std::pair<std::string, int>> items;
  CollectItems(window->menuBar()->actions(), items);
  EXPECT_EQ(items.size(), 88u);
  // The current font name and size are shown with a mark and do nothing.
  const std::set<std::string> inert = {"mnuFont0", "mnuSize0"};
  for (const auto& [name, index] : items) {
    if (inert.count(name)) continue;
    EXPECT_TRUE(window->HasCommand({name, index})) << name << "(" << index << ")";
  }
  // The menus whose opening sets their items.
  for (const char* menu : {"mnuFiles", "mnuEdits", "mnuLooks"}) {
    EXPECT_TRUE(window->HasCommand({menu})) << menu;
  }
}

struct KeyCase {
  int code;
  Qt::Key key;
};

constexpr KeyCase kKeys[] = {
    {33, Qt::Key_PageUp}, {34, Qt::Key_PageDown}, {35, Qt::Key_End},   {36, Qt::Key_Home},
    {37, Qt::Key_Left},   {38, Qt::Key_Up},       {39, Qt::Key_Right}, {40, Qt::Key_Down},
    {45, Qt::Key_Insert}, {46, Qt::Key_Delete},   {80, Qt::Key_P},     {86, Qt::Key_V},
    {112, Qt::Key_F1},    {113, Qt::Key_F2},      {114, Qt::Key_F3},   {115, Qt::Key_F4},
    {116, Qt::Key_F5},    {117, Qt::Key_F6},      {118, Qt::Key_F7},   {119, Qt::Key_F8},
    {120, Qt::Key_F9},    {122, Qt::Key_F11},
};

constexpr int kShifts[] = {0, kCtrlDown, kCtrlDown | kShiftDown};

TEST_F(MainWindowTest, EveryKeyOfTheKeyTableRunsItsCommand) {
  // Every command a key can reach records that it ran, instead of running.
  std::vector<std::pair<std::string, int>> ran;
  std::set<std::pair<std::string, int>> spied;
  for (const KeyCase& k : kKeys) {
    for (const int shift : kShifts) {
      const std::optional<CommandId> id = KeyCommand(k.code, shift);
      if (!id || !spied.insert({std::string(id->name), id->index}).second) continue;
      const std::string name(id->name);
      window->SetCommand(*id, [&ran, name](int index) { ran.push_back({name, index}); });
    }
  }
  for (const KeyCase& k : kKeys) {
    for (const int shift : kShifts) {
      ran.clear();
      Qt::KeyboardModifiers modifiers;
      if (shift & kCtrlDown) modifiers |= Qt::ControlModifier;
      if (shift & kShiftDown) modifiers |= Qt::ShiftModifier;
      QTest::keyClick(TextControl(), k.key, modifiers);
      const std::optional<CommandId> command = KeyCommand(k.code, shift);
      if (!command) {  // P and V without Ctrl
        EXPECT_TRUE(ran.empty()) << k.code << " " << shift;
        continue;
      }
      const CommandId expected = *command;
      ASSERT_EQ(ran.size(), 1u) << k.code << " " << shift;
      EXPECT_EQ(ran[0].first, std::string(expected.name)) << k.code << " " << shift;
      EXPECT_EQ(ran[0].second, expected.index) << k.code << " " << shift;
    }
  }
}

TEST_F(MainWindowTest, EditMenuEnablesByTheSelectionAndTheClipboard) {
  SetOriginal(u"abc");
  ui.clipboard.reset();
  window->Run({"mnuEdits"});
  for (const char* name : {"mnuCopy", "mnuReplace", "mnuPaste", "mnuPasteOrig"}) {
    EXPECT_FALSE(window->Item(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(window->Item("mnuIns", 0)->isEnabled());
  EXPECT_FALSE(window->Item("mnuWnCase", 3)->isEnabled());
  EXPECT_FALSE(window->Menu("mnuMakes")->isEnabled());
  for (const char* name : {"mnuASel", "mnuSeekNew", "mnuSayCode"}) {
    EXPECT_TRUE(window->Item(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(window->Item("mnuIns", 1)->isEnabled());

  ui.clipboard = Text(u"x");
  session().Select(0, 2);
  window->Run({"mnuEdits"});
  for (const char* name : {"mnuCopy", "mnuReplace", "mnuPaste", "mnuPasteOrig"}) {
    EXPECT_TRUE(window->Item(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(window->Menu("mnuMakes")->isEnabled());
}

TEST_F(MainWindowTest, FileMenuMarksTheSavedTextAndTheCurrentFile) {
  window->Run({"mnuFiles"});
  EXPECT_TRUE(window->Item("mnuSave")->isChecked());  // the empty original needs no saving
  EXPECT_FALSE(window->Item("mnuAttr")->isEnabled());
  ui.clipboard = Text(u"pasted");
  window->Run({"mnuPasteOrig"});
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("粘贴作原始  ~QOR"));
  window->Run({"mnuFiles"});
  EXPECT_FALSE(window->Item("mnuSave")->isChecked());
}

TEST_F(MainWindowTest, WriteGarbledItemEncodesTheSelection) {
  SetOriginal(u"x可y");
  session().Select(1, 1);
  window->Item("mnuMake", 0)->trigger();
  EXPECT_EQ(Shown(), u"x&#x53EF;y");
  EXPECT_EQ(Label(), u"U--HTM(H)");
  EXPECT_EQ(TextControl()->textCursor().selectedText(), QStringLiteral("&#x53EF;"));
}

}  // namespace
}  // namespace qor
