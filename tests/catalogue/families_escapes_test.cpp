// The first decoding menu's commands through the catalogue and the command frame.

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "session/session.h"
#include "support/session_fixture.h"

namespace qor {
namespace {

struct Item {
  std::string_view menu;
  Text label;
  Text in;   // a text the command decodes
  Text out;  // what it gives
};

const Item kItems[] = {
    {"mnuNumU", u"HTM--U", u"&#x53EF; &#25511; &ordm;&Atilde;", u"可 控 ºÃ"},
    {"mnuNumU", u"NumU(1)--U", u"\\u53EF\\u63A7\\x28\\x29", u"可控()"},
    {"mnuNumU", u"NumU(2)--U", u"%u53EF%u63A7%28%29", u"可控()"},
    {"mnuReadQp", u"URL--GB", u"work%2Easp%3Fs%3D%B5%E7%C4%D4", u"work.asp?s=电脑"},
    {"mnuReadQp", u"URL--Big5", u"a+%A4%A4%A4%E5", u"a 中文"},
    {"mnuReadQp", u"URL--UTF8", u"%E4%B8%AD", u"中"},
    {"mnuReadQp", u"QP--GB", u"=D6=A7=B3=D6ASCII=C2=EB", u"支持ASCII码"},
    {"mnuReadQp", u"QP--Big5", u"=A4=A4=\n=A4=E5+", u"中文+"},
    {"mnuReadQp", u"QP--UTF8", u"=E4=B8=AD", u"中"},
    {"mnuBase64", u"Base64--GB", u"1tDOxA==", u"中文"},
    {"mnuBase64", u"Base64--Big5", u"pKSk5Q==", u"中文"},
    {"mnuBase64", u"Base64--UTF8", u"5Lit5paH", u"中文"},
    {"mnuJieA", u"UTF7--U", u"+UxdOrA- YES +Ti1XC2-", u"北京 YES 中國"},
    {"mnuJieA", u"HZ--GB", u"~{V;V'3V~}ASCII~{Bk5DO5M3~}", u"只支持ASCII码的系统"},
};

TEST(EscapeFamilies, LabelsAndTransforms) {
  for (const Item& item : kItems) {
    const std::optional<Step> step = Catalogue::Get().Find(item.label);
    ASSERT_TRUE(step) << Show(item.label);
    EXPECT_EQ(step->label, item.label);
    EXPECT_EQ(RunStep(*step, item.in).result, item.out) << Show(item.label);
    EXPECT_EQ(step->frame.source,
              item.menu == "mnuBase64" ? Source::kSelectionOrWhole : Source::kWholeText);
    EXPECT_EQ(step->frame.pre_check, PreCheck::kNone);
  }
}

using EscapeCommandTest = SessionFixture<>;

TEST_F(EscapeCommandTest, DecodesTheWholeTextAndPushesTheLabel) {
  SetOriginal(u"x %E4%B8%AD y");
  session.Select(2, 3);  // a selection does not matter for URL decoding
  RunLabel(u"URL--UTF8");
  EXPECT_EQ(session.box().text(), u"x 中 y");
  EXPECT_EQ(session.say(), u"URL--UTF8");
  EXPECT_EQ(session.EntryLabel(0), u"URL--UTF8");
}

TEST_F(EscapeCommandTest, Base64DecodesASelectionOfTwoOrMore) {
  SetOriginal(u"a 1tDOxA== b");
  session.Select(2, 8);
  RunLabel(u"Base64--GB");
  EXPECT_EQ(session.box().text(), u"a 中文 b");
  EXPECT_EQ(session.box().sel_start(), 2);
  EXPECT_EQ(session.box().sel_length(), 2);
  EXPECT_EQ(session.say(), u"Base64--GB");

  // One selected character is ignored: the whole text is decoded.
  SetOriginal(u"YWJj");
  session.Select(1, 1);
  RunLabel(u"Base64--GB");
  EXPECT_EQ(session.box().text(), u"abc");

  // A selection with a line break inside counts the break as one position.
  SetOriginal(u"YW\r\nJj");
  session.Select(2, 1);
  RunLabel(u"Base64--UTF8");
  EXPECT_EQ(session.box().text(), u"abc");
}

TEST_F(EscapeCommandTest, NothingDecodedLeavesTheTextAlone) {
  SetOriginal(u"");
  RunLabel(u"HTM--U");
  EXPECT_EQ(session.say(), u"未改动");
  EXPECT_EQ(session.n_cur(), -1);

  SetOriginal(u"not base64!");
  RunLabel(u"Base64--UTF8");
  EXPECT_EQ(session.say(), u"未改动");
  EXPECT_EQ(session.box().text(), u"not base64!");

  SetOriginal(u"plain text");
  RunLabel(u"QP--GB");
  EXPECT_EQ(session.say(), u"新旧文本相同");
  EXPECT_EQ(session.n_cur(), -1);
  EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace qor
