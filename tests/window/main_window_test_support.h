#pragma once
// A shown main window on a scripted Ui, with the settings store emptied first.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <memory>
#include <string>

#include "qt_platform/qt_text.h"
#include "support/test_support.h"
#include "window/main_window.h"

namespace qor {

inline void ClearSettingsStore() {
  QSettings settings(QStringLiteral("QOR"), QStringLiteral("QOR"));
  settings.clear();
  settings.sync();
}

inline std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSettingsStore();
    Open();
  }
  // A new window, as at program start.
  void Open() {
    window = std::make_unique<MainWindow>(&ui);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  QPlainTextEdit* TextControl() const { return window->findChild<QPlainTextEdit*>("txtA"); }
  QPushButton* Button(const char* name) const { return window->findChild<QPushButton*>(name); }
  Session& session() { return window->session(); }
  // What txtA shows.
  Text Shown() const { return FromQString(TextControl()->toPlainText()); }
  Text Label() const { return FromQString(window->findChild<QLabel*>("lblSay")->text()); }

  void SetOriginal(TextView text) {
    session().SetText(Text(text));
    session().ResetHistory(u"原始");
  }
  // A command whose result is `result`, through the command frame.
  void Push(TextView result, TextView label = u"cmd") {
    session().RunStep(Step{Text(label), [r = Text(result)](TextView) { return r; }});
  }

  ScriptedUi ui;
  std::unique_ptr<MainWindow> window;
};

}  // namespace qor
