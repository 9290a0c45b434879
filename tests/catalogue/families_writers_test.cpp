#include <gtest/gtest.h>

#include <random>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "session/session.h"
#include "support/session_fixture.h"

namespace qor {
namespace {

using WritersTest = SessionFixture<>;

TEST_F(WritersTest, EncodesTheSelectionAndSelectsTheResult) {
  SetOriginal(u"x可y");
  session.Select(1, 1);
  RunLabel(u"U--HTM(H)");
  EXPECT_EQ(session.box().text(), u"x&#x53EF;y");
  EXPECT_EQ(session.box().sel_start(), 1);
  EXPECT_EQ(session.box().sel_length(), 8);
  EXPECT_EQ(session.say(), u"U--HTM(H)");
  session.StepHistory(kUndo);
  EXPECT_EQ(session.box().text(), u"x可y");
}

TEST_F(WritersTest, ALineBreakIsEncodedAsCrLf) {
  SetOriginal(u"a\r\nb");
  session.Select(0, 3);
  RunLabel(u"GB--QP");
  EXPECT_EQ(session.box().text(), u"a=0D=0Ab");
}

TEST_F(WritersTest, NothingSelectedGivesUnchanged) {
  SetOriginal(u"abc");
  for (const Family* family : Catalogue::Get().MenuFamilies("mnuMake")) {
    session.RunStep(*family->MenuStep());
    EXPECT_EQ(session.say(), u"未改动") << Show(family->grammar);
  }
}

TEST_F(WritersTest, RoomForTheResult) {
  SetOriginal(Text(16000, u'a'));
  session.Select(0, 200);  // 600 > 16383 - 15800
  RunLabel(u"U--HTM(D)");
  EXPECT_EQ(ui.Messages().back(), u"U--HTM(D) 拒绝~ 选取文本过长");

  SetOriginal(Text(15900, u'a') + Text(100, u'中'));
  session.Select(15900, 100);  // passes the pre-check; 100 × 8 units is more than 483
  RunLabel(u"U--HTM(D)");
  EXPECT_EQ(ui.Messages().back(), u"U--HTM(D) 失败~ 结果文本过长");
  EXPECT_EQ(session.box().length(), 16000);
}

TEST_F(WritersTest, PlainTextThroughHzIsTheSame) {
  SetOriginal(u"plain ASCII");
  session.Select(0, 11);
  RunLabel(u"GB--HZ");
  EXPECT_EQ(session.say(), u"新旧文本相同");
  EXPECT_EQ(session.n_cur(), -1);
}

TEST(Writers, EveryEncoderRoundTripsThroughItsDecoder) {
  // Domain: text that GBK holds, without the escape formats' own markers.
  const Text alphabet = u"abcXYZ019 .,\r\n中文字体乱码修复简单你我他。，、（）ＡＢ";
  const struct {
    Text encoder;
    Text decoder;
  } pairs[] = {
      {u"U--HTM(H)", u"HTM--U"},      {u"U--HTM(D)", u"HTM--U"},
      {u"GB--QP", u"QP--GB"},         {u"UTF8--QP", u"QP--UTF8"},
      {u"GB--Base64", u"Base64--GB"}, {u"UTF8--Base64", u"Base64--UTF8"},
      {u"U--UTF7", u"UTF7--U"},       {u"GB--HZ", u"HZ--GB"},
  };
  std::mt19937 random(17);
  for (int round = 0; round < 100; ++round) {
    Text text;
    for (std::size_t n = 1 + random() % 60; n > 0; --n)
      text += alphabet[random() % alphabet.size()];
    for (const auto& pair : pairs) {
      const Text encoded = RunStep(*Catalogue::Get().Find(pair.encoder), text).result;
      EXPECT_EQ(RunStep(*Catalogue::Get().Find(pair.decoder), encoded).result, text)
          << Show(pair.encoder) << " " << Show(text);
    }
  }
}

}  // namespace
}  // namespace qor
