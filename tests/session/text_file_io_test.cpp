#include "session/text_file_io.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/wtf8.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

FileSystem& disk = DiskFileSystem();

Text SaveFailed(TextView path, TextView reason) {
  return PathMessage(path, Text(u"保存 失败~ ") + Text(reason));
}
Text OpenFailed(TextView path, TextView reason) {
  return PathMessage(path, Text(u"打开 失败~ ") + Text(reason));
}

// ---- Reading

TEST(ReadTextFile, DecodesAndReportsTheCode) {
  TempFolder folder;
  folder.Write(u"a.txt", Hex("EF BB BF 41 00 42"));
  ScriptedUi ui;
  const std::optional<TextFile> file = ReadTextFile(folder / u"a.txt", 0, disk, ui);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->text, u"A B");
  EXPECT_EQ(file->code, 6);
  EXPECT_TRUE(ui.shown.empty());
}

TEST(ReadTextFile, ReadsBeyondOneChunk) {
  TempFolder folder;
  const Bytes bytes = Bytes(200000, 'x') + "\xE4\xB8\xAD";
  folder.Write(u"big.txt", bytes);
  ScriptedUi ui;
  const std::optional<TextFile> file = ReadTextFile(folder / u"big.txt", 0, disk, ui);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->text.size(), 200001u);
  EXPECT_EQ(file->text.back(), u'中');
  EXPECT_EQ(file->code, 9);
}

TEST(ReadTextFile, FailuresAreShownWithThePath) {
  TempFolder folder;
  folder.MakeFolder(u"sub");
  folder.Write(u"a.txt", Bytes(100000, 'a'));
  const struct {
    const char* name;
    int failing_call;  // of the faulty file system; 0: none
    Text reason;
  } cases[] = {
      {"missing.txt", 0, DescribeError(ENOENT)},
      {"sub", 0, DescribeError(EISDIR)},
      {"a.txt", 1, FaultyFileSystem::FailureDescription()},  // cannot be opened
      {"a.txt", 2, FaultyFileSystem::FailureDescription()},  // its length cannot be read
      {"a.txt", 4, FaultyFileSystem::FailureDescription()},  // the second chunk fails
  };
  for (const auto& c : cases) {
    FaultyFileSystem files(disk);
    if (c.failing_call) files.FailCall(c.failing_call);
    ScriptedUi ui;
    const Text path = folder / T(c.name);
    EXPECT_FALSE(ReadTextFile(path, 0, files, ui)) << c.name;
    ASSERT_EQ(ui.Messages().size(), 1u) << c.name;
    EXPECT_EQ(Show(ui.Messages()[0]), Show(OpenFailed(path, c.reason))) << c.name;
  }
}

// ---- Writing on the disk

TEST(WriteTextFile, ReplacesAFileKeepingItsPermissionsAndNoBackup) {
  TempFolder folder;
  folder.Write(u"a.txt", "old");
  folder.Chmod(u"a.txt", 0640);
  ScriptedUi ui;
  EXPECT_EQ(WriteTextFile(u"A", folder / u"a.txt", 9, disk, ui), 9);
  EXPECT_EQ(folder.Read(u"a.txt"), "A");
  EXPECT_EQ(folder.Mode(u"a.txt"), 0640u);
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"a.txt"});
  EXPECT_TRUE(ui.shown.empty());
}

TEST(WriteTextFile, CodeOutsideTheRangeWritesUnicode) {
  TempFolder folder;
  ScriptedUi ui;
  for (const std::int16_t code : {0, 10, -1}) {
    EXPECT_EQ(WriteTextFile(u"A", folder / u"a.txt", code, disk, ui), 4);
    EXPECT_EQ(ToHex(*folder.Read(u"a.txt")), "FF FE 41 00");
  }
  EXPECT_EQ(WriteTextFile(u"", folder / u"empty.txt", 9, disk, ui), 9);
  EXPECT_EQ(folder.Read(u"empty.txt"), "");
}

TEST(WriteTextFile, AsksBeforeReplacingReadOnlyOrHiddenFiles) {
  const struct {
    const char* name;
    unsigned mode;
    const char* words;
  } cases[] = {
      {"r.txt", 0444, " 只读"},
      {".h.txt", 0644, " 隐藏"},
      {".rh.txt", 0400, " 只读 隐藏"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const Text name = T(c.name);
    const Text path = folder / name;
    folder.Write(name, "old");
    folder.Chmod(name, c.mode);
    const Text question = path + T("\r\n\r\n文件属性: ") + T(c.words) + T("\r\n\r\n是否改写文件？");

    ScriptedUi no;
    no.answers = {false};
    EXPECT_FALSE(WriteTextFile(u"new", path, 9, disk, no));
    ASSERT_EQ(no.shown.size(), 1u);
    EXPECT_EQ(Show(no.shown[0].text), Show(question));
    EXPECT_EQ(folder.Read(name), "old");
    EXPECT_EQ(folder.Names(), std::vector<Text>{name});

    ScriptedUi yes;
    yes.answers = {true};
    EXPECT_EQ(WriteTextFile(u"new", path, 9, disk, yes), 9);
    EXPECT_EQ(yes.shown.size(), 1u);
    EXPECT_EQ(folder.Read(name), "new");
    EXPECT_EQ(folder.Mode(name), c.mode);
    EXPECT_EQ(folder.Names(), std::vector<Text>{name});
  }
}

TEST(WriteTextFile, LeavesAnUnrelatedBackupOfANewPathAlone) {
  TempFolder folder;
  folder.Write(u"a.txt.bak", "unrelated");
  ScriptedUi ui;
  EXPECT_TRUE(WriteTextFile(u"A", folder / u"a.txt", 9, disk, ui));
  EXPECT_EQ(folder.Read(u"a.txt.bak"), "unrelated");
  EXPECT_EQ(folder.Read(u"a.txt"), "A");
}

TEST(WriteTextFile, ReplacesAStaleBackupOfAnExistingFile) {
  TempFolder folder;
  folder.Write(u"a.txt", "old");
  folder.Write(u"a.txt.bak", "stale");
  ScriptedUi ui;
  EXPECT_TRUE(WriteTextFile(u"A", folder / u"a.txt", 9, disk, ui));
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"a.txt"});
}

TEST(WriteTextFile, PathsThatCannotTakeAFile) {
  TempFolder folder;
  folder.MakeFolder(u"sub");
  folder.Write(u"b.txt", "old");
  folder.MakeFolder(u"b.txt.bak");
  const struct {
    Text path;
    Text reason;
  } cases[] = {
      {folder / u"sub", DescribeError(EISDIR)},
      {folder / u"no/such/folder.txt", DescribeError(ENOENT)},
      {folder / u"b.txt", folder / u"b.txt.bak: " + DescribeError(EISDIR)},
  };
  for (const auto& c : cases) {
    ScriptedUi ui;
    EXPECT_FALSE(WriteTextFile(u"A", c.path, 9, disk, ui)) << Show(c.path);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(Show(ui.Messages()[0]), Show(SaveFailed(c.path, c.reason)));
  }
  EXPECT_EQ(folder.Read(u"b.txt"), "old");
  EXPECT_EQ(folder.Names(), (std::vector<Text>{u"b.txt", u"b.txt.bak", u"sub"}));
}

// ---- Failures at every step

// The contents a user would call the file's: at the path, or in the backup when the path is
// empty after a failure.
std::optional<Bytes> Current(const TempFolder& folder) {
  if (auto bytes = folder.Read(u"a.txt")) return bytes;
  return folder.Read(u"a.txt.bak");
}

int TemporaryFiles(const TempFolder& folder) {
  int count = 0;
  for (const Text& name : folder.Names()) count += name.find(u".qor-save-") != Text::npos;
  return count;
}

struct Scenario {
  const char* name;
  std::optional<Bytes> old;     // a.txt before the first save
  std::optional<Bytes> backup;  // a.txt.bak before the first save
  unsigned mode;
};

const Scenario kScenarios[] = {
    {"new file", std::nullopt, std::nullopt, 0644},
    {"new file, unrelated backup", std::nullopt, "unrelated", 0644},
    {"existing file", "old", std::nullopt, 0640},
    {"existing file and stale backup", "old", "stale", 0644},
    {"read-only file", "old", std::nullopt, 0444},
};

void Prepare(const TempFolder& folder, const Scenario& s) {
  if (s.old) {
    folder.Write(u"a.txt", *s.old);
    folder.Chmod(u"a.txt", s.mode);
  }
  if (s.backup) folder.Write(u"a.txt.bak", *s.backup);
}

// One save of `text` through a file system that fails call `k` (and all later calls when
// `from_then_on`); checks what a failed save promises against the contents before it. False
// when the save made fewer than k calls, so that nothing failed.
bool FailedSave(const TempFolder& folder, const Scenario& s, const Bytes& text, int k,
                bool from_then_on, const std::string& trace) {
  const std::optional<Bytes> before = Current(folder);
  const int temporary_files = TemporaryFiles(folder);
  FaultyFileSystem files(disk);
  files.FailCall(k, from_then_on);
  ScriptedUi ui;
  ui.answers = {true, true};
  const Text path = folder / u"a.txt";
  if (WriteTextFile(Utf8ToText(text), path, 9, files, ui)) {
    EXPECT_LT(files.calls(), k) << trace << ": a failing call went unnoticed";
    return false;
  }
  const std::vector<Text> messages = ui.Messages();
  EXPECT_EQ(messages.size(), 1u) << trace;
  if (!messages.empty()) {
    EXPECT_EQ(messages[0], SaveFailed(path, FaultyFileSystem::FailureDescription())) << trace;
  }
  const std::optional<Bytes> now = folder.Read(u"a.txt");
  // Never a half-written file at the path.
  EXPECT_TRUE(!now || now == before || now == text) << trace;
  // The contents before the save are still there.
  if (before) {
    EXPECT_TRUE(now == before || folder.Read(u"a.txt.bak") == before) << trace;
  }
  // A backup that does not belong to the file is never touched.
  if (!s.old && s.backup) {
    EXPECT_EQ(folder.Read(u"a.txt.bak"), s.backup) << trace;
  }
  // Nothing is left behind, unless the disk fails the cleaning up too.
  if (!from_then_on) {
    EXPECT_EQ(TemporaryFiles(folder), temporary_files) << trace;
  }
  return true;
}

int CallsOfASave(const Scenario& s) {
  TempFolder folder;
  Prepare(folder, s);
  FaultyFileSystem files(disk);
  ScriptedUi ui;
  ui.answers = {true};
  EXPECT_TRUE(WriteTextFile(u"x", folder / u"a.txt", 9, files, ui));
  return files.calls();
}

// Every call of a save fails in turn, alone or with every call after it (a disk that went
// away); then the save is retried, failing in turn at each of its calls, and finally retried
// without failures.
TEST(WriteTextFile, EveryFailingStepAndRetryKeepsThePreviousContents) {
  for (const Scenario& s : kScenarios) {
    const int calls = CallsOfASave(s);
    for (int k = 1; k <= calls; ++k) {
      for (const bool from_then_on : {false, true}) {
        const std::string trace = std::string(s.name) + ", call " + std::to_string(k) +
                                  (from_then_on ? " and after" : "");
        for (int j = 1; j <= calls + 1; ++j) {
          TempFolder folder;
          Prepare(folder, s);
          EXPECT_TRUE(FailedSave(folder, s, "first", k, from_then_on, trace));
          FailedSave(folder, s, "second", j, false,
                     trace + ", retry failing at " + std::to_string(j));
        }

        TempFolder folder;
        Prepare(folder, s);
        FailedSave(folder, s, "first", k, from_then_on, trace);
        const bool path_was_there = folder.Read(u"a.txt").has_value();
        const std::optional<Bytes> backup_before = folder.Read(u"a.txt.bak");
        ScriptedUi ui;
        ui.answers = {true};
        EXPECT_TRUE(WriteTextFile(u"final", folder / u"a.txt", 9, disk, ui)) << trace;
        EXPECT_EQ(folder.Read(u"a.txt"), "final") << trace;
        if (path_was_there) {
          EXPECT_FALSE(folder.Exists(u"a.txt.bak")) << trace;
        } else {
          EXPECT_EQ(folder.Read(u"a.txt.bak"), backup_before) << trace;
        }
      }
    }
  }
}

// Where each step's failure leaves the files, for a file saved over "old".
TEST(WriteTextFile, RepairAfterEachStep) {
  const struct {
    const char* call;
    int occurrence;
    std::optional<Bytes> path;
    std::optional<Bytes> backup;
  } cases[] = {
      {"Look", 1, "old", std::nullopt},       // the attributes cannot be read
      {"CreateNew", 1, "old", std::nullopt},  // the new file cannot be created
      {"Write", 1, "old", std::nullopt},      // the disk is full in the middle
      {"Close", 1, "old", std::nullopt},      // the data may not be on the disk
      {"Remove", 1, "old", std::nullopt},     // the stale backup cannot be deleted
      {"Rename", 1, "old", std::nullopt},     // the file cannot become the backup
      {"Rename", 2, "old", std::nullopt},     // the new file cannot take its place
      {"SetPermissions", 1, "new", "old"},    // the attributes cannot be restored
      {"Remove", 2, "new", "old"},            // the backup cannot be deleted
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write(u"a.txt", "old");
    folder.Write(u"a.txt.bak", "stale");
    FaultyFileSystem files(disk);
    int seen = 0;
    bool armed = true;
    files.before_call = [&](const std::string& call, TextView) {
      if (armed && call == c.call && ++seen == c.occurrence) {
        files.FailCall(files.calls());
        armed = false;
      }
    };
    ScriptedUi ui;
    EXPECT_FALSE(WriteTextFile(u"new", folder / u"a.txt", 9, files, ui)) << c.call;
    EXPECT_EQ(ui.Messages().size(), 1u) << c.call;
    EXPECT_EQ(folder.Read(u"a.txt"), c.path) << c.call << " " << c.occurrence;
    if (c.backup) {
      EXPECT_EQ(folder.Read(u"a.txt.bak"), c.backup) << c.call << " " << c.occurrence;
    }
    EXPECT_EQ(TemporaryFiles(folder), 0) << c.call;
  }
}

// Saving twice over a file while the disk is full: the Part's order of steps would delete the
// only good copy on the retry.
TEST(WriteTextFile, TwoFailedWritesInARowKeepTheOldFile) {
  TempFolder folder;
  folder.Write(u"a.txt", "old");
  for (int attempt = 0; attempt < 2; ++attempt) {
    FaultyFileSystem files(disk);
    files.before_call = [&](const std::string& call, TextView) {
      if (call == "Write") files.FailCall(files.calls());
    };
    ScriptedUi ui;
    EXPECT_FALSE(WriteTextFile(T("新的内容"), folder / u"a.txt", 9, files, ui));
  }
  EXPECT_EQ(folder.Read(u"a.txt"), "old");
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"a.txt"});
}

}  // namespace
}  // namespace qor
