#include "session/text_file_io.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "platform/path_text.h"
#include "platform/wtf8.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

FileSystem& disk = DiskFileSystem();

using Path = std::filesystem::path;

Text SaveFailed(const Path& path, TextView reason) {
  return PathMessage(path, Text(u"保存 失败~ ") + Text(reason));
}
Text OpenFailed(const Path& path, TextView reason) {
  return PathMessage(path, Text(u"打开 失败~ ") + Text(reason));
}

// ---- Reading

TEST(ReadTextFile, DecodesAndReportsTheCode) {
  TempFolder folder;
  folder.Write(u"a.txt", Hex("EF BB BF 41 00 42"));
  ScriptedUi ui;
  const std::optional<TextFile> file =
      ReadTextFile(folder / u"a.txt", kEncodingAutomatic, disk, ui);
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
  const std::optional<TextFile> file =
      ReadTextFile(folder / u"big.txt", kEncodingAutomatic, disk, ui);
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
    const Path path = folder / T(c.name);
    EXPECT_FALSE(ReadTextFile(path, kEncodingAutomatic, files, ui)) << c.name;
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
  EXPECT_EQ(WriteTextFile(u"A", folder / u"a.txt", kEncodingUtf8NoBom, disk, ui), 9);
  EXPECT_EQ(folder.Read(u"a.txt"), "A");
  EXPECT_EQ(folder.Mode(u"a.txt"), 0640u);
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"a.txt"});
  EXPECT_TRUE(ui.shown.empty());
}

TEST(WriteTextFile, CodeOutsideTheRangeWritesUnicode) {
  TempFolder folder;
  ScriptedUi ui;
  for (const int code : {0, 10, -1}) {
    EXPECT_EQ(WriteTextFile(u"A", folder / u"a.txt", static_cast<EncodingCode>(code), disk, ui), 4);
    EXPECT_EQ(ToHex(*folder.Read(u"a.txt")), "FF FE 41 00");
  }
  EXPECT_EQ(WriteTextFile(u"", folder / u"empty.txt", kEncodingUtf8NoBom, disk, ui), 9);
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
    const Path path = folder / name;
    folder.Write(name, "old");
    folder.Chmod(name, c.mode);
    const Text question =
        PathToText(path) + T("\r\n\r\n文件属性: ") + T(c.words) + T("\r\n\r\n是否改写文件？");

    ScriptedUi no;
    no.answers = {false};
    EXPECT_FALSE(WriteTextFile(u"new", path, kEncodingUtf8NoBom, disk, no));
    ASSERT_EQ(no.shown.size(), 1u);
    EXPECT_EQ(Show(no.shown[0].text), Show(question));
    EXPECT_EQ(folder.Read(name), "old");
    EXPECT_EQ(folder.Names(), std::vector<Text>{name});

    ScriptedUi yes;
    yes.answers = {true};
    EXPECT_EQ(WriteTextFile(u"new", path, kEncodingUtf8NoBom, disk, yes), 9);
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
  EXPECT_TRUE(WriteTextFile(u"A", folder / u"a.txt", kEncodingUtf8NoBom, disk, ui));
  EXPECT_EQ(folder.Read(u"a.txt.bak"), "unrelated");
  EXPECT_EQ(folder.Read(u"a.txt"), "A");
}

TEST(WriteTextFile, ReplacesAStaleBackupOfAnExistingFile) {
  TempFolder folder;
  folder.Write(u"a.txt", "old");
  folder.Write(u"a.txt.bak", "stale");
  ScriptedUi ui;
  EXPECT_TRUE(WriteTextFile(u"A", folder / u"a.txt", kEncodingUtf8NoBom, disk, ui));
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"a.txt"});
}

TEST(WriteTextFile, PathsThatCannotTakeAFile) {
  TempFolder folder;
  folder.MakeFolder(u"sub");
  folder.Write(u"b.txt", "old");
  folder.MakeFolder(u"b.txt.bak");
  const struct {
    Path path;
    Text reason;
  } cases[] = {
      {folder / u"sub", DescribeError(EISDIR)},
      {folder / u"no/such/folder.txt", DescribeError(ENOENT)},
      {folder / u"b.txt", PathToText(folder / u"b.txt.bak") + u": " + DescribeError(EISDIR)},
  };
  for (const auto& c : cases) {
    ScriptedUi ui;
    EXPECT_FALSE(WriteTextFile(u"A", c.path, kEncodingUtf8NoBom, disk, ui)) << c.path;
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(Show(ui.Messages()[0]), Show(SaveFailed(c.path, c.reason)));
  }
  EXPECT_EQ(folder.Read(u"b.txt"), "old");
  EXPECT_EQ(folder.Names(), (std::vector<Text>{u"b.txt", u"b.txt.bak", u"sub"}));
}

// ---- Links, owners and the disk

// The file a link leads to is saved; every link stays a link, and the temporary file and the
// backup are made beside the file itself.
TEST(WriteTextFile, ThroughChainsOfSymbolicLinks) {
  TempFolder folder;
  folder.MakeFolder(u"real");
  folder.MakeFolder(u"links");
  folder.Write(u"real/r.txt", "old");
  folder.Chmod(u"real/r.txt", 0640);
  folder.Symlink(folder / u"real/r.txt", u"links/absolute");
  folder.Symlink("links/absolute", u"a.txt");
  folder.Symlink("../real/r.txt", u"links/relative");
  for (const char* link : {"a.txt", "links/relative"}) {
    FaultyFileSystem files(disk);
    std::vector<Path> touched;
    files.before_call = [&](const std::string& call, const Path& path) {
      if (call == "CreateNew" || call == "Rename" || call == "Remove") touched.push_back(path);
    };
    ScriptedUi ui;
    EXPECT_EQ(WriteTextFile(T(link), folder / link, kEncodingUtf8NoBom, files, ui), 9) << link;
    EXPECT_EQ(folder.Read(u"real/r.txt"), link);
    EXPECT_EQ(folder.Mode(u"real/r.txt"), 0640u);
    EXPECT_FALSE(touched.empty());
    for (const Path& path : touched) {
      EXPECT_TRUE(std::filesystem::equivalent(FolderOf(path), folder / u"real/")) << path;
    }
  }
  EXPECT_TRUE(folder.IsLink(u"a.txt"));
  EXPECT_TRUE(folder.IsLink(u"links/absolute"));
  EXPECT_TRUE(folder.IsLink(u"links/relative"));
  EXPECT_EQ(folder.Names(), (std::vector<Text>{u"a.txt", u"links", u"real"}));
  EXPECT_EQ(folder.Names(u"real"), std::vector<Text>{u"r.txt"});
}

TEST(WriteTextFile, DanglingLinksAndLoopsAreRefused) {
  TempFolder folder;
  folder.Symlink("gone/x.txt", u"dangling");
  folder.Symlink("loop2", u"loop1");
  folder.Symlink("loop1", u"loop2");
  const struct {
    const char* name;
    Text reason;
  } cases[] = {
      {"dangling", T("The symbolic link leads to no file: ") + PathToText(folder / u"gone/x.txt")},
      {"loop1", DescribeError(ELOOP)},
  };
  for (const auto& c : cases) {
    ScriptedUi ui;
    EXPECT_FALSE(WriteTextFile(u"A", folder / c.name, kEncodingUtf8NoBom, disk, ui)) << c.name;
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(Show(ui.Messages()[0]), Show(SaveFailed(folder / c.name, c.reason)));
  }
  EXPECT_TRUE(folder.IsLink(u"dangling"));
  EXPECT_EQ(folder.Names(), (std::vector<Text>{u"dangling", u"loop1", u"loop2"}));
}

// Every name of a hard-linked file sees the new contents, and the file keeps its mode.
TEST(WriteTextFile, HardLinkedFilesAreWrittenInPlace) {
  TempFolder folder;
  folder.Write(u"a.txt", "old contents");
  folder.Chmod(u"a.txt", 0600);
  folder.HardLink(u"a.txt", u"twin.txt");
  const TempFolder::Identity before = folder.IdentityOf(u"a.txt");
  for (const char* text : {"new", "n"}) {  // a shorter text leaves nothing of the longer
    ScriptedUi ui;
    EXPECT_EQ(WriteTextFile(T(text), folder / u"a.txt", kEncodingUtf8NoBom, disk, ui), 9);
    EXPECT_EQ(folder.Read(u"twin.txt"), text);
  }
  EXPECT_EQ(folder.IdentityOf(u"a.txt").inode, before.inode);
  EXPECT_EQ(folder.IdentityOf(u"a.txt").links, 2u);
  EXPECT_EQ(folder.Mode(u"a.txt"), 0600u);
  EXPECT_EQ(folder.Names(), (std::vector<Text>{u"a.txt", u"twin.txt"}));
}

TEST(WriteTextFile, KeepsOwnerGroupAndMode) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user takes the superuser";
  TempFolder folder;
  folder.Write(u"a.txt", "old");
  ASSERT_EQ(::chown((folder / u"a.txt").c_str(), 4321, 8765), 0);
  folder.Chmod(u"a.txt", 02640);  // after the owner, which clears the set-group-id bit
  ScriptedUi ui;
  EXPECT_EQ(WriteTextFile(u"new", folder / u"a.txt", kEncodingUtf8NoBom, disk, ui), 9);
  EXPECT_EQ(folder.Read(u"a.txt"), "new");
  EXPECT_EQ(folder.IdentityOf(u"a.txt").owner, 4321u);
  EXPECT_EQ(folder.IdentityOf(u"a.txt").group, 8765u);
  EXPECT_EQ(folder.Mode(u"a.txt"), 02640u);
}

// Where the process may not give a new file the old one's owner, the file is written in place
// rather than change who owns it.
TEST(WriteTextFile, AnOwnerThatCannotBeKeptMeansWritingInPlace) {
  TempFolder folder;
  folder.Write(u"a.txt", "old");
  const TempFolder::Identity before = folder.IdentityOf(u"a.txt");
  FaultyFileSystem files(disk);
  files.refuse_owner = true;
  ScriptedUi ui;
  EXPECT_EQ(WriteTextFile(u"new", folder / u"a.txt", kEncodingUtf8NoBom, files, ui), 9);
  EXPECT_EQ(folder.Read(u"a.txt"), "new");
  EXPECT_EQ(folder.IdentityOf(u"a.txt").inode, before.inode);
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"a.txt"});
  EXPECT_TRUE(ui.shown.empty());
}

// The folder is synced once a new name is in place, before the old contents go.
TEST(WriteTextFile, TheFolderIsSyncedAfterTheRename) {
  const struct {
    const char* name;
    bool existing;
    bool hard_linked;
    std::vector<std::string> tail;  // the last calls of the save
  } cases[] = {
      {"new file", false, false, {"Close", "Rename", "SyncFolder"}},
      {"existing file", true, false, {"Rename", "Rename", "SyncFolder", "Remove"}},
      {"hard-linked file",
       true,
       true,
       {"Rename", "SyncFolder", "OpenToOverwrite", "Write", "Close", "Remove"}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    if (c.existing) folder.Write(u"a.txt", "old");
    if (c.hard_linked) folder.HardLink(u"a.txt", u"twin.txt");
    FaultyFileSystem files(disk);
    ScriptedUi ui;
    EXPECT_TRUE(WriteTextFile(u"new", folder / u"a.txt", kEncodingUtf8NoBom, files, ui)) << c.name;
    ASSERT_GE(files.log().size(), c.tail.size());
    EXPECT_EQ(std::vector<std::string>(files.log().end() - c.tail.size(), files.log().end()),
              c.tail)
        << c.name;
  }
}

// ---- Failures at every step

struct Scenario {
  const char* name;
  std::optional<Bytes> old;     // the file before the first save
  std::optional<Bytes> backup;  // its ".bak" before the first save
  unsigned mode;
  enum Kind { kPlain, kLinked, kHardLinked, kForeignOwner } kind = kPlain;

  // Written in place: a failure may leave the file half-written, with the old contents in
  // the backup.
  bool in_place() const { return kind == kHardLinked || kind == kForeignOwner; }
  // The file saved: "a.txt" itself, or the file a chain of two links leads to.
  Path file() const { return kind == kLinked ? "real/r.txt" : "a.txt"; }
  Path backup_file() const { return Append(file(), ".bak"); }
};

const Scenario kScenarios[] = {
    {"new file", std::nullopt, std::nullopt, 0644},
    {"new file, unrelated backup", std::nullopt, "unrelated", 0644},
    {"existing file", "old", std::nullopt, 0640},
    {"existing file and stale backup", "old", "stale", 0644},
    {"read-only file", "old", std::nullopt, 0444},
    {"chain of symbolic links", "old", "stale", 0640, Scenario::kLinked},
    {"hard-linked file", "old", "stale", 0640, Scenario::kHardLinked},
    {"owner that cannot be kept", "old", std::nullopt, 0600, Scenario::kForeignOwner},
};

void Prepare(const TempFolder& folder, const Scenario& s) {
  if (s.kind == Scenario::kLinked) {
    folder.MakeFolder(u"real");
    folder.MakeFolder(u"links");
    folder.Symlink("links/absolute", u"a.txt");
    folder.Symlink(folder / s.file(), u"links/absolute");
  }
  if (s.old) {
    folder.Write(s.file(), *s.old);
    folder.Chmod(s.file(), s.mode);
  }
  if (s.backup) folder.Write(s.backup_file(), *s.backup);
  if (s.kind == Scenario::kHardLinked) folder.HardLink(s.file(), u"twin.txt");
}

// The contents a user would call the file's: in it, or in the backup when it is gone after a
// failure.
std::optional<Bytes> Current(const TempFolder& folder, const Scenario& s) {
  if (auto bytes = folder.Read(s.file())) return bytes;
  return folder.Read(s.backup_file());
}

int TemporaryFiles(const TempFolder& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
    count += entry.path().filename().native().find(".qor-save-") != std::string::npos;
  }
  return count;
}

// What every state after a save, failed or not, keeps: links stay links, and a hard-linked
// file's names stay one file.
void CheckNames(const TempFolder& folder, const Scenario& s, const std::string& trace) {
  if (s.kind == Scenario::kLinked) {
    EXPECT_TRUE(folder.IsLink(u"a.txt") && folder.IsLink(u"links/absolute")) << trace;
  }
  if (s.kind == Scenario::kHardLinked) {
    EXPECT_EQ(folder.IdentityOf(u"twin.txt").inode, folder.IdentityOf(u"a.txt").inode) << trace;
  }
}

// One save of `text` through a file system that fails call `k` (and all later calls when
// `from_then_on`); checks what a failed save promises against the contents before it.
void FailedSave(const TempFolder& folder, const Scenario& s, const Bytes& text, int k,
                bool from_then_on, const std::string& trace) {
  const std::optional<Bytes> before = Current(folder, s);
  const int temporary_files = TemporaryFiles(folder);
  FaultyFileSystem files(disk);
  files.refuse_owner = s.kind == Scenario::kForeignOwner;
  files.FailCall(k, from_then_on);
  ScriptedUi ui;
  ui.answers = {true, true};
  const Path path = folder / u"a.txt";
  if (WriteTextFile(Utf8ToText(text), path, kEncodingUtf8NoBom, files, ui)) {
    // Only an owner that cannot be kept has a way round, writing in place, and the file made
    // for the other way is then only cleared away.
    const auto call = [&](int n) { return n >= 1 && n <= files.calls() ? files.log()[n - 1] : ""; };
    const bool round = !from_then_on && (call(k) == "SetOwner" ||
                                         (call(k) == "Remove" && call(k - 1) == "SetOwner"));
    EXPECT_TRUE(files.calls() < k || round) << trace << ": a failing call went unnoticed";
    return;
  }
  const std::vector<Text> messages = ui.Messages();
  EXPECT_EQ(messages.size(), 1u) << trace;
  if (!messages.empty() && !(s.kind == Scenario::kLinked && !folder.Exists(s.file()))) {
    EXPECT_EQ(messages[0], SaveFailed(path, FaultyFileSystem::FailureDescription())) << trace;
  }
  const std::optional<Bytes> now = folder.Read(s.file());
  const std::optional<Bytes> backup = folder.Read(s.backup_file());
  // Never a half-written file, unless written in place with the old contents in the backup.
  EXPECT_TRUE(!now || now == before || now == text || (s.in_place() && backup == before)) << trace;
  // The contents before the save are still there.
  if (before) {
    EXPECT_TRUE(now == before || backup == before) << trace;
  }
  // A backup that does not belong to the file is never touched.
  if (!s.old && s.backup) {
    EXPECT_EQ(backup, s.backup) << trace;
  }
  // Nothing is left behind, unless the disk fails the cleaning up too.
  if (!from_then_on) {
    EXPECT_EQ(TemporaryFiles(folder), temporary_files) << trace;
  }
  CheckNames(folder, s, trace);
}

int CallsOfASave(const Scenario& s) {
  TempFolder folder;
  Prepare(folder, s);
  FaultyFileSystem files(disk);
  files.refuse_owner = s.kind == Scenario::kForeignOwner;
  ScriptedUi ui;
  ui.answers = {true};
  EXPECT_TRUE(WriteTextFile(u"x", folder / u"a.txt", kEncodingUtf8NoBom, files, ui));
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
          FailedSave(folder, s, "first", k, from_then_on, trace);
          FailedSave(folder, s, "second", j, false,
                     trace + ", retry failing at " + std::to_string(j));
        }

        TempFolder folder;
        Prepare(folder, s);
        FailedSave(folder, s, "first", k, from_then_on, trace);
        const bool file_was_there = folder.Exists(s.file());
        const std::optional<Bytes> backup_before = folder.Read(s.backup_file());
        FaultyFileSystem files(disk);
        files.refuse_owner = s.kind == Scenario::kForeignOwner;
        ScriptedUi ui;
        ui.answers = {true};
        const bool saved =
            WriteTextFile(u"final", folder / u"a.txt", kEncodingUtf8NoBom, files, ui).has_value();
        CheckNames(folder, s, trace);
        if (s.kind == Scenario::kLinked && !file_was_there) {
          // The links lead nowhere now: no new file in the old one's place.
          EXPECT_FALSE(saved) << trace;
          EXPECT_EQ(folder.Read(s.backup_file()), s.old) << trace;
          continue;
        }
        EXPECT_TRUE(saved) << trace;
        EXPECT_EQ(folder.Read(s.file()), "final") << trace;
        if (file_was_there) {
          EXPECT_FALSE(folder.Exists(s.backup_file())) << trace;
        } else {
          EXPECT_EQ(folder.Read(s.backup_file()), backup_before) << trace;
        }
      }
    }
  }
}

// Where each step's failure leaves the files, for "new" saved over "old" with a stale backup.
struct Fault {
  const char* call;
  int occurrence;
};
struct Repair {
  std::vector<Fault> faults;
  bool saved;
  std::optional<Bytes> file;
  std::optional<Bytes> backup;  // nullopt: none is left
};

void CheckRepairs(const Scenario& s, const std::vector<Repair>& cases) {
  for (const Repair& c : cases) {
    std::string trace = s.name;
    for (const Fault& f : c.faults)
      trace += std::string(" ") + f.call + std::to_string(f.occurrence);
    TempFolder folder;
    Prepare(folder, s);
    FaultyFileSystem files(disk);
    files.refuse_owner = s.kind == Scenario::kForeignOwner;
    std::map<std::string, int> seen;
    files.before_call = [&](const std::string& call, const Path&) {
      ++seen[call];
      for (const Fault& f : c.faults) {
        if (call == f.call && seen[call] == f.occurrence) files.FailCall(files.calls());
      }
    };
    ScriptedUi ui;
    EXPECT_EQ(WriteTextFile(u"new", folder / u"a.txt", kEncodingUtf8NoBom, files, ui).has_value(),
              c.saved)
        << trace;
    EXPECT_EQ(ui.Messages().size(), c.saved ? 0u : 1u) << trace;
    EXPECT_EQ(folder.Read(s.file()), c.file) << trace;
    EXPECT_EQ(folder.Read(s.backup_file()), c.backup) << trace;
    EXPECT_EQ(TemporaryFiles(folder), 0) << trace;
    CheckNames(folder, s, trace);
  }
}

TEST(WriteTextFile, RepairAfterEachStepOfAReplacement) {
  const Scenario s = {"replaced", "old", "stale", 0644};
  CheckRepairs(s, {
                      {{{"Look", 1}}, false, "old", "stale"},          // the path
                      {{{"Look", 2}}, false, "old", "stale"},          // a temporary name
                      {{{"CreateNew", 1}}, false, "old", "stale"},     // the new file
                      {{{"Write", 1}}, false, "old", "stale"},         // the disk is full
                      {{{"Close", 1}}, false, "old", "stale"},         // not on the disk
                      {{{"SetOwner", 1}}, true, "new", std::nullopt},  // written in place
                      {{{"SetPermissions", 1}}, false, "old", "stale"},
                      {{{"Look", 3}}, false, "old", "stale"},         // the stale backup
                      {{{"Remove", 1}}, false, "old", "stale"},       // it cannot be deleted
                      {{{"Rename", 1}}, false, "old", std::nullopt},  // the file to the backup
                      {{{"Rename", 2}}, false, "old", std::nullopt},  // the new file in place
                      {{{"Rename", 2}, {"Rename", 3}}, false, std::nullopt, "old"},
                      {{{"SyncFolder", 1}}, false, "new", "old"},
                      {{{"Remove", 2}}, false, "new", "old"},  // the backup cannot go
                  });
}

TEST(WriteTextFile, RepairAfterEachStepInPlace) {
  const Scenario s = {"in place", "old", "stale", 0644, Scenario::kHardLinked};
  CheckRepairs(s, {
                      {{{"CreateNew", 1}}, false, "old", "stale"},  // the copy
                      {{{"OpenForReading", 1}}, false, "old", "stale"},
                      {{{"Read", 1}}, false, "old", "stale"},
                      {{{"Write", 1}}, false, "old", "stale"},
                      {{{"Close", 1}}, false, "old", "stale"},
                      {{{"SetPermissions", 1}}, false, "old", "stale"},
                      {{{"Remove", 1}}, false, "old", "stale"},
                      {{{"Rename", 1}}, false, "old", std::nullopt},  // the copy to the backup
                      {{{"SyncFolder", 1}}, false, "old", std::nullopt},
                      {{{"OpenToOverwrite", 1}}, false, "old", std::nullopt},
                      {{{"Write", 2}}, false, "old", std::nullopt},  // written back
                      {{{"Close", 2}}, false, "old", std::nullopt},
                      {{{"Write", 2}, {"Write", 3}}, false, "o", "old"},  // cannot be
                      {{{"Remove", 2}}, false, "new", "old"},
                  });
}

// Saving twice over a file while the disk is full keeps the old file: nothing of it goes before
// the new contents are complete, on the retry either.
TEST(WriteTextFile, TwoFailedWritesInARowKeepTheOldFile) {
  TempFolder folder;
  folder.Write(u"a.txt", "old");
  for (int attempt = 0; attempt < 2; ++attempt) {
    FaultyFileSystem files(disk);
    files.before_call = [&](const std::string& call, const Path&) {
      if (call == "Write") files.FailCall(files.calls());
    };
    ScriptedUi ui;
    EXPECT_FALSE(WriteTextFile(T("新的内容"), folder / u"a.txt", kEncodingUtf8NoBom, files, ui));
  }
  EXPECT_EQ(folder.Read(u"a.txt"), "old");
  EXPECT_EQ(folder.Names(), std::vector<Text>{u"a.txt"});
}

}  // namespace
}  // namespace qor
