#include "dialogs/file_chooser_rules.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/wtf8.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(MakeNewName, ProposesAFreeNameAndSelectsWhatItMadeUp) {
  const struct {
    const char* typed;
    std::set<std::string> taken;
    const char* name;
    const char* selected;  // the selected part
    int caret;             // where the selection starts
  } cases[] = {
      {"", {}, "!未起名.txt", "!未起名.txt", 0},
      {"   ", {}, "!未起名.txt", "!未起名.txt", 0},
      {"", {"!未起名.txt"}, "!未起名_2.txt", "!未起名_2.txt", 0},
      {"readme", {}, "readme.txt", ".txt", 6},
      {"report.backup", {}, "report backup.txt", ".txt", 13},  // ".backup" is too long
      {"a.b.c.txt", {}, "a b c.txt", "", 5},
      {"data.csv", {}, "data.csv", "", 4},
      {"data.csv", {"data.csv"}, "data_2.csv", "_2", 4},
      {"data.csv", {"data.csv", "data_2.csv"}, "data_2.csv", "_2", 4},  // one alternative only
      {"abc.", {}, "abc.txt", ".txt", 3},
      {".txt", {}, "!未起名.txt", "!未起名", 0},
      {"  x. md", {}, "x.md", "", 1},  // blanks after the dot go
      {"a.12345", {}, "a.12345", "", 1},
      {"a.123456", {}, "a 123456.txt", ".txt", 8},
      {"中文.txt", {"中文.txt"}, "中文_2.txt", "_2", 2},
      // A GBK name as shown: its escapes are characters like any other.
      {"\\xC4\\xE3.txt", {"\\xC4\\xE3.txt"}, "\\xC4\\xE3_2.txt", "_2", 8},
  };
  for (const auto& c : cases) {
    std::vector<std::string> asked;
    const NewName proposal = MakeNewName(T(c.typed), [&](TextView name) {
      asked.push_back(EncodeWtf8(name));
      return c.taken.count(EncodeWtf8(name)) > 0;
    });
    EXPECT_EQ(Show(proposal.name), c.name) << c.typed;
    EXPECT_EQ(Show(proposal.name.substr(proposal.sel_start, proposal.sel_length)), c.selected)
        << c.typed;
    EXPECT_EQ(proposal.sel_start, c.caret) << c.typed;
    EXPECT_EQ(asked.size(), 1u) << c.typed;
  }
}

TEST(AcceptChoice, WhatAcceptingGives) {
  const std::filesystem::path folder = "/home/u/";
  const struct {
    bool open;
    const char* selected;
    const char* typed;
    int entry;
    bool bom;
    std::optional<std::string> path;
    std::int16_t code;
  } cases[] = {
      {false, "", "readme", 0, false, "/home/u/readme.txt", 0},
      {false, "", "notes.md", 1, false, "/home/u/notes.md", 1},
      {false, "", "abc.", 2, false, "/home/u/abc.", 2},
      {false, "", "  a.b  ", 3, false, "/home/u/a.b", 3},
      {false, "", "u", 4, false, "/home/u/u.txt", 7},
      {false, "", "u", 4, true, "/home/u/u.txt", 4},
      {false, "", "u", 5, false, "/home/u/u.txt", 8},
      {false, "", "u", 6, false, "/home/u/u.txt", 9},
      {false, "", "u", 6, true, "/home/u/u.txt", 6},
      {false, "", "u", -1, false, "/home/u/u.txt", 0},
      {false, "", "   ", 6, true, std::nullopt, 0},
      {false, "", "", 6, true, std::nullopt, 0},
      {false, "", "a/b", 0, false, std::nullopt, 0},  // pasted past the key filter
      {false, "x.txt", "y", 0, false, "/home/u/y.txt", 0},
      {true, "", "", 0, false, std::nullopt, 0},
      {true, "x.txt", "", 6, false, "/home/u/x.txt", 6},  // no mark box when opening
      {true, "x.txt", "ignored", 0, false, "/home/u/x.txt", 0},
      // Names that are not UTF-8, as the list and the name box show them: their bytes.
      {true, "\\xC4\\xE3\\xBA\\xC3.txt", "", 0, false, "/home/u/\xC4\xE3\xBA\xC3.txt", 0},
      {true, "caf\\xE9.txt", "", 0, false, "/home/u/caf\xE9.txt", 0},
      {false, "", "\\xC4\\xE3\\xBA\\xC3", 0, false, "/home/u/\xC4\xE3\xBA\xC3.txt", 0},
      {false, "", " caf\\xe9.txt ", 0, false, "/home/u/caf\xE9.txt", 0},
      {false, "", "a\\b.txt", 0, false, std::nullopt, 0},     // a backslash of its own
      {false, "", "a\\x2Fb.txt", 0, false, std::nullopt, 0},  // out of the folder
      {false, "", "a\\x00b.txt", 0, false, std::nullopt, 0},
  };
  for (const auto& c : cases) {
    const std::optional<FileChoice> choice =
        AcceptChoice(c.open, folder, T(c.selected), T(c.typed), c.entry, c.bom);
    ASSERT_EQ(choice.has_value(), c.path.has_value()) << c.typed;
    if (!choice) continue;
    EXPECT_EQ(choice->path.native(), *c.path) << c.typed;
    EXPECT_EQ(choice->pattern, c.code) << c.typed << " " << c.entry;
  }
}

TEST(EncodingChoice, EntryAndMarkForACodeAndBack) {
  const struct {
    std::int16_t code;
    int entry;
    bool bom;
  } cases[] = {{0, 4, true},  {1, 1, false}, {2, 2, false}, {3, 3, false},
               {4, 4, true},  {5, 5, true},  {6, 6, true},  {7, 4, false},
               {8, 5, false}, {9, 6, false}, {10, 4, true}, {-1, 4, true}};
  for (const auto& c : cases) {
    const EncodingPick pick = EncodingPickForCode(static_cast<EncodingCode>(c.code));
    EXPECT_EQ(pick.entry, c.entry) << c.code;
    EXPECT_EQ(pick.bom, c.bom) << c.code;
    if (c.code >= 1 && c.code <= 9) {
      EXPECT_EQ(CodeOfPick(false, pick.entry, pick.bom), c.code);
    }
  }
  for (int entry = 0; entry < 7; ++entry) {
    const BomBox box = BomBoxForEntry(entry);
    EXPECT_EQ(box.checked, entry >= 4) << entry;
    EXPECT_EQ(box.enabled, entry >= 4) << entry;
  }
}

TEST(FolderMemory, BackTogglesBetweenTwoFolders) {
  FolderMemory folders;
  folders.Changed("/start");
  folders.Changed(u"/a/");
  EXPECT_EQ(folders.current().native(), "/a/");
  EXPECT_EQ(folders.previous().native(), "/start/");
  folders.Changed(folders.previous());
  EXPECT_EQ(folders.current().native(), "/start/");
  folders.Changed(folders.previous());
  EXPECT_EQ(folders.current().native(), "/a/");
}

TEST(FileChooserTexts, MessagesAsTheUserReadsThem) {
  Text forbidden = T("文件名里不能有 英文的");
  for (const char c : std::string("\"*/:<>?\\|")) forbidden += Text{u' ', char16_t(c)};
  EXPECT_EQ(Text(kForbiddenNameMessage), forbidden);
  for (const char c : std::string("\"*/:<>?\\|")) EXPECT_TRUE(IsForbiddenNameChar(c));
  for (const char c : std::string("a .-_~!'")) EXPECT_FALSE(IsForbiddenNameChar(c));
  EXPECT_FALSE(HasForbiddenNameChar(u"\\xC4\\xe3.txt"));
  EXPECT_TRUE(HasForbiddenNameChar(u"\\xC4\\x.txt"));
  EXPECT_TRUE(HasForbiddenNameChar(u"a?.txt"));
  EXPECT_EQ(DeleteQuestion("/d/a.txt"),
            T("/d/a.txt\r\n\r\n是否删除？\r\n\r\n(通常，硬盘文件进回收站，U盘文件直接删除)"));
  EXPECT_EQ(DeleteQuestion("/d/caf\xE9.txt").substr(0, 16), u"/d/caf\\xE9.txt\r\n");
  EXPECT_EQ(TrimBlanks(u"  a b  "), u"a b");
  EXPECT_EQ(WithTrailingSlash("/a").native(), "/a/");
  EXPECT_EQ(WithTrailingSlash("/a/").native(), "/a/");
  EXPECT_EQ(SplitPath("/a/b.txt")->folder.native(), "/a/");
  EXPECT_EQ(SplitPath("/a/b.txt")->name, u"b.txt");
  EXPECT_EQ(SplitPath("/\xC4\xE3/\xBA\xC3.txt")->folder.native(), "/\xC4\xE3/");
  EXPECT_EQ(SplitPath("/\xC4\xE3/\xBA\xC3.txt")->name, u"\\xBA\\xC3.txt");
  EXPECT_EQ(SplitPath("b.txt")->folder.native(), "");
  EXPECT_FALSE(SplitPath(""));
}

}  // namespace
}  // namespace qor
