#include "platform/trash.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/file_system.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

// A home of its own, with the trash's data folder not made yet, on the volume of the files.
struct TrashHome {
  TempFolder home;
  TrashHome() { ::setenv("XDG_DATA_HOME", (home / u"data").c_str(), 1); }
  std::optional<Bytes> Info(const std::string& name) const {
    return home.Read("data/Trash/info/" + name + ".trashinfo");
  }
  bool InTrash(const std::string& name) const { return home.Exists("data/Trash/files/" + name); }
};

TEST(RecycleFile, MovesFilesOfAnyNameToTheTrash) {
  TrashHome trash;
  TempFolder& folder = trash.home;
  const struct {
    std::string name;
    std::string escaped;  // in the info file's Path
  } cases[] = {
      {"删除我 😀.txt", "%E5%88%A0%E9%99%A4%E6%88%91%20%F0%9F%98%80.txt"},
      {"\xC4\xE3\xBA\xC3.txt", "%C4%E3%BA%C3.txt"},  // GBK
      {"caf\xE9.txt", "caf%E9.txt"},                 // Latin-1
  };
  for (const auto& c : cases) {
    folder.Write(c.name, "x");
    Text error;
    EXPECT_TRUE(RecycleFile(folder / c.name, &error)) << Show(error);
    EXPECT_FALSE(folder.Exists(c.name));
    EXPECT_TRUE(trash.InTrash(c.name)) << c.name;
    const std::optional<Bytes> info = trash.Info(c.name);
    ASSERT_TRUE(info) << c.name;
    EXPECT_EQ(info->substr(0, 18), "[Trash Info]\nPath=");
    EXPECT_NE(info->find((folder.path().native() + c.escaped + "\nDeletionDate=20")),
              std::string::npos)
        << *info;
  }
}

TEST(RecycleFile, ASecondFileOfTheSameNameKeepsTheFirst) {
  TrashHome trash;
  for (const char* contents : {"first", "second", "third"}) {
    trash.home.Write(u"a.txt", contents);
    EXPECT_TRUE(RecycleFile(trash.home / u"a.txt"));
  }
  EXPECT_EQ(trash.home.Read("data/Trash/files/a.txt"), "first");
  EXPECT_EQ(trash.home.Read("data/Trash/files/a.2.txt"), "second");
  EXPECT_EQ(trash.home.Read("data/Trash/files/a.3.txt"), "third");
  EXPECT_TRUE(trash.Info("a.3.txt"));
}

TEST(RecycleFile, NothingToDelete) {
  TrashHome trash;
  TempFolder folder;
  folder.MakeFolder(u"sub");
  for (const auto& path : {folder / u"missing.txt", folder / u"sub"}) {
    Text error;
    EXPECT_FALSE(RecycleFile(path, &error));
    EXPECT_FALSE(error.empty());
  }
  EXPECT_TRUE(folder.Exists(u"sub"));
}

}  // namespace
}  // namespace qor
