#include "session/file_commands.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <ctime>

#include "platform/path_text.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

// The properties show times in the user's zone; the tests pin it before ICU reads it.
const bool kUtc = (::setenv("TZ", "UTC", 1), true);

FileSystem& disk = DiskFileSystem();
const Text kDiscardQuestion = T("当前文本未保存，是否清空？");

struct Fixture {
  ScriptedUi ui;
  Session session{ui};
  TempFolder folder;

  void Choose(const std::filesystem::path& name, EncodingCode pattern = kEncodingAutomatic) {
    ui.files.push_back(FileChoice{folder / name, pattern});
  }
  // A command's result pushed onto the history, so that the text counts as unsaved.
  void Change(TextView text) {
    session.SetText(Text(text));
    session.PushHistory(u"改");
  }
};

void SetMtime(const std::filesystem::path& path, std::time_t seconds) {
  const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(FileMenu, StateAtStartAfterOpenAndAfterChanges) {
  Fixture f;
  EXPECT_TRUE(FileMenuOpening(f.session).save_checked);
  EXPECT_FALSE(FileMenuOpening(f.session).properties_enabled);
  f.folder.Write(u"a.txt", "abc");
  f.Choose(u"a.txt");
  OpenAsOriginal(f.session);
  EXPECT_TRUE(FileMenuOpening(f.session).save_checked);
  EXPECT_TRUE(FileMenuOpening(f.session).properties_enabled);
  f.Change(u"x");
  EXPECT_FALSE(FileMenuOpening(f.session).save_checked);
  f.session.StepHistory(kUndo);
  EXPECT_TRUE(FileMenuOpening(f.session).save_checked);
}

TEST(ClearAsOriginal, AsksForUnsavedTextThenClearsEverything) {
  Fixture f;
  f.folder.Write(u"a.txt", "abc");
  f.Choose(u"a.txt");
  OpenAsOriginal(f.session);
  f.Change(u"changed");

  f.ui.answers = {false};
  ClearAsOriginal(f.session);
  EXPECT_EQ(f.session.box().text(), u"changed");
  EXPECT_EQ(f.ui.shown.back().text, kDiscardQuestion);

  f.ui.answers = {true};
  ClearAsOriginal(f.session);
  EXPECT_EQ(f.session.box().text(), u"");
  EXPECT_EQ(f.session.file(), u"");
  EXPECT_EQ(f.session.file_pattern(), 0);
  EXPECT_TRUE(f.session.IsSaved());
  EXPECT_FALSE(f.session.CanGoBack());
  EXPECT_EQ(f.session.say(), T("清空作原始"));
  EXPECT_EQ(f.session.title(), T("清空作原始  ~QOR"));
  EXPECT_FALSE(FileMenuOpening(f.session).properties_enabled);

  // The empty original needs no saving: clearing again asks nothing.
  const std::size_t shown = f.ui.shown.size();
  ClearAsOriginal(f.session);
  EXPECT_EQ(f.ui.shown.size(), shown);
}

TEST(OpenAsOriginal, OpensTheFileAsTheNewOriginal) {
  Fixture f;
  f.folder.Write(T("中文名.txt"), Hex("D6 D0 CE C4 0D 0A 41"));
  f.Change(u"x");
  f.ui.answers = {true};  // discard the unsaved text
  f.Choose(T("中文名.txt"));
  OpenAsOriginal(f.session);
  ASSERT_EQ(f.ui.file_requests.size(), 1u);
  EXPECT_TRUE(f.ui.file_requests[0].open);
  EXPECT_EQ(f.session.box().text(), T("中文\r\nA"));
  EXPECT_EQ(f.session.file(), f.folder / T("中文名.txt"));
  EXPECT_EQ(f.session.file_pattern(), 1);
  EXPECT_TRUE(f.session.IsSaved());
  EXPECT_EQ(f.session.n_cur(), -1);
  EXPECT_FALSE(f.session.CanGoForward());
  EXPECT_EQ(f.session.say(), T("打开作原始"));
  EXPECT_EQ(f.session.title(), T("中文名.txt  ~QOR"));
  EXPECT_EQ(f.ui.Messages().size(), 0u);
}

TEST(OpenAsOriginal, TheChosenEncodingIsSettledAgainstTheFile) {
  Fixture f;
  f.folder.Write(u"a.txt", Hex("EF BB BF 41"));
  f.Choose(u"a.txt", kEncodingUtf8NoBom);
  OpenAsOriginal(f.session);
  EXPECT_EQ(f.session.box().text(), u"A");
  EXPECT_EQ(f.session.file_pattern(), 6);
  f.ui.answers = {true};  // reopen
  f.Choose(u"a.txt", kEncodingGbk);
  OpenAsOriginal(f.session);
  EXPECT_EQ(f.session.box().text(), T("锘緼"));
  EXPECT_EQ(f.session.file_pattern(), 1);
}

// Files the user may pick, and what opening each gives.
TEST(OpenAsOriginal, SizeLimitsAndBadInput) {
  Bytes utf8_limit;
  for (int i = 0; i < 16383; ++i) utf8_limit += "\xE4\xB8\xAD";  // 49149 bytes, 16383 units
  Bytes binary;
  for (int i = 0; i < 3000; ++i) binary += static_cast<char>((i * 7919) % 256);
  const struct {
    const char* name;
    Bytes bytes;
    const char* message;  // after the path and a blank line; empty when it opens
    std::size_t length;   // of the opened text
  } cases[] = {
      {"limit.txt", utf8_limit, "", 16383},
      {"over.txt", utf8_limit + "a", "打开 拒绝~ 文件过大", 0},
      {"ascii16383.txt", Bytes(16383, 'a'), "", 16383},
      {"ascii16384.txt", Bytes(16384, 'a'), "打开 失败~ 文本过长", 0},
      {"gbk40000.txt", Bytes(40000, 'a'), "打开 失败~ 文本过长", 0},
      {"empty.txt", "", "", 0},
      {"binary.bin", binary, "", 0},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.session.SetText(u"before");
    f.session.ResetHistory(u"粘贴作原始");
    const Text name = T(c.name);
    f.folder.Write(name, c.bytes);
    f.Choose(name);
    FaultyFileSystem files(disk);
    OpenAsOriginal(f.session, files);
    const std::vector<Text> messages = f.ui.Messages();
    if (*c.message) {
      ASSERT_EQ(messages.size(), 1u) << c.name;
      EXPECT_EQ(Show(messages[0]), Show(PathMessage(f.folder / name, T(c.message))));
      EXPECT_EQ(f.session.box().text(), u"before") << c.name;
      EXPECT_EQ(f.session.file(), u"") << c.name;
    } else {
      EXPECT_EQ(messages.size(), 0u) << c.name;
      EXPECT_EQ(f.session.file(), f.folder / name) << c.name;
      if (c.length) {
        EXPECT_EQ(f.session.box().text().size(), c.length) << c.name;
      }
      EXPECT_EQ(f.session.box().text().find(u'\0'), Text::npos) << c.name;
    }
    // A file that is too large is refused before it is read.
    if (c.bytes.size() > 49149) {
      for (const std::string& call : files.log()) EXPECT_NE(call, "OpenForReading") << c.name;
    }
  }
}

TEST(OpenAsOriginal, EmptyFileIsAnEmptyGbkOriginal) {
  Fixture f;
  f.folder.Write(u"e.txt", "");
  f.Choose(u"e.txt");
  OpenAsOriginal(f.session);
  EXPECT_EQ(f.session.box().text(), u"");
  EXPECT_EQ(f.session.file_pattern(), 1);
  EXPECT_EQ(f.session.title(), T("e.txt  ~QOR"));
}

TEST(OpenAsOriginal, NoSuchFile) {
  Fixture f;
  f.folder.MakeFolder(u"sub");
  for (const char* name : {"missing.txt", "sub"}) {  // a folder chosen as a file
    f.Choose(T(name));
    OpenAsOriginal(f.session);
    EXPECT_EQ(Show(f.ui.Messages().back()),
              Show(PathMessage(f.folder / T(name), T("打开 失败~ 文件不存在"))));
  }
  EXPECT_EQ(f.session.file(), u"");
}

TEST(OpenAsOriginal, FileGoneOrUnreadableWhenItIsRead) {
  for (const bool gone : {true, false}) {
    Fixture f;
    f.folder.Write(u"a.txt", "abc");
    f.Choose(u"a.txt");
    FaultyFileSystem files(disk);
    files.before_call = [&](const std::string& call, const std::filesystem::path& path) {
      if (call != "OpenForReading") return;
      if (gone) {
        ::unlink(path.c_str());
      } else {
        files.FailCall(files.calls());
      }
    };
    OpenAsOriginal(f.session, files);
    const Text reason = gone ? DescribeError(ENOENT) : FaultyFileSystem::FailureDescription();
    ASSERT_EQ(f.ui.Messages().size(), 1u);
    EXPECT_EQ(Show(f.ui.Messages()[0]),
              Show(PathMessage(f.folder / u"a.txt", T("打开 失败~ ") + reason)));
    EXPECT_EQ(f.session.file(), u"");
    EXPECT_EQ(f.session.title(), u"QOR");
  }
}

TEST(OpenAsOriginal, NamesNoLocaleCanShow) {
  Fixture f;
  ::setenv("LC_ALL", "C", 1);
  std::setlocale(LC_ALL, "C");
  const Text name = T("😀 한국어 ÿ.txt");
  f.folder.Write(name, "x");
  f.Choose(name);
  OpenAsOriginal(f.session);
  ::unsetenv("LC_ALL");
  EXPECT_EQ(f.session.box().text(), u"x");
  EXPECT_EQ(f.session.title(), name + u"  ~QOR");
}

TEST(OpenAsOriginal, ReopenQuestionOnlyForTheSameSavedFile) {
  Fixture f;
  f.folder.Write(u"a.txt", "one");
  f.Choose(u"a.txt");
  OpenAsOriginal(f.session);
  f.folder.Write(u"a.txt", "two");
  const Text question = PathMessage(f.folder / u"a.txt", T("文件已经打开，是否重新打开作原始？"));

  f.ui.answers = {false};
  f.Choose(u"a.txt");
  OpenAsOriginal(f.session);
  EXPECT_EQ(f.ui.shown.back().text, question);
  EXPECT_EQ(f.session.box().text(), u"one");

  f.ui.answers = {true};
  f.Choose(u"a.txt");
  OpenAsOriginal(f.session);
  EXPECT_EQ(f.session.box().text(), u"two");

  // After a change only the discard question is asked.
  f.Change(u"changed");
  f.ui.shown.clear();
  f.ui.answers = {true};
  f.Choose(u"a.txt");
  OpenAsOriginal(f.session);
  ASSERT_EQ(f.ui.shown.size(), 1u);
  EXPECT_EQ(f.ui.shown[0].text, kDiscardQuestion);
  EXPECT_EQ(f.session.box().text(), u"two");

  // Names that differ in letter case are different files: no question.
  f.folder.Write(u"A.txt", "upper");
  f.ui.shown.clear();
  f.Choose(u"A.txt");
  OpenAsOriginal(f.session);
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_EQ(f.session.box().text(), u"upper");
}

TEST(OpenAsOriginal, CancelChangesNothingAndAsksNothing) {
  Fixture f;
  f.session.SetText(u"t");
  f.session.ResetHistory(u"l");
  f.ui.files.push_back(std::nullopt);
  OpenAsOriginal(f.session);
  f.ui.files.push_back(FileChoice{});  // an empty path
  OpenAsOriginal(f.session);
  EXPECT_EQ(f.ui.file_requests.size(), 2u);
  EXPECT_TRUE(f.ui.shown.empty());
  EXPECT_EQ(f.session.box().text(), u"t");
  EXPECT_EQ(f.session.say(), u"l");
}

TEST(SaveToFile, SavesAndMarksTheEntrySaved) {
  Fixture f;
  f.Change(T("中文"));
  f.Choose(T("新.txt"), kEncodingUtf8);
  SaveToFile(f.session);
  ASSERT_EQ(f.ui.file_requests.size(), 1u);
  EXPECT_FALSE(f.ui.file_requests[0].open);
  EXPECT_EQ(f.ui.file_requests[0].path, u"");
  EXPECT_EQ(f.ui.file_requests[0].pattern, 0);
  EXPECT_EQ(f.folder.Read(T("新.txt")), "\xEF\xBB\xBF中文");
  EXPECT_EQ(f.session.file(), f.folder / T("新.txt"));
  EXPECT_EQ(f.session.file_pattern(), 6);
  EXPECT_TRUE(f.session.IsSaved());
  EXPECT_EQ(f.session.say(), T("保存到文件"));
  EXPECT_EQ(f.session.EntryLabel(f.session.n_cur()), u"改");  // the entry keeps its label
  EXPECT_EQ(f.session.title(), T("新.txt  ~QOR"));
  EXPECT_TRUE(f.ui.shown.empty());

  // The next save offers the current file and its encoding; saving there asks nothing.
  f.Change(u"B");
  f.Choose(T("新.txt"), kEncodingAutomatic);
  SaveToFile(f.session);
  EXPECT_EQ(f.ui.file_requests[1].path, f.folder / T("新.txt"));
  EXPECT_EQ(f.ui.file_requests[1].pattern, 6);
  EXPECT_EQ(ToHex(*f.folder.Read(T("新.txt"))), "EF BB BF 42");
  EXPECT_TRUE(f.ui.shown.empty());
}

TEST(SaveToFile, AutomaticChoiceKeepsTheFilesEncoding) {
  Fixture f;
  f.folder.Write(u"g.txt", Hex("D6 D0"));
  f.Choose(u"g.txt");
  OpenAsOriginal(f.session);
  f.Change(T("文"));
  f.Choose(u"g.txt", kEncodingAutomatic);
  SaveToFile(f.session);
  EXPECT_EQ(ToHex(*f.folder.Read(u"g.txt")), "CE C4");
  EXPECT_EQ(f.session.file_pattern(), 1);

  // Text that never came from a file: the writer's default, Unicode with a mark.
  Fixture g;
  g.Change(u"A");
  g.Choose(u"u.txt", kEncodingAutomatic);
  SaveToFile(g.session);
  EXPECT_EQ(ToHex(*g.folder.Read(u"u.txt")), "FF FE 41 00");
  EXPECT_EQ(g.session.file_pattern(), 4);
}

TEST(SaveToFile, AnotherExistingFileIsOverwrittenOnlyAfterYes) {
  Fixture f;
  f.folder.Write(u"other.txt", "keep");
  f.Change(u"A");
  const Text question = PathMessage(f.folder / u"other.txt", T("文件已经存在。是否改写文件？"));
  f.ui.answers = {false};
  f.Choose(u"other.txt", kEncodingUtf8NoBom);
  SaveToFile(f.session);
  EXPECT_EQ(f.ui.shown.back().text, question);
  EXPECT_EQ(f.folder.Read(u"other.txt"), "keep");
  EXPECT_FALSE(f.session.IsSaved());
  EXPECT_EQ(f.session.file(), u"");

  f.ui.answers = {true};
  f.Choose(u"other.txt", kEncodingUtf8NoBom);
  SaveToFile(f.session);
  EXPECT_EQ(f.folder.Read(u"other.txt"), "A");
  EXPECT_TRUE(f.session.IsSaved());
}

// Saving through a symbolic link: the file it leads to is written, and the window goes on
// naming the link the user chose.
TEST(SaveToFile, ThroughASymbolicLinkTheUsersPathStays) {
  Fixture f;
  f.folder.MakeFolder(u"repo");
  f.folder.Write(u"repo/dotfile", "old");
  f.folder.Symlink("repo/dotfile", u".dotfile");
  f.Choose(u".dotfile", kEncodingUtf8NoBom);
  OpenAsOriginal(f.session);
  f.Change(u"new");
  f.Choose(u".dotfile", kEncodingAutomatic);
  f.ui.answers = {true};  // a hidden name: overwrite it
  SaveToFile(f.session);
  EXPECT_EQ(f.folder.Read(u"repo/dotfile"), "new");
  EXPECT_TRUE(f.folder.IsLink(u".dotfile"));
  EXPECT_EQ(f.session.file(), f.folder / u".dotfile");
  EXPECT_EQ(f.session.title(), T(".dotfile  ~QOR"));
  EXPECT_TRUE(f.session.IsSaved());
}

TEST(SaveToFile, AFailedWriteChangesNothing) {
  Fixture f;
  f.folder.MakeFolder(u"sub");
  f.Change(u"A");
  f.Choose(u"sub", kEncodingUtf8NoBom);
  SaveToFile(f.session);
  ASSERT_EQ(f.ui.Messages().size(), 1u);
  EXPECT_EQ(f.ui.Messages()[0],
            PathMessage(f.folder / u"sub", T("保存 失败~ ") + DescribeError(EISDIR)));
  EXPECT_FALSE(f.session.IsSaved());
  EXPECT_EQ(f.session.file(), u"");
  EXPECT_EQ(f.session.say(), u"改");
  EXPECT_EQ(f.session.title(), u"QOR");
}

// GBK and Latin-1 names, as unpacked from other systems' archives: opened, saved, saved again
// under another such name and shown, the bytes of the name unchanged from the chooser to the
// disk; shown with those bytes escaped.
TEST(FileCommands, NamesThatAreNotUtf8) {
  const struct {
    std::string name;
    std::string other;  // saved as
    const char* shown;
  } cases[] = {
      {"\xC4\xE3\xBA\xC3.txt", "\xD0\xC2.txt", "\\xC4\\xE3\\xBA\\xC3.txt"},  // 你好, 新
      {"caf\xE9.txt", "na\xEFve.txt", "caf\\xE9.txt"},                       // café, naïve
  };
  for (const auto& c : cases) {
    Fixture f;
    const std::filesystem::path path = f.folder / c.name;
    f.folder.Write(c.name, "old");
    f.Choose(c.name, kEncodingUtf8NoBom);
    OpenAsOriginal(f.session);
    EXPECT_EQ(f.session.box().text(), u"old") << c.shown;
    EXPECT_EQ(f.session.file().native(), path.native());
    EXPECT_EQ(f.session.title(), T(c.shown) + u"  ~QOR");

    f.Change(u"new");
    f.Choose(c.name, kEncodingAutomatic);
    SaveToFile(f.session);
    EXPECT_TRUE(f.ui.shown.empty()) << Show(f.ui.shown.front().text);
    EXPECT_EQ(f.ui.file_requests.back().path.native(), path.native());
    EXPECT_EQ(f.folder.NameBytes(), std::vector<Bytes>{c.name});
    EXPECT_EQ(f.folder.Read(c.name), "new");

    f.Change(u"other");
    f.Choose(c.other, kEncodingAutomatic);
    SaveToFile(f.session);
    EXPECT_EQ(f.folder.Read(c.other), "other");
    EXPECT_EQ(f.session.file().native(), (f.folder / c.other).native());
    EXPECT_EQ(f.folder.NameBytes().size(), 2u);

    ShowFileProperties(f.session);
    const Text shown_path = PathToText(f.folder.path()) + PathToText(c.other);
    EXPECT_EQ(f.ui.Messages().back().substr(0, 6 + shown_path.size()),
              T("文件路径= ") + shown_path);
    EXPECT_NE(shown_path.find(u"\\x"), Text::npos);
  }
}

TEST(ShowFileProperties, FiveLinesInTheUsersFormats) {
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  Fixture f;
  f.folder.Write(u"p.txt", Bytes(1234, 'a'));
  f.Choose(u"p.txt", kEncodingUtf8NoBom);
  OpenAsOriginal(f.session);
  f.folder.Chmod(u"p.txt", 0444);
  SetMtime(f.folder / u"p.txt", 1700000000);
  ShowFileProperties(f.session);
  ::unsetenv("LC_ALL");
  ASSERT_EQ(f.ui.Messages().size(), 1u);
  EXPECT_EQ(f.ui.shown.back().title, T("当前文件属性  ~QOR"));
  EXPECT_EQ(Show(f.ui.Messages()[0]), Show(T("文件路径= ") + PathToText(f.folder / u"p.txt") +
                                           T("\r\n\r\n文件属性=  只读"
                                             "\r\n\r\n文件大小= 1.234 字节"
                                             "\r\n\r\n修改时间= 14.11.23, 22:13:20"
                                             "\r\n\r\n编码格式= UTF-8 (No BOM)")));
}

TEST(ShowFileProperties, FileThatIsGone) {
  Fixture f;
  f.folder.Write(u"p.txt", "x");
  f.Choose(u"p.txt");
  OpenAsOriginal(f.session);
  ::unlink((f.folder / u"p.txt").c_str());
  ShowFileProperties(f.session);
  f.folder.MakeFolder(u"p.txt");
  ShowFileProperties(f.session);
  const std::vector<Text> messages = f.ui.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0],
            PathMessage(f.folder / u"p.txt", T("属性读取 失败~ ") + DescribeError(ENOENT)));
  EXPECT_EQ(messages[1],
            PathMessage(f.folder / u"p.txt", T("属性读取 失败~ ") + DescribeError(EISDIR)));
}

TEST(StartNewWindow, SavesTheSettingsFirst) {
  std::vector<std::string> calls;
  StartNewWindow([&] { calls.push_back("save"); },
                 [&] {
                   calls.push_back("start");
                   return false;  // a failure is ignored
                 });
  EXPECT_EQ(calls, (std::vector<std::string>{"save", "start"}));
}

}  // namespace
}  // namespace qor
