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
  EXPECT_FALSE(disk.Look(Text(u"a\0b", 3), error));
  EXPECT_FALSE(error.empty());
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
  ASSERT_EQ(::mkfifo(EncodeWtf8(folder / u"pipe").c_str(), 0600), 0);
  EXPECT_FALSE(disk.OpenForReading(folder / u"pipe", error));
  EXPECT_EQ(error, kNotRegularFile);
  EXPECT_FALSE(disk.OpenForReading(folder / u"missing", error));
  EXPECT_EQ(error, DescribeError(ENOENT));
}

// Names are UTF-8 on the disk whatever the locale: characters that no ANSI code page holds,
// and lone surrogates, reach the disk and come back.
TEST(DiskFileSystem, AnyNameTheTextCanHold) {
  TempFolder folder;
  const Text name = T("😀 한국어 ÿ 中文.txt");
  Text error;
  std::unique_ptr<OpenFile> file = disk.CreateNew(folder / name, error);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->Close(error));
  EXPECT_EQ(folder.Names(), std::vector<Text>{name});
  EXPECT_EQ(disk.Look(folder / name, error)->name, name);

  const Text lone = Text(u"x") + char16_t(0xD800) + u".txt";
  ASSERT_TRUE(disk.CreateNew(folder / lone, error));
  EXPECT_EQ(disk.Look(folder / lone, error)->kind, EntryKind::kFile);
}

}  // namespace
}  // namespace qor
