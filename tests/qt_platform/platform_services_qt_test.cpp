// The Qt services: the trash, the special folders and a new process.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "qt_platform/own_process.h"
#include "qt_platform/qt_text.h"
#include "qt_platform/special_folders.h"
#include "qt_platform/trash.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

QString TrashFiles() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/files/";
}

TEST(RecycleFile, MovesTheFileToTheTrashEvenWithoutADataFolderYet) {
  // A fresh account has no data folder; the file must still go to the trash, not into a
  // "files" folder under the working folder.
  // The file is in the home folder, on the volume of the home trash.
  QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).removeRecursively();
  QTemporaryDir folder(QDir::homePath() + "/recycle-XXXXXX");
  const QString old_working = QDir::currentPath();
  QDir::setCurrent(folder.path());
  const QString name = ToQString(T("删除我 😀.txt"));
  QFile file(folder.filePath(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  Text error;
  EXPECT_TRUE(RecycleFile(FromQString(file.fileName()), &error)) << Show(error);
  QDir::setCurrent(old_working);
  EXPECT_FALSE(file.exists());
  EXPECT_TRUE(QFileInfo(TrashFiles() + name).isFile());
  EXPECT_FALSE(QFileInfo::exists(folder.filePath("files")));
}

TEST(RecycleFile, NothingToDelete) {
  TempFolder folder;
  folder.MakeFolder(u"sub");
  for (const Text& path : {folder / u"missing.txt", folder / u"sub"}) {
    Text error;
    EXPECT_FALSE(RecycleFile(path, &error));
    EXPECT_FALSE(error.empty());
  }
  EXPECT_TRUE(folder.Exists(u"sub"));
}

TEST(SpecialFolders, InTheHomeFolder) {
  EXPECT_EQ(DesktopFolder(), FromQString(QDir::homePath() + "/Desktop"));
  EXPECT_EQ(DocumentsFolder(), FromQString(QDir::homePath() + "/Documents"));
}

TEST(StartOwnExecutable, StartsAProgramOrFails) {
  EXPECT_TRUE(StartOwnExecutable(u"/bin/true"));
  EXPECT_FALSE(StartOwnExecutable(u"/no/such/program"));
}

}  // namespace
}  // namespace qor
