#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "platform/wtf8.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

FileSystem& disk = DiskFileSystem();

TEST(DiskFileSystem, LooksAtFilesFoldersAndNothing) {
  TempFolder folder;
  folder.Write(u"a.txt", "12345");
  folder.Write(u".hidden", "");
  folder.MakeFolder(u"sub");
  Text error;
  std::optional<FileStatus> status = disk.Look(folder / u"a.txt", error);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->kind, EntryKind::kFile);
  EXPECT_EQ(status->name, u"a.txt");
  EXPECT_EQ(status->size, 5u);
  EXPECT_EQ(status->attributes, 0);
  EXPECT_GT(status->modified, 1600000000);

  EXPECT_EQ(disk.Look(folder / u".hidden", error)->attributes, kAttributeHidden);
  EXPECT_EQ(disk.Look(folder / u"sub", error)->kind, EntryKind::kFolder);
  EXPECT_EQ(disk.Look(folder / u"missing", error)->kind, EntryKind::kNone);
  // A path through a file names nothing; it is not an error.
  EXPECT_EQ(disk.Look(folder / u"a.txt/x", error)->kind, EntryKind::kNone);
  EXPECT_FALSE(disk.Look(std::string("a\0b", 3), error));
  EXPECT_FALSE(error.empty());
  // A path that cannot be looked at is an error, not an empty place to save to.
  EXPECT_FALSE(disk.Look(folder / std::string(300, 'a'), error));
  EXPECT_EQ(error, DescribeError(ENAMETOOLONG));
}

TEST(DiskFileSystem, ReadOnlyMeansNotWritableEvenForTheSuperuser) {
  TempFolder folder;
  folder.Write(u"r.txt", "x");
  folder.Chmod(u"r.txt", 0444);
  Text error;
  const std::optional<FileStatus> status = disk.Look(folder / u"r.txt", error);
  EXPECT_EQ(status->attributes, kAttributeReadOnly);
  EXPECT_EQ(status->permissions, 0444u);
}

TEST(DiskFileSystem, CreateAndRenameNeverReplace) {
  TempFolder folder;
  folder.Write(u"a", "old");
  folder.Write(u"b", "other");
  Text error;
  EXPECT_FALSE(disk.CreateNew(folder / u"a", error));
  EXPECT_EQ(error, DescribeError(EEXIST));
  EXPECT_FALSE(disk.Rename(folder / u"a", folder / u"b", error));
  EXPECT_EQ(folder.Read(u"a"), "old");
  EXPECT_EQ(folder.Read(u"b"), "other");
  EXPECT_TRUE(disk.Rename(folder / u"a", folder / u"c", error));
  EXPECT_EQ(folder.Read(u"c"), "old");
  EXPECT_FALSE(folder.Exists(u"a"));
}

TEST(DiskFileSystem, WritesReadsAndRemovesFiles) {
  TempFolder folder;
  Text error;
  std::unique_ptr<OpenFile> file = disk.CreateNew(folder / u"new", error);
  ASSERT_TRUE(file) << Show(error);
  EXPECT_TRUE(file->Write("hello", error));
  EXPECT_TRUE(file->Close(error));
  file = disk.OpenForReading(folder / u"new", error);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Size(error), 5u);
  EXPECT_EQ(file->Read(3, error), "hel");
  EXPECT_EQ(file->Read(10, error), "lo");
  EXPECT_EQ(file->Read(10, error), "");
  file.reset();
  EXPECT_TRUE(disk.SetPermissions(folder / u"new", 0640, error));
  EXPECT_EQ(folder.Mode(u"new"), 0640u);
  EXPECT_TRUE(disk.Remove(folder / u"new", error));
  EXPECT_FALSE(folder.Exists(u"new"));
  EXPECT_FALSE(disk.Remove(folder / u"new", error));
  EXPECT_EQ(error, DescribeError(ENOENT));
}

TEST(DiskFileSystem, OnlyRegularFilesOpenForReading) {
  TempFolder folder;
  folder.MakeFolder(u"sub");
  Text error;
  EXPECT_FALSE(disk.OpenForReading(folder / u"sub", error));
  EXPECT_EQ(error, DescribeError(EISDIR));
  EXPECT_FALSE(disk.Remove(folder / u"sub", error));  // never a folder
  EXPECT_TRUE(folder.Exists(u"sub"));
  // A named pipe without a writer would block a plain open.
  ASSERT_EQ(::mkfifo((folder / u"pipe").c_str(), 0600), 0);
  EXPECT_FALSE(disk.OpenForReading(folder / u"pipe", error));
  EXPECT_EQ(error, kNotRegularFile);
  EXPECT_FALSE(disk.OpenForReading(folder / u"missing", error));
  EXPECT_EQ(error, DescribeError(ENOENT));
}

// Names are bytes: UTF-8 names of any script, and GBK or Latin-1 names from other systems,
// are created, looked at and opened as they are, and shown readably or with their bytes escaped.
TEST(DiskFileSystem, NamesAreBytes) {
  TempFolder folder;
  const struct {
    std::string name;
    const char* shown;
  } cases[] = {
      {"😀 한국어 ÿ 中文.txt", "😀 한국어 ÿ 中文.txt"},
      {"\xC4\xE3\xBA\xC3.txt", "\\xC4\\xE3\\xBA\\xC3.txt"},  // 你好 in GBK
      {"caf\xE9.txt", "caf\\xE9.txt"},                       // café in Latin-1
  };
  for (const auto& c : cases) {
    Text error;
    std::unique_ptr<OpenFile> file = disk.CreateNew(folder / c.name, error);
    ASSERT_TRUE(file) << Show(error);
    EXPECT_TRUE(file->Write(c.name, error));
    EXPECT_TRUE(file->Close(error));
    const std::optional<FileStatus> status = disk.Look(folder / c.name, error);
    EXPECT_EQ(status->kind, EntryKind::kFile);
    EXPECT_EQ(status->name, T(c.shown));
    EXPECT_EQ(disk.OpenForReading(folder / c.name, error)->Read(100, error), c.name);
  }
  EXPECT_EQ(folder.NameBytes(),
            (std::vector<Bytes>{"caf\xE9.txt", "\xC4\xE3\xBA\xC3.txt", "😀 한국어 ÿ 中文.txt"}));
}

TEST(DiskFileSystem, LinksOwnersAndOverwriting) {
  TempFolder folder;
  folder.Write(u"a.txt", "12345");
  folder.HardLink(u"a.txt", u"b.txt");
  folder.Symlink("a.txt", u"link");
  folder.Symlink("nothing", u"dangling");
  Text error;
  const std::optional<FileStatus> file = disk.Look(folder / u"a.txt", error);
  EXPECT_EQ(file->links, 2u);
  EXPECT_FALSE(file->link);
  EXPECT_EQ(file->owner, folder.IdentityOf(u"a.txt").owner);
  const std::optional<FileStatus> link = disk.Look(folder / u"link", error);
  EXPECT_EQ(link->link->native(), "a.txt");
  EXPECT_EQ(link->kind, EntryKind::kFile);  // what it resolves to
  EXPECT_EQ(link->size, 5u);
  const std::optional<FileStatus> dangling = disk.Look(folder / u"dangling", error);
  EXPECT_EQ(dangling->link->native(), "nothing");
  EXPECT_EQ(dangling->kind, EntryKind::kNone);

  // Overwriting empties the file itself: every name sees the new contents.
  std::unique_ptr<OpenFile> out = disk.OpenToOverwrite(folder / u"link", error);
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("new", error));
  EXPECT_TRUE(out->Close(error));
  EXPECT_EQ(folder.Read(u"b.txt"), "new");
  EXPECT_FALSE(disk.OpenToOverwrite(folder / u"missing", error));
  EXPECT_EQ(error, DescribeError(ENOENT));

  const TempFolder::Identity before = folder.IdentityOf(u"a.txt");
  EXPECT_TRUE(disk.SetOwner(folder / u"a.txt", before.owner, before.group, error));
  EXPECT_TRUE(disk.SyncFolder(folder.path(), error));
  EXPECT_FALSE(disk.SyncFolder(folder / u"a.txt", error));
}

}  // namespace
}  // namespace qor
