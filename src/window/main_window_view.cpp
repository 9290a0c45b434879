// The main window's view settings (word wrap, font name, font size), the View menu and About.

#include <QAction>
#include <QPlainTextEdit>

#include "catalogue/caption.h"
#include "qor_version.h"
#include "qt_platform/qt_text.h"
#include "qt_platform/settings_store.h"
#include "qt_platform/text_font.h"
#include "session/view_settings.h"
#include "session/window_layout.h"
#include "window/main_window.h"

namespace qor {
namespace {

constexpr TextView kAboutText =
    u"QOR " QOR_VERSION
    u"\n\n修复乱码的中文文本与转义格式\nRepairs garbled Chinese text and escape formats"
    u"\n\n© 2026 QOR 开发者 (QOR developers)\n联系 (Contact)：qor-developers@example.org";

// A name as a menu caption: "&" would mark an access key.
QString MenuText(TextView text) { return ToQString(text).replace(u'&', QStringLiteral("&&")); }

}  // namespace

bool MainWindow::word_wrap() const { return txt_a_->lineWrapMode() != QPlainTextEdit::NoWrap; }

Text MainWindow::font_name() const { return TextFontName(txt_a_->font()); }

double MainWindow::font_size() const { return txt_a_->font().pointSizeF(); }

void MainWindow::SetWordWrap(bool on) {
  txt_a_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool MainWindow::ApplyFontName(TextView name) {
  if (name.empty()) return false;
  txt_a_->setFont(RenamedTextFont(txt_a_->font(), name));
  return true;
}

bool MainWindow::ApplyFontSize(double points) {
  if (!IsUsableFontSize(points)) return false;
  QFont font = txt_a_->font();
  font.setPointSizeF(points);
  txt_a_->setFont(font);
  return true;
}

// Each setting on its own: one that is missing or does not convert leaves its value as it is.
void MainWindow::LoadSettings() {
  txt_a_->move(Pixels(kTextLeft), Pixels(kTextTop));
  if (const std::optional<Text> stored = ReadSetting(kViewSection, kWordWrapKey)) {
    if (const std::optional<bool> on = ParseBoolText(*stored)) SetWordWrap(*on);
  }
  if (const std::optional<Text> stored = ReadSetting(kViewSection, kFontNameKey)) {
    ApplyFontName(*stored);
  }
  if (const std::optional<Text> stored = ReadSetting(kViewSection, kFontSizeKey)) {
    if (const std::optional<double> points = ParseDecimalText(*stored)) ApplyFontSize(*points);
  }
}

void MainWindow::SaveSettings() {
  WriteSetting(kViewSection, kWordWrapKey, BoolText(word_wrap()));
  WriteSetting(kViewSection, kFontNameKey, font_name());
  WriteSetting(kViewSection, kFontSizeKey, DecimalText(font_size()));
}

void MainWindow::UpdateViewMenu() {
  SetMark(Item("mnuHScr"), word_wrap());
  Item("mnuFont0")->setText(MenuText(font_name()));
  Item("mnuSize0")->setText(QString::number(RoundHalfEven(font_size())));
}

void MainWindow::ShowAbout() {
  ui_->ShowMessage(kAboutText, CaptionHead(MenuCaption("mnuAbout"), u" …"));
}

}  // namespace qor
