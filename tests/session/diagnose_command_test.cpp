#include "session/diagnose_command.h"

#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace qor {
namespace {

using DiagnoseCommandTest = SessionFixture<>;

TEST_F(DiagnoseCommandTest, EachStepOfTheChosenChainIsOneHistoryEntry) {
  // 中文 as GBK bytes read as Western, then that text's UTF-8 read as Western.
  SetOriginal(T("Ã–Ã\u0090ÃŽÃ„"));
  ui.repairs = {std::vector<Text>{u"Eng--UTF8", u"Eng--GB"}};
  DiagnoseAndRepair(session);
  EXPECT_EQ(ui.diagnosed, std::vector<Text>{T("Ã–Ã\u0090ÃŽÃ„")});
  EXPECT_EQ(session.box().text(), u"中文");
  EXPECT_EQ(session.say(), u"Eng--GB");
  session.StepHistory(kUndo);
  EXPECT_EQ(session.box().text(), T("ÖÐÎÄ"));
  EXPECT_EQ(session.say(), u"Eng--UTF8");
  session.StepHistory(kUndo);
  EXPECT_EQ(session.n_cur(), -1);
}

TEST_F(DiagnoseCommandTest, StepsTakeTheWholeTextWhateverIsSelected) {
  SetOriginal(u"5Lit5paH");  // Base64 of 中文's UTF-8
  session.Select(0, 4);      // the Base64 item alone would decode only the selection
  ApplyRepairChain(session, {u"Base64--UTF8"});
  EXPECT_EQ(session.box().text(), u"中文");

  SetOriginal(u"A中文");
  session.Select(1, 0);  // the half-character cut alone would start at the caret
  ApplyRepairChain(session, {u"GB+半字"});
  EXPECT_EQ(session.box().text(), u" 中文");
}

TEST_F(DiagnoseCommandTest, CancelOrAnUnknownLabelChangesNothing) {
  SetOriginal(u"abc");
  DiagnoseAndRepair(session);  // the script answers Cancel
  EXPECT_EQ(session.n_cur(), -1);
  ApplyRepairChain(session, {u"No--Such", u"ULE--UBE"});
  EXPECT_EQ(session.box().text(), u"abc");
}

}  // namespace
}  // namespace qor
