// The file chooser driven through its widgets, offscreen, with a scripted Ui.

#include "dialogs/file_chooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "dialogs/file_list.h"
#include "qt_platform/qt_text.h"
#include "support/test_support.h"
#include "window/qt_ui.h"

namespace qor {
namespace {

QString Documents() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

// Paths as the dialog takes and gives them: bytes, here UTF-8.
QString ToQ(const std::filesystem::path& path) { return QString::fromStdString(path.native()); }
std::filesystem::path FromQ(const QString& path) { return path.toStdString(); }

// The user's trash, where freedesktop.org's Trash standard places it.
std::filesystem::path TrashFolder() { return qgetenv("XDG_DATA_HOME").toStdString() + "/Trash/"; }

// A folder in the temporary home, on the volume of its trash.
struct Folder {
  QTemporaryDir dir{QDir::homePath() + "/chooser-XXXXXX"};
  QString path() const { return dir.path() + "/"; }
  QString Make(const QString& name, const QByteArray& bytes = "x") const {
    QFile file(path() + name);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
  }
  // A file of a name that need not be UTF-8; its full path.
  std::filesystem::path MakeBytes(const std::string& name) const {
    const std::filesystem::path file = FromQ(path()).native() + name;
    std::ofstream(file) << "x";
    return file;
  }
};

class FileChooserTest : public testing::Test {
 protected:
  void SetUp() override {
    QSettings("QOR", "QOR").remove("Paths/LastPath");
    QDir(Documents()).removeRecursively();
    QDir(QDir::homePath() + "/Desktop").removeRecursively();
    working_ = QDir::currentPath();
    QDir::setCurrent(start_.dir.path());
  }
  void TearDown() override { QDir::setCurrent(working_); }

  // The dialog, loaded now.
  FileChooser& Dialog() {
    if (!dialog_) dialog_ = std::make_unique<FileChooser>(nullptr, ui_);
    return *dialog_;
  }
  template <typename W>
  W* Get(const char* name) {
    W* widget = Dialog().findChild<W*>(name);
    EXPECT_TRUE(widget) << name;
    return widget;
  }
  QLineEdit* path_box() { return Get<QLineEdit>("txtPath"); }
  QLineEdit* name_box() { return Get<QLineEdit>("txtA"); }
  FileList* list() { return Get<FileList>("filA"); }
  QComboBox* combo() { return Get<QComboBox>("cboPat"); }
  QCheckBox* bom() { return Get<QCheckBox>("chkBom"); }
  QPushButton* button(const char* name) { return Get<QPushButton>(name); }

  void Show(bool open, const QString& path = {}, EncodingCode code = kEncodingAutomatic) {
    ShowPath(open, FromQ(path), code);
  }
  void ShowPath(bool open, const std::filesystem::path& path, EncodingCode code) {
    ASSERT_TRUE(Dialog().Activate(open, path, code));
    Dialog().show();
    QApplication::setActiveWindow(&Dialog());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog()));
  }
  void ClickItem(const QString& name, bool twice = false) {
    const QList<QListWidgetItem*> items = list()->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    const QPoint at = list()->visualItemRect(items[0]).center();
    // A double click is a click followed by the double-click event.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
  }
  QString Shown() { return path_box()->text(); }

  ScriptedUi ui_;
  Folder start_;
  QString working_;
  std::unique_ptr<FileChooser> dialog_;
};

TEST_F(FileChooserTest, ControlsAndCaptions) {
  Show(true);
  EXPECT_EQ(Get<QLabel>("lblGo")->text(), ToQString(u"转到"));
  EXPECT_EQ(Get<QCheckBox>("chkFilter")->text(), ToQString(u"仅见txt文件"));
  EXPECT_TRUE(Get<QCheckBox>("chkFilter")->isChecked());
  EXPECT_EQ(button("cmdWsp0")->text(), ToQString(u"桌面"));
  EXPECT_EQ(button("cmdWsp1")->text(), ToQString(u"我的文档"));
  EXPECT_EQ(button("cmdDef0")->text(), ToQString(u"默认路径"));
  EXPECT_EQ(button("cmdDef1")->text(), ToQString(u"后退"));
  EXPECT_EQ(button("cmdMend")->text(), ToQString(u"起新名"));
  EXPECT_EQ(button("cmdDelFile")->text(), ToQString(u"删除文件"));
  EXPECT_EQ(Get<QLabel>("lblPat")->text(), ToQString(u"编码格式："));
  EXPECT_EQ(button("cmdA1")->text(), ToQString(u"取 消"));
  const QStringList entries = {ToQString(u"自动选择"), "GBK",  "Eng", "Latin-1", "Unicode",
                               "Unicode BE",           "UTF-8"};
  ASSERT_EQ(combo()->count(), entries.size());
  for (int i = 0; i < entries.size(); ++i) EXPECT_EQ(combo()->itemText(i), entries[i]);
  const double ratio = button("cmdMend")->font().pointSizeF() / name_box()->font().pointSizeF();
  EXPECT_NEAR(ratio, 0.9, 0.01);
  EXPECT_NEAR(Get<QCheckBox>("chkFilter")->font().pointSizeF() / name_box()->font().pointSizeF(),
              0.9, 0.01);

  // Open mode.
  EXPECT_EQ(Dialog().windowTitle(), ToQString(u"打开文件"));
  EXPECT_EQ(button("cmdA0")->text(), ToQString(u"打 开"));
  EXPECT_FALSE(name_box()->isEnabled());
  EXPECT_FALSE(button("cmdMend")->isEnabled());
  EXPECT_TRUE(bom()->isHidden());
  EXPECT_EQ(combo()->currentIndex(), 0);
  EXPECT_TRUE(list()->hasFocus());

  // Save mode.
  Dialog().hide();
  Show(false);
  EXPECT_EQ(Dialog().windowTitle(), ToQString(u"保存文件"));
  EXPECT_EQ(button("cmdA0")->text(), ToQString(u"保 存"));
  EXPECT_TRUE(name_box()->isEnabled());
  EXPECT_TRUE(button("cmdMend")->isEnabled());
  EXPECT_TRUE(button("cmdMend")->hasFocus());
  EXPECT_FALSE(bom()->isHidden());
  EXPECT_EQ(name_box()->text(), ToQString(u"!未起名.txt"));
}

TEST_F(FileChooserTest, FirstShowGoesToTheDefaultFolderAndBackToTheStart) {
  Show(true);
  const QString qor_txt = Documents() + "/QOR_TXT/";
  EXPECT_TRUE(QDir(qor_txt).exists());
  EXPECT_EQ(ToQ(Dialog().default_folder()), qor_txt);
  EXPECT_EQ(Shown(), qor_txt);
  QTest::mouseClick(button("cmdDef1"), Qt::LeftButton);
  EXPECT_EQ(Shown(), start_.path());
  QTest::mouseClick(button("cmdDef1"), Qt::LeftButton);
  EXPECT_EQ(Shown(), qor_txt);
  QTest::mouseClick(button("cmdDef1"), Qt::LeftButton);
  EXPECT_EQ(Shown(), start_.path());
  QTest::mouseClick(button("cmdDef0"), Qt::LeftButton);
  EXPECT_EQ(Shown(), qor_txt);
}

TEST_F(FileChooserTest, DefaultFolderThatCannotBeMadeIsTheStartFolder) {
  QFile blocker(Documents());  // a file where the documents folder should be
  blocker.open(QIODevice::WriteOnly);
  blocker.close();
  Show(true);
  EXPECT_EQ(ToQ(Dialog().default_folder()), start_.path());
  EXPECT_EQ(Shown(), start_.path());
  QFile::remove(Documents());
}

TEST_F(FileChooserTest, LastPathIsRememberedAcrossLoads) {
  Folder other;
  QSettings("QOR", "QOR").setValue("Paths/LastPath", "  " + other.path() + "  ");
  Show(true);
  EXPECT_EQ(Shown(), other.path());
  path_box()->setText(start_.path());
  QTest::keyClick(path_box(), Qt::Key_Return);
  dialog_.reset();  // unloading stores the folder shown
  EXPECT_EQ(QSettings("QOR", "QOR").value("Paths/LastPath").toString(), start_.path());

  QSettings("QOR", "QOR").setValue("Paths/LastPath", other.path() + "gone/");
  Show(true);
  EXPECT_EQ(Shown(), Documents() + "/QOR_TXT/");
}

TEST_F(FileChooserTest, ClosingTheWindowUnloadsAndCancels) {
  Folder other;
  other.Make("a.txt");
  Show(false, other.path() + "a.txt", kEncodingUtf8NoBom);
  Dialog().close();
  EXPECT_TRUE(Dialog().unloaded());
  EXPECT_FALSE(Dialog().Result());
  EXPECT_EQ(QSettings("QOR", "QOR").value("Paths/LastPath").toString(), other.path());
}

TEST_F(FileChooserTest, OpenModeEncodingIsPickedAfterTheFile) {
  Folder folder;
  folder.Make("a.txt");
  folder.Make(ToQString(u"中文.txt"));
  QSettings("QOR", "QOR").setValue("Paths/LastPath", folder.path());
  Show(true);
  ASSERT_EQ(list()->count(), 2);
  ClickItem("a.txt");
  EXPECT_EQ(name_box()->text(), "a.txt");
  combo()->setCurrentIndex(6);
  ClickItem(ToQString(u"中文.txt"));
  EXPECT_EQ(combo()->currentIndex(), 0);

  // The encoding chosen for the selected file survives a double click on it.
  combo()->setCurrentIndex(6);
  ClickItem(ToQString(u"中文.txt"), true);
  EXPECT_TRUE(Dialog().isHidden());
  ASSERT_TRUE(Dialog().Result());
  EXPECT_EQ(ToQ(Dialog().Result()->path), folder.path() + ToQString(u"中文.txt"));
  EXPECT_EQ(Dialog().Result()->pattern, 6);

  // A double click on another file selects it first, which asks for the encoding again.
  Show(true);
  ClickItem(ToQString(u"中文.txt"));
  combo()->setCurrentIndex(6);
  ClickItem("a.txt", true);
  ASSERT_TRUE(Dialog().Result());
  EXPECT_EQ(Dialog().Result()->pattern, 0);
}

TEST_F(FileChooserTest, OpenWithNothingSelectedStaysOpen) {
  Show(true);
  QTest::mouseClick(button("cmdA0"), Qt::LeftButton);
  EXPECT_TRUE(Dialog().isVisible());
  QTest::keyClick(&Dialog(), Qt::Key_Escape);
  EXPECT_TRUE(Dialog().isHidden());
  EXPECT_FALSE(Dialog().Result());
  EXPECT_FALSE(Dialog().unloaded());
}

TEST_F(FileChooserTest, SaveModeOffersTheCurrentFileAndItsEncoding) {
  Folder folder;
  folder.Make("Notes.txt");
  folder.Make("other.txt");
  Show(false, folder.path() + "Notes.txt", kEncodingUtf8NoBom);
  EXPECT_EQ(Shown(), folder.path());
  EXPECT_EQ(list()->SelectedName(), "Notes.txt");
  EXPECT_EQ(name_box()->text(), "Notes.txt");
  EXPECT_EQ(combo()->currentIndex(), 6);
  EXPECT_FALSE(bom()->isChecked());

  const struct {
    EncodingCode code;
    int entry;
    bool checked;
    bool enabled;
  } cases[] = {{kEncodingAutomatic, 4, true, true},
               {kEncodingEng, 2, false, false},
               {kEncodingUnicodeBe, 5, true, true},
               {kEncodingUnicodeNoBom, 4, false, true}};
  for (const auto& c : cases) {
    Dialog().hide();
    Show(false, folder.path() + "Notes.txt", c.code);
    EXPECT_EQ(combo()->currentIndex(), c.entry) << c.code;
    EXPECT_EQ(bom()->isChecked(), c.checked) << c.code;
    EXPECT_EQ(bom()->isEnabled(), c.enabled) << c.code;
  }
}

// Each save shows the file the text was last saved to, whatever the list selected before.
TEST_F(FileChooserTest, SaveModeProposesTheFileLastSavedTo) {
  Folder folder;
  folder.Make("orig.txt");
  QSettings("QOR", "QOR").setValue("Paths/LastPath", folder.path());
  Show(true);
  ClickItem("orig.txt");
  QTest::mouseClick(button("cmdA0"), Qt::LeftButton);
  ASSERT_TRUE(Dialog().Result());
  const auto save_as = [&](const Folder& in, const QString& current, const QString& name) {
    Show(false, current.isEmpty() ? QString() : in.path() + current, kEncodingUtf8NoBom);
    EXPECT_EQ(name_box()->text(), current.isEmpty() ? ToQString(u"!未起名.txt") : current);
    EXPECT_EQ(list()->SelectedName(), current);
    name_box()->setText(name);
    QTest::mouseClick(button("cmdA0"), Qt::LeftButton);
    ASSERT_TRUE(Dialog().Result());
    EXPECT_EQ(ToQ(Dialog().Result()->path), in.path() + name);
    in.Make(name);  // what the save writes
  };
  save_as(folder, "orig.txt", "fixed.txt");
  save_as(folder, "fixed.txt", "fixed.txt");
  save_as(folder, "fixed.txt", "fixed.txt");

  Folder other;
  dialog_.reset();
  QSettings("QOR", "QOR").setValue("Paths/LastPath", other.path());
  save_as(other, "", "e1.txt");
  for (int k = 2; k <= 9; ++k) {
    save_as(other, QString("e%1.txt").arg(k - 1), QString("e%1.txt").arg(k));
  }
  save_as(other, "e9.txt", "e9.txt");
}

TEST_F(FileChooserTest, SaveUnderATypedName) {
  Folder folder;
  Show(false, folder.path() + "x.txt", kEncodingUnicode);
  name_box()->clear();
  QTest::keyClicks(name_box(), "readme");
  combo()->setCurrentIndex(4);
  QTest::mouseClick(bom(), Qt::LeftButton);  // no mark
  QTest::mouseClick(button("cmdA0"), Qt::LeftButton);
  ASSERT_TRUE(Dialog().Result());
  EXPECT_EQ(ToQ(Dialog().Result()->path), folder.path() + "readme.txt");
  EXPECT_EQ(Dialog().Result()->pattern, 7);

  // Enter in the name box accepts; a blank name does not.
  Show(false, folder.path() + "x.txt", kEncodingGbk);
  name_box()->setText("   ");
  QTest::keyClick(name_box(), Qt::Key_Return);
  EXPECT_TRUE(Dialog().isVisible());
  name_box()->setText(" a.b ");
  QTest::keyClick(name_box(), Qt::Key_Return);
  ASSERT_TRUE(Dialog().Result());
  EXPECT_EQ(ToQ(Dialog().Result()->path), folder.path() + "a.b");
  EXPECT_EQ(Dialog().Result()->pattern, 1);
}

TEST_F(FileChooserTest, ForbiddenCharactersAreRefusedAsTyped) {
  Show(false);
  name_box()->clear();
  QTest::keyClicks(name_box(), "a?b|c");
  EXPECT_EQ(name_box()->text(), "abc");
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.Messages()[0], kForbiddenNameMessage);
  // Pasted ones are refused when accepting.
  name_box()->setText("a/b");
  QTest::mouseClick(button("cmdA0"), Qt::LeftButton);
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_EQ(ui_.Messages().size(), 3u);
}

TEST_F(FileChooserTest, PathBoxValidation) {
  Folder folder;
  folder.Make("in.txt");
  Show(true);
  const QString before = Shown();
  const QString wrong = folder.path() + "no-such-folder";
  path_box()->setFocus();
  path_box()->setText(wrong);
  ui_.answers = {false};
  QTest::keyClick(path_box(), Qt::Key_Return);
  ASSERT_EQ(ui_.shown.size(), 1u);
  EXPECT_EQ(ui_.shown[0].text, kBadPathQuestion);
  EXPECT_TRUE(ui_.shown[0].question);
  EXPECT_EQ(Shown(), wrong);  // No: the typed text stays to be mended
  EXPECT_TRUE(path_box()->hasFocus());

  ui_.answers = {true};
  QTest::keyClick(path_box(), Qt::Key_Return);
  EXPECT_EQ(Shown(), before);  // Yes: back to the folder shown
  EXPECT_TRUE(path_box()->hasFocus());

  // A folder that exists, typed with blanks and without its "/".
  path_box()->setText("  " + folder.dir.path() + "  ");
  QTest::keyClick(path_box(), Qt::Key_Return);
  EXPECT_EQ(Shown(), folder.path());
  EXPECT_EQ(list()->count(), 1);
  EXPECT_TRUE(list()->hasFocus());
  EXPECT_EQ(ui_.shown.size(), 2u);

  // Leaving the path box for another control validates it too.
  path_box()->setFocus();
  path_box()->setText(wrong);
  ui_.answers = {true};
  button("cmdDef0")->setFocus();
  EXPECT_EQ(ui_.shown.size(), 3u);
  EXPECT_EQ(Shown(), folder.path());
  EXPECT_TRUE(path_box()->hasFocus());
}

TEST_F(FileChooserTest, FilterAndFolderButtons) {
  Folder folder;
  folder.Make("a.txt");
  folder.Make("b.TXT");
  folder.Make("c.md");
  folder.Make(".hidden.txt");
  QSettings("QOR", "QOR").setValue("Paths/LastPath", folder.path());
  Show(true);
  EXPECT_EQ(list()->count(), 2);
  QCheckBox* filter = Get<QCheckBox>("chkFilter");
  QTest::mouseClick(filter, Qt::LeftButton, {}, QPoint(8, filter->height() / 2));
  EXPECT_FALSE(Get<QCheckBox>("chkFilter")->isChecked());
  ASSERT_EQ(list()->count(), 3);
  EXPECT_EQ(list()->item(2)->text(), "c.md");

  QTest::mouseClick(button("cmdWsp0"), Qt::LeftButton);  // there is no desktop folder yet
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].substr(0, kFolderFailed.size()), kFolderFailed);
  EXPECT_GT(ui_.Messages()[0].size(), kFolderFailed.size());
  EXPECT_EQ(Shown(), folder.path());
  QDir().mkpath(QDir::homePath() + "/Desktop");
  QTest::mouseClick(button("cmdWsp0"), Qt::LeftButton);
  EXPECT_EQ(Shown(), QDir::homePath() + "/Desktop/");
  QTest::mouseClick(button("cmdWsp1"), Qt::LeftButton);
  EXPECT_EQ(Shown(), Documents() + "/");
  QTest::mouseClick(button("cmdDef1"), Qt::LeftButton);
  EXPECT_EQ(Shown(), QDir::homePath() + "/Desktop/");
}

TEST_F(FileChooserTest, SaveModeSelectsTheSameNameInANewFolder) {
  Folder a, b;
  a.Make("same.txt");
  b.Make("same.txt");
  b.Make("zzz.txt");
  Show(false, a.path() + "same.txt", kEncodingUtf8NoBom);
  path_box()->setText(b.path());
  QTest::keyClick(path_box(), Qt::Key_Return);
  EXPECT_EQ(list()->SelectedName(), "same.txt");
  // In open mode a folder change clears the name.
  Show(true);
  ClickItem("zzz.txt");
  path_box()->setText(a.path());
  QTest::keyClick(path_box(), Qt::Key_Return);
  EXPECT_EQ(name_box()->text(), "");
}

TEST_F(FileChooserTest, NewNameButton) {
  Folder folder;
  Show(false, folder.path() + "x.txt", kEncodingUtf8NoBom);
  name_box()->clear();
  QTest::mouseClick(button("cmdMend"), Qt::LeftButton);
  EXPECT_EQ(name_box()->text(), ToQString(u"!未起名.txt"));
  EXPECT_EQ(name_box()->selectedText(), ToQString(u"!未起名.txt"));
  EXPECT_TRUE(name_box()->hasFocus());

  folder.Make("data.csv");
  name_box()->setText("data.csv");
  QTest::mouseClick(button("cmdMend"), Qt::LeftButton);
  EXPECT_EQ(name_box()->text(), "data_2.csv");
  EXPECT_EQ(name_box()->selectedText(), "_2");

  name_box()->setText("a.b.c.txt");
  QTest::mouseClick(button("cmdMend"), Qt::LeftButton);
  EXPECT_EQ(name_box()->text(), "a b c.txt");
  EXPECT_EQ(name_box()->selectedText(), "");
  EXPECT_EQ(name_box()->cursorPosition(), 5);
}

TEST_F(FileChooserTest, DeleteAsksWithNoAsDefault) {
  Folder folder;
  const QString file = folder.Make(ToQString(u"删除.txt"));
  QSettings("QOR", "QOR").setValue("Paths/LastPath", folder.path());
  Show(true);
  QTest::mouseClick(button("cmdDelFile"), Qt::LeftButton);  // nothing selected
  EXPECT_TRUE(ui_.shown.empty());

  ClickItem(ToQString(u"删除.txt"));
  ui_.answers = {false};
  QTest::mouseClick(button("cmdDelFile"), Qt::LeftButton);
  ASSERT_EQ(ui_.shown.size(), 1u);
  EXPECT_EQ(ui_.shown[0].text, DeleteQuestion(FromQ(file)));
  EXPECT_TRUE(ui_.shown[0].default_no);
  EXPECT_TRUE(QFile::exists(file));

  ui_.answers = {true};
  QTest::mouseClick(button("cmdDelFile"), Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_EQ(list()->count(), 0);
  EXPECT_EQ(name_box()->text(), "");
  EXPECT_TRUE(QFile::exists(ToQ(TrashFolder()) + "files/" + ToQString(u"删除.txt")));
}

// GBK and Latin-1 names, as unpacked from other systems' archives: listed with their bytes
// escaped, and opened, saved under, renamed and deleted by those bytes.
TEST_F(FileChooserTest, NamesThatAreNotUtf8) {
  Folder folder;
  const std::string gbk = "\xC4\xE3\xBA\xC3.txt";  // 你好
  const std::string latin1 = "caf\xE9.txt";        // café
  const std::filesystem::path gbk_path = folder.MakeBytes(gbk);
  const std::filesystem::path latin1_path = folder.MakeBytes(latin1);
  const QString gbk_shown = "\\xC4\\xE3\\xBA\\xC3.txt", latin1_shown = "caf\\xE9.txt";
  QSettings("QOR", "QOR").setValue("Paths/LastPath", folder.path());

  // Saving again under the current file's name, and a new name proposed from it.
  ShowPath(false, gbk_path, kEncodingUtf8NoBom);
  EXPECT_EQ(name_box()->text(), gbk_shown);
  EXPECT_EQ(list()->SelectedName(), gbk_shown);
  QTest::mouseClick(button("cmdA0"), Qt::LeftButton);
  ASSERT_TRUE(Dialog().Result());
  EXPECT_EQ(Dialog().Result()->path.native(), gbk_path.native());
  ShowPath(false, gbk_path, kEncodingUtf8NoBom);
  QTest::mouseClick(button("cmdMend"), Qt::LeftButton);
  EXPECT_EQ(name_box()->text(), "\\xC4\\xE3\\xBA\\xC3_2.txt");
  QTest::keyClick(name_box(), Qt::Key_Return);
  ASSERT_TRUE(Dialog().Result());
  EXPECT_EQ(Dialog().Result()->path.native(),
            FromQ(folder.path()).native() + "\xC4\xE3\xBA\xC3_2.txt");

  // Opening.
  Show(true);
  ASSERT_EQ(list()->count(), 2);
  EXPECT_EQ(list()->item(0)->text(), gbk_shown);
  EXPECT_EQ(list()->item(1)->text(), latin1_shown);
  ClickItem(latin1_shown, true);
  ASSERT_TRUE(Dialog().Result());
  EXPECT_EQ(Dialog().Result()->path.native(), latin1_path.native());

  // Deleting to the trash.
  Show(true);
  ClickItem(gbk_shown);
  ui_.answers = {true};
  QTest::mouseClick(button("cmdDelFile"), Qt::LeftButton);
  ASSERT_EQ(ui_.shown.size(), 1u);
  EXPECT_EQ(ui_.shown[0].text, DeleteQuestion(gbk_path));
  EXPECT_FALSE(std::filesystem::exists(gbk_path));
  EXPECT_TRUE(std::filesystem::exists(TrashFolder() / "files" / gbk));
  EXPECT_EQ(list()->count(), 1);

  // A folder of such a name, typed as shown; it is remembered as shown.
  const std::string sub = FromQ(folder.path()).native() + "\xD0\xC2";  // 新
  std::filesystem::create_directory(sub);
  path_box()->setText(folder.path() + "\\xD0\\xC2");
  QTest::keyClick(path_box(), Qt::Key_Return);
  EXPECT_EQ(Shown(), folder.path() + "\\xD0\\xC2/");
  EXPECT_EQ(ui_.shown.size(), 1u);  // the question before the deletion only
  dialog_.reset();                  // unloading stores the folder shown
  Show(true);
  EXPECT_EQ(Shown(), folder.path() + "\\xD0\\xC2/");

  // Qt cannot name these files to remove them.
  std::filesystem::remove_all(FromQ(folder.path()));
  std::filesystem::remove_all(TrashFolder());
}

TEST_F(FileChooserTest, AFolderThatVanishedBetweenShows) {
  auto folder = std::make_unique<Folder>();
  QSettings("QOR", "QOR").setValue("Paths/LastPath", folder->path());
  Show(true);
  EXPECT_EQ(Shown(), folder->path());
  Dialog().hide();
  folder.reset();
  Show(true);
  EXPECT_EQ(Shown(), Documents() + "/QOR_TXT/");
  EXPECT_TRUE(ui_.shown.empty());
}

}  // namespace
}  // namespace qor

namespace qor {
namespace {

// The window's Ui keeps one chooser, hidden between shows, until the user closes its window.
TEST(QtUiFileChooser, KeptBetweenShowsAndLoadedAgainAfterClosing) {
  QSettings("QOR", "QOR").remove("Paths/LastPath");
  QtUi ui(nullptr);
  std::vector<QPointer<QWidget>> shown;
  const auto answer = [&](bool close_window) {
    QTimer::singleShot(0, [&shown, close_window] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_TRUE(dialog);
      shown.emplace_back(dialog);
      if (close_window) {
        dialog->close();
      } else {
        QTest::keyClick(dialog, Qt::Key_Escape);
      }
    });
  };
  answer(false);
  EXPECT_FALSE(ui.ChooseFile(true, {}, kEncodingAutomatic));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0]);  // cancelling only hides it
  answer(true);
  EXPECT_FALSE(ui.ChooseFile(false, {}, kEncodingAutomatic));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_FALSE(shown[1]);  // closing its window unloads it
  EXPECT_FALSE(QSettings("QOR", "QOR").value("Paths/LastPath").toString().isEmpty());
  answer(false);
  EXPECT_FALSE(ui.ChooseFile(true, {}, kEncodingAutomatic));
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_TRUE(shown[2]);

  // Hidden by anything but its buttons, the save mode's starting path is not a choice.
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->hide(); });
  EXPECT_FALSE(ui.ChooseFile(false, "/tmp/current.txt", kEncodingUtf8NoBom));
}

}  // namespace
}  // namespace qor
