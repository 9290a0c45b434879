// The Qt services: the special folders and a new process.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "qt_platform/own_process.h"
#include "qt_platform/qt_text.h"
#include "qt_platform/special_folders.h"
#include "support/file_test_support.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(SpecialFolders, InTheHomeFolder) {
  EXPECT_EQ(DesktopFolder().native(), (QDir::homePath() + "/Desktop").toStdString());
  EXPECT_EQ(DocumentsFolder().native(), (QDir::homePath() + "/Documents").toStdString());
}

TEST(StartOwnExecutable, StartsAProgramOrFails) {
  EXPECT_TRUE(StartOwnExecutable(u"/bin/true"));
  EXPECT_FALSE(StartOwnExecutable(u"/no/such/program"));
}

}  // namespace
}  // namespace qor
