#include "dialogs/file_chooser.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "codepage/text_files.h"
#include "dialogs/file_list.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/trash.h"
#include "qt_platform/qt_text.h"
#include "qt_platform/settings_store.h"
#include "qt_platform/special_folders.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

constexpr TextView kOpenCaption = u"打开文件";
constexpr TextView kSaveCaption = u"保存文件";
constexpr TextView kOpenButton = u"打 开";
constexpr TextView kSaveButton = u"保 存";
constexpr char kDefaultFolderName[] = "QOR_TXT";
constexpr double kSecondaryFontRatio = 0.9;

QString Q(TextView text) { return ToQString(text); }

// A path typed or shown in a box: "\xHH" stands for a byte of a name that is not UTF-8.
std::filesystem::path BoxPath(const QString& text) {
  return TextToPath(TrimBlanks(FromQString(text)));
}

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The folder shown when the dialog was last closed, in the settings store.
constexpr TextView kPathsSection = u"Paths";
constexpr TextView kLastPathKey = u"LastPath";

QString ReadLastPath() { return Q(ReadSetting(kPathsSection, kLastPathKey).value_or(Text())); }

void WriteLastPath(const QString& path) {
  WriteSetting(kPathsSection, kLastPathKey, FromQString(path));
}

}  // namespace

FileChooser::FileChooser(QWidget* parent, Ui& ui) : QDialog(parent), ui_(&ui) {
  setModal(true);
  CreateWidgets();
  Load();
}

FileChooser::~FileChooser() { Unload(); }

void FileChooser::CreateWidgets() {
  const auto button = [this](TextView caption, const char* name) {
    auto* b = new QPushButton(Q(caption), this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
  };
  lbl_go_ = new QLabel(Q(u"转到"), this);
  lbl_go_->setObjectName("lblGo");
  txt_path_ = new QLineEdit(this);
  txt_path_->setObjectName("txtPath");
  fil_a_ = new FileList(this);
  fil_a_->setObjectName("filA");
  chk_filter_ = new QCheckBox(Q(u"仅见txt文件"), this);
  chk_filter_->setObjectName("chkFilter");
  cmd_wsp_ = {button(u"桌面", "cmdWsp0"), button(u"我的文档", "cmdWsp1")};
  cmd_def_ = {button(u"默认路径", "cmdDef0"), button(u"后退", "cmdDef1")};
  txt_a_ = new QLineEdit(this);
  txt_a_->setObjectName("txtA");
  cmd_mend_ = button(u"起新名", "cmdMend");
  cmd_del_file_ = button(u"删除文件", "cmdDelFile");
  lbl_pat_ = new QLabel(Q(u"编码格式："), this);
  lbl_pat_->setObjectName("lblPat");
  cbo_pat_ = new QComboBox(this);
  cbo_pat_->setObjectName("cboPat");
  chk_bom_ = new QCheckBox(QStringLiteral("BOM"), this);
  chk_bom_->setObjectName("chkBom");
  cmd_a_ = {button(kOpenButton, "cmdA0"), button(u"取 消", "cmdA1")};
  lbl_go_->setBuddy(txt_path_);
  lbl_pat_->setBuddy(cbo_pat_);

  auto* path_row = new QHBoxLayout;
  path_row->addWidget(lbl_go_);
  path_row->addWidget(txt_path_, 1);
  auto* side = new QVBoxLayout;
  for (QPushButton* b : {cmd_wsp_[0], cmd_wsp_[1], cmd_def_[0], cmd_def_[1]}) side->addWidget(b);
  side->addStretch(1);
  side->addWidget(cmd_del_file_);
  auto* list_row = new QHBoxLayout;
  list_row->addWidget(fil_a_, 1);
  list_row->addLayout(side);
  auto* name_row = new QHBoxLayout;
  name_row->addWidget(txt_a_, 1);
  name_row->addWidget(cmd_mend_);
  auto* bottom_row = new QHBoxLayout;
  bottom_row->addWidget(lbl_pat_);
  bottom_row->addWidget(cbo_pat_);
  bottom_row->addWidget(chk_bom_);
  bottom_row->addStretch(1);
  bottom_row->addWidget(cmd_a_[0]);
  bottom_row->addWidget(cmd_a_[1]);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(path_row);
  layout->addLayout(list_row, 1);
  layout->addWidget(chk_filter_);
  layout->addLayout(name_row);
  layout->addLayout(bottom_row);
  resize(560, 440);

  QFont secondary = txt_a_->font();
  if (secondary.pointSizeF() > 0) {
    secondary.setPointSizeF(secondary.pointSizeF() * kSecondaryFontRatio);
  } else {
    secondary.setPixelSize(static_cast<int>(secondary.pixelSize() * kSecondaryFontRatio));
  }
  for (QWidget* w :
       std::initializer_list<QWidget*>{cmd_def_[0], cmd_def_[1], cmd_wsp_[0], cmd_wsp_[1],
                                       cmd_del_file_, cmd_mend_, chk_filter_}) {
    w->setFont(secondary);
  }

  txt_path_->installEventFilter(this);
  txt_a_->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, &FileChooser::FocusChanged);
  connect(fil_a_, &FileList::FolderChanged, this, &FileChooser::FolderChanged);
  connect(fil_a_, &QListWidget::itemSelectionChanged, this, &FileChooser::ListClicked);
  connect(fil_a_, &QListWidget::itemClicked, this, &FileChooser::ListClicked);
  connect(fil_a_, &QListWidget::itemDoubleClicked, this, &FileChooser::ListActivated);
  connect(fil_a_, &FileList::EnterPressed, this, &FileChooser::ListActivated);
  connect(chk_filter_, &QCheckBox::toggled, this, [this](bool checked) {
    fil_a_->SetPattern(checked ? QStringLiteral("*.txt") : QStringLiteral("*.*"));
  });
  connect(cmd_wsp_[0], &QPushButton::clicked, this, [this] { GoToSpecialFolder(DesktopFolder()); });
  connect(cmd_wsp_[1], &QPushButton::clicked, this,
          [this] { GoToSpecialFolder(DocumentsFolder()); });
  connect(cmd_def_[0], &QPushButton::clicked, this, [this] { SwitchTo(default_folder_); });
  connect(cmd_def_[1], &QPushButton::clicked, this, [this] { SwitchTo(folders_.previous()); });
  connect(txt_a_, &QLineEdit::textChanged, this, &FileChooser::NameChanged);
  connect(cbo_pat_, &QComboBox::currentIndexChanged, this, &FileChooser::EncodingChosen);
  connect(cbo_pat_, &QComboBox::activated, this, &FileChooser::EncodingChosen);
  connect(cmd_mend_, &QPushButton::clicked, this, &FileChooser::MakeNewNameClicked);
  connect(cmd_del_file_, &QPushButton::clicked, this, &FileChooser::DeleteClicked);
  connect(cmd_a_[0], &QPushButton::clicked, this, &FileChooser::Accept);
  connect(cmd_a_[1], &QPushButton::clicked, this, &FileChooser::reject);
}

void FileChooser::Load() {
  chk_filter_->setChecked(true);
  fil_a_->SetPattern(QStringLiteral("*.txt"));
  cbo_pat_->addItem(Q(kAutomaticChoice));
  for (const EncodingCode code : kFileEncodings) {
    if (code <= kEncodingUtf8) cbo_pat_->addItem(Q(EncodingName(code)));
  }
  FolderChanged();
  start_folder_ = folders_.current();
  folders_.SetPrevious(start_folder_);

  // The default folder is made in the documents folder: the program's own folder is not
  // writable once installed.
  const std::filesystem::path candidate = DocumentsFolder() / kDefaultFolderName;
  std::error_code failed;
  const bool there = std::filesystem::exists(candidate, failed) ||
                     std::filesystem::create_directories(candidate, failed);
  default_folder_ = there ? WithTrailingSlash(candidate) : start_folder_;

  const QString last = ReadLastPath().trimmed();
  if (!last.isEmpty() && fil_a_->SetFolder(BoxPath(last))) return;
  if (!fil_a_->SetFolder(default_folder_)) default_folder_ = start_folder_;
}

void FileChooser::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  s_way_.clear();
  WriteLastPath(txt_path_->text());
}

bool FileChooser::Refresh() {
  QString error;
  if (fil_a_->Refresh(&error)) return true;
  // The folder is gone: show another rather than refusing every show from now on.
  for (const std::filesystem::path& folder :
       {default_folder_, start_folder_, std::filesystem::path("~")}) {
    if (fil_a_->SetFolder(folder)) return true;
  }
  ui().ShowMessage(FromQString(error));
  return false;
}

bool FileChooser::Activate(bool open, const std::filesystem::path& path, EncodingCode code) {
  b_open_ = open;
  s_way_ = path;
  n_pat_ = code;
  if (!Refresh()) {
    s_way_.clear();
    return false;
  }
  ShowCurrentFolder();  // a path typed but never validated is gone
  if (open) {
    setWindowTitle(Q(kOpenCaption));
    cmd_a_[0]->setText(Q(kOpenButton));
    focus_on_show_ = fil_a_;
    txt_a_->setText(fil_a_->SelectedName());  // the file that accepting opens
    txt_a_->setEnabled(false);
    txt_a_->setBackgroundRole(QPalette::Button);
    cmd_mend_->setEnabled(false);
    chk_bom_->hide();
    cbo_pat_->setCurrentIndex(kEncodingAutomatic);
  } else {
    setWindowTitle(Q(kSaveCaption));
    cmd_a_[0]->setText(Q(kSaveButton));
    if (!ApplyRememberedPath()) txt_a_->setText(Q(kUnnamedFile));
    // The list shows the file saved to last, not the one selected at an earlier show.
    fil_a_->SelectOnly(txt_a_->text());
    txt_a_->setEnabled(true);
    txt_a_->setBackgroundRole(QPalette::Base);
    cmd_mend_->setEnabled(true);
    focus_on_show_ = cmd_mend_;
    cbo_pat_->setCurrentIndex(-1);
    chk_bom_->show();
    const EncodingPick pick = EncodingPickForCode(code);
    cbo_pat_->setCurrentIndex(pick.entry);
    if (!pick.bom) chk_bom_->setChecked(false);
  }
  if (isVisible()) focus_on_show_->setFocus();
  return true;
}

void FileChooser::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (focus_on_show_) focus_on_show_->setFocus();
}

std::optional<FileChoice> FileChooser::Choose(bool open, const std::filesystem::path& path,
                                              EncodingCode code) {
  if (!Activate(open, path, code)) return std::nullopt;
  // Only the accept button leaves a path: the save mode's starting path is no choice.
  if (exec() != Accepted) s_way_.clear();
  return Result();
}

std::optional<FileChoice> FileChooser::Result() const {
  if (s_way_.empty()) return std::nullopt;
  return FileChoice{s_way_, n_pat_};
}

bool FileChooser::ApplyRememberedPath() {
  const std::optional<PathParts> parts = SplitPath(s_way_);
  if (!parts) return false;
  txt_a_->setText(Q(parts->name));
  return parts->folder.empty() || fil_a_->SetFolder(parts->folder);
}

bool FileChooser::SelectFileInList(const QString& name) { return fil_a_->SelectName(name); }

void FileChooser::FolderChanged() {
  if (b_open_) {
    txt_a_->clear();
  } else {
    SelectFileInList(txt_a_->text());
  }
  folders_.Changed(fil_a_->folder());
  ShowCurrentFolder();
}

void FileChooser::ShowCurrentFolder() { txt_path_->setText(Q(PathToText(folders_.current()))); }

void FileChooser::SwitchTo(const std::filesystem::path& folder) { fil_a_->SetFolder(folder); }

void FileChooser::GoToSpecialFolder(const std::filesystem::path& folder) {
  QString error;
  if (!fil_a_->SetFolder(WithTrailingSlash(folder), &error)) {
    ui().ShowMessage(Text(kFolderFailed) + FromQString(error));
  }
}

bool FileChooser::ValidatePath() {
  if (fil_a_->SetFolder(BoxPath(txt_path_->text()))) {
    ShowCurrentFolder();
    return true;
  }
  if (ui().AskYesNo(kBadPathQuestion)) ShowCurrentFolder();
  return false;
}

// Leaving the path box for another control of the dialog validates it; cancelling does not,
// and neither does a message box taking the focus.
void FileChooser::FocusChanged(QWidget* old, QWidget* now) {
  if (old != txt_path_ || !now || now == cmd_a_[1] || !isAncestorOf(now) || validating_) return;
  validating_ = true;
  if (!ValidatePath()) txt_path_->setFocus();
  validating_ = false;
}

void FileChooser::ListClicked() {
  const QString name = fil_a_->SelectedName();
  if (!name.isEmpty()) txt_a_->setText(name);
}

void FileChooser::ListActivated() {
  if (b_open_) {
    Accept();
  } else {
    txt_a_->setFocus();
    txt_a_->selectAll();
  }
}

void FileChooser::NameChanged() {
  // The encoding is picked after the file: each new name asks for it again.
  if (b_open_) cbo_pat_->setCurrentIndex(kEncodingAutomatic);
}

void FileChooser::EncodingChosen(int entry) {
  if (chk_bom_->isHidden() || entry < 0) return;
  const BomBox box = BomBoxForEntry(entry);
  chk_bom_->setChecked(box.checked);
  chk_bom_->setEnabled(box.enabled);
}

bool FileChooser::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == txt_path_ && IsEnter(key)) {
    validating_ = true;
    if (ValidatePath()) fil_a_->setFocus();
    validating_ = false;
    return true;
  }
  if (watched == txt_a_) {
    if (IsEnter(key)) {
      Accept();
      return true;
    }
    const Text typed = FromQString(key->text());
    if (std::any_of(typed.begin(), typed.end(), IsForbiddenNameChar)) {
      ui().ShowMessage(kForbiddenNameMessage);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void FileChooser::Accept() {
  const Text typed = FromQString(txt_a_->text());
  if (!b_open_ && HasForbiddenNameChar(typed)) {
    ui().ShowMessage(kForbiddenNameMessage);  // pasted, not typed
    return;
  }
  const std::optional<FileChoice> choice =
      AcceptChoice(b_open_, folders_.current(), FromQString(fil_a_->SelectedName()), typed,
                   cbo_pat_->currentIndex(), chk_bom_->isChecked());
  if (!choice) return;
  s_way_ = choice->path;
  n_pat_ = choice->pattern;
  done(Accepted);
}

void FileChooser::reject() {
  s_way_.clear();
  QDialog::reject();
}

void FileChooser::closeEvent(QCloseEvent* event) {
  Unload();
  QDialog::closeEvent(event);
}

void FileChooser::MakeNewNameClicked() {
  txt_a_->setFocus();
  const Text typed = TrimBlanks(FromQString(txt_a_->text()));
  fil_a_->Refresh();
  SelectFileInList(Q(typed));
  const NewName proposal = MakeNewName(typed, [this](TextView name) {
    Text ignored;
    const std::optional<FileStatus> status =
        DiskFileSystem().Look(FileInFolder(folders_.current(), name), ignored);
    return status && status->kind == EntryKind::kFile;
  });
  if (proposal.conflict) SelectFileInList(Q(proposal.name));
  txt_a_->setText(Q(proposal.name));
  if (proposal.sel_length > 0) {
    txt_a_->setSelection(proposal.sel_start, proposal.sel_length);
  } else {
    txt_a_->setCursorPosition(proposal.sel_start);
  }
}

void FileChooser::DeleteClicked() {
  const QString name = fil_a_->SelectedName();
  if (name.isEmpty()) return;
  const std::filesystem::path full = FileInFolder(folders_.current(), FromQString(name));
  if (!ui().AskYesNo(DeleteQuestion(full), true)) return;
  Text error;
  if (RecycleFile(full, &error)) {
    fil_a_->Refresh();
    txt_a_->clear();
  } else {
    // The trash shows no error of its own here.
    ui().ShowMessage(PathMessage(full, Text(kDeleteFailed) + error));
  }
}

}  // namespace qor
