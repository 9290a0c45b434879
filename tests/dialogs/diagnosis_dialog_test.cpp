#include "dialogs/diagnosis_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "codepage/conversions.h"
#include "codepage/reinterpret.h"
#include "qt_platform/qt_text.h"
#include "support/test_support.h"

namespace qor {
namespace {

constexpr TextView kClean = u"乱码，文字编码错误了";

// The clean text's UTF-8 bytes read as GBK.
Text Garbled(TextView clean) { return Reinterpret(clean, kLcidUtf8, kLcidChineseSimplified); }

// Starts a diagnosis and waits for its rows.
void Diagnose(DiagnosisDialog& dialog, TextView text) {
  dialog.Start(text);
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.finished(); }, 10000));
}

TEST(DiagnosisDialog, ListsTheRepairsBestFirstWithAPreview) {
  DiagnosisDialog dialog;
  Diagnose(dialog, Garbled(kClean));
  ASSERT_GT(dialog.table()->rowCount(), 1);
  EXPECT_EQ(dialog.table()->item(0, 0)->text(), QStringLiteral("GB--UTF8"));
  EXPECT_EQ(dialog.SelectedChain(), std::vector<Text>{u"GB--UTF8"});
  EXPECT_EQ(dialog.preview()->toPlainText(), ToQString(kClean));
  EXPECT_TRUE(dialog.apply_button()->isEnabled());
}

TEST(DiagnosisDialog, CleanTextOffersNothingToApply) {
  DiagnosisDialog dialog;
  Diagnose(dialog, u"这是一段正常的中文文本，不需要任何修复。");
  ASSERT_GE(dialog.table()->rowCount(), 1);
  EXPECT_EQ(dialog.SelectedChain(), std::nullopt);
  EXPECT_FALSE(dialog.apply_button()->isEnabled());
}

TEST(DiagnosisDialog, AFullTextDoesNotBlockTheCaller) {
  DiagnosisDialog dialog;
  Text text;
  while (text.size() < 16000) text += Garbled(kClean) + u"\r\n";
  dialog.Start(text);
  EXPECT_FALSE(dialog.finished());  // the rows come later, from the worker
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.finished(); }, 20000));
  EXPECT_EQ(dialog.SelectedChain(), std::vector<Text>{u"GB--UTF8"});
  // A new start while one runs, then the dialog goes: nothing is left behind.
  dialog.Start(text);
}

TEST(DiagnosisDialog, SaysWhenTheFirstTwoReadAlike) {
  // Two repairs of a short text that the model reads alike (every digit is one to it).
  const Step one{u"one", [](TextView) { return Text(u"文件 1"); }};
  const Step two{u"two", [](TextView) { return Text(u"文件 2"); }};
  DiagnosisDialog dialog(nullptr, [&](TextView text, const DiagnosisOptions& options) {
    return qor::Diagnose(text, {one, two}, options);
  });
  Diagnose(dialog, Garbled(u"文件 1"));
  EXPECT_EQ(dialog.status()->text(), ToQString(kCloseCall));
  EXPECT_EQ(dialog.SelectedChain(), std::vector<Text>{u"one"});
}

TEST(DiagnosisDialog, SaysWhatFailed) {
  // A repair that fails: the others are listed, the failure named above them.
  const Step works{u"works", [](TextView) { return Text(kClean); }};
  const Step fails{u"fails", [](TextView) -> Text { throw std::bad_alloc(); }};
  DiagnosisDialog some(nullptr, [&](TextView text, const DiagnosisOptions& options) {
    return qor::Diagnose(text, {fails, works}, options);
  });
  Diagnose(some, Garbled(kClean));
  EXPECT_EQ(some.status()->text(), QStringLiteral("修复步骤 失败~ fails：std::bad_alloc"));
  EXPECT_EQ(some.SelectedChain(), std::vector<Text>{u"works"});

  // The diagnosis itself fails: nothing to choose, and the program goes on.
  DiagnosisDialog none(nullptr, [](TextView, const DiagnosisOptions&) -> Diagnosis {
    throw std::runtime_error("no memory left");
  });
  Diagnose(none, Garbled(kClean));
  EXPECT_EQ(none.status()->text(), QStringLiteral("诊断 失败~ no memory left"));
  EXPECT_EQ(none.table()->rowCount(), 0);
  EXPECT_FALSE(none.apply_button()->isEnabled());
}

}  // namespace
}  // namespace qor
