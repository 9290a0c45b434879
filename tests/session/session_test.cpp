#include "session/session.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace qor {
namespace {

class SessionTest : public ::testing::Test {
 protected:
  // A command whose transform ignores its source and gives the result.
  void Run(TextView result, TextView label = u"cmd", Source source = Source::kWholeText,
           PreCheck pre_check = PreCheck::kNone) {
    session.RunStep(
        qor::Step{Text(label), [r = Text(result)](TextView) { return r; }, {source, pre_check}});
  }
  // Pushes results "r1".."rn".
  void RunNumbered(int from, int to) {
    for (int i = from; i <= to; ++i) {
      const std::string s = std::string("r").append(std::to_string(i));
      Run(Text(s.begin(), s.end()), Text(s.begin(), s.end()));
    }
  }
  void SetOriginal(TextView text) {
    session.SetText(Text(text));
    session.ResetHistory(u"original");
  }
  void Go(int step) { session.StepHistory(step); }
  const Text& Shown() const { return session.box().text(); }

  ScriptedUi ui;
  Session session{ui};
};

TEST_F(SessionTest, StartsWithNothingToStepTo) {
  EXPECT_FALSE(session.CanGoBack());
  EXPECT_FALSE(session.CanGoForward());
  for (int step = 0; step < 4; ++step) Go(step);
  EXPECT_EQ(session.n_cur(), -1);
  EXPECT_TRUE(session.IsSaved());
  EXPECT_EQ(session.title(), u"QOR");
}

TEST_F(SessionTest, NinePushesKeepTheLastEight) {
  SetOriginal(u"orig");
  RunNumbered(1, 9);
  EXPECT_EQ(Shown(), u"r9");
  for (int i = 8; i >= 2; --i) {
    Go(kUndo);
    const Text r = Text(u"r").append(1, static_cast<char16_t>(u'0' + i));
    EXPECT_EQ(Shown(), r);
    EXPECT_EQ(session.say(), r);
  }
  Go(kUndo);  // r1 was overwritten: the oldest kept result is r2
  EXPECT_EQ(Shown(), u"orig");
  EXPECT_EQ(session.say(), u"original");
  EXPECT_FALSE(session.CanGoBack());
  Go(kRedo);
  EXPECT_EQ(Shown(), u"r2");
  Go(kToNewest);
  EXPECT_EQ(Shown(), u"r9");
  EXPECT_FALSE(session.CanGoForward());
}

TEST_F(SessionTest, ANewCommandDiscardsTheRedoEntries) {
  SetOriginal(u"orig");
  RunNumbered(1, 4);
  Go(kUndo);
  Go(kUndo);
  EXPECT_TRUE(session.CanGoForward());
  Run(u"new");
  EXPECT_FALSE(session.CanGoForward());
  Go(kToNewest);
  EXPECT_EQ(Shown(), u"new");
  Go(kUndo);
  EXPECT_EQ(Shown(), u"r2");
}

TEST_F(SessionTest, ACommandOnTheOriginalRestartsTheRing) {
  SetOriginal(u"orig");
  RunNumbered(1, 8);
  Go(kBackToOriginal);
  EXPECT_EQ(Shown(), u"orig");
  Run(u"fresh");
  EXPECT_EQ(session.n_cur(), 0);
  EXPECT_EQ(session.n_old(), 0);
  EXPECT_FALSE(session.CanGoForward());
  Go(kUndo);
  EXPECT_EQ(Shown(), u"orig");
  Go(kToNewest);
  EXPECT_EQ(Shown(), u"fresh");
}

TEST_F(SessionTest, ASameResultAddsNothing) {
  SetOriginal(u"same");
  Run(u"same", u"label");
  EXPECT_EQ(session.say(), kSameText);
  EXPECT_EQ(session.n_cur(), -1);
  EXPECT_FALSE(session.CanGoBack());
}

TEST_F(SessionTest, SavedMarkerFollowsTheShownEntry) {
  SetOriginal(u"orig");
  RunNumbered(1, 4);  // slots 0..3
  session.set_n_saved(session.n_cur());
  EXPECT_TRUE(session.IsSaved());
  Go(kUndo);
  EXPECT_FALSE(session.IsSaved());
  ui.answers = {false};
  EXPECT_FALSE(session.MayDiscardText());
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, u"当前文本未保存，是否清空？");
  Go(kRedo);
  EXPECT_TRUE(session.IsSaved());
  EXPECT_TRUE(session.MayDiscardText());
  EXPECT_EQ(ui.shown.size(), 1u);  // no question when saved

  // Saved at slot 3; undo to slot 2; a command overwrites slot 3.
  Go(kUndo);
  Run(u"other");
  EXPECT_EQ(session.n_cur(), 3);
  EXPECT_EQ(session.n_saved(), Session::kNoEntry);
  EXPECT_FALSE(session.IsSaved());
}

TEST_F(SessionTest, StepsRestoreTheCaretOfEachEntry) {
  SetOriginal(u"original text");
  Run(u"result text");
  session.mutable_box().Select(3, 4);
  session.PushHistory(u"");  // a caret move: stored, nothing reported
  EXPECT_EQ(session.say(), u"cmd");
  EXPECT_EQ(session.n_cur(), 0);
  Go(kUndo);
  EXPECT_EQ(session.box().sel_start(), 0);
  Go(kRedo);
  EXPECT_EQ(session.box().sel_start(), 3);
  EXPECT_EQ(session.box().sel_length(), 4);
}

TEST_F(SessionTest, FrameRefusesTooLongResults) {
  SetOriginal(u"abc");
  Run(Text(16384, u'x'), u"GB--Big5");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0], u"GB--Big5 失败~ 结果文本过长");
  EXPECT_EQ(Shown(), u"abc");
  Run(Text(16383, u'x'));
  EXPECT_EQ(Shown().size(), 16383u);
}

TEST_F(SessionTest, FrameShowsUnchangedForAnEmptyResult) {
  SetOriginal(u"abc");
  Run(u"");
  EXPECT_EQ(session.say(), kUnchanged);
  EXPECT_EQ(session.n_cur(), -1);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(SessionTest, FrameOnASelection) {
  SetOriginal(u"0123456789");
  session.Select(2, 3);
  Text seen;
  session.RunStep(qor::Step{u"up",
                            [&seen](TextView s) {
                              seen = Text(s);
                              return Text(u"[").append(s).append(u"]");
                            },
                            {Source::kSelection}});
  EXPECT_EQ(seen, u"234");
  EXPECT_EQ(Shown(), u"01[234]56789");
  EXPECT_EQ(session.box().sel_start(), 2);
  EXPECT_EQ(session.box().sel_length(), 5);
  EXPECT_EQ(session.say(), u"up");
}

TEST_F(SessionTest, FrameGrowthPreCheck) {
  // 16000 units, 100 selected: room is 16383 - 15900 = 483 < 300? no; 200 selected: 583 < 600.
  SetOriginal(Text(16000, u'a'));
  session.Select(0, 100);
  Run(u"b", u"GB--QP", Source::kSelection, PreCheck::kSelectionGrowth);
  EXPECT_TRUE(ui.Messages().empty());
  SetOriginal(Text(16000, u'a'));
  session.Select(0, 200);
  Run(u"c", u"GB--QP", Source::kSelection, PreCheck::kSelectionGrowth);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0], u"GB--QP 拒绝~ 选取文本过长");
}

TEST_F(SessionTest, FrameSelectionPostCheck) {
  SetOriginal(Text(16000, u'a'));
  session.Select(0, 100);
  Run(Text(484, u'b'), u"X", Source::kSelection);  // 15900 + 484 = 16384
  EXPECT_EQ(ui.Messages().size(), 1u);
  Run(Text(483, u'b'), u"X", Source::kSelection);
  EXPECT_EQ(Shown().size(), 16383u);
}

TEST_F(SessionTest, AStepThatFailsIsUnchanged) {
  SetOriginal(u"abc");
  session.Select(1, 1);
  session.RunStep(qor::Step{
      u"boom", [](TextView) -> Text { throw std::runtime_error("ICU"); }, {Source::kSelection}});
  EXPECT_EQ(Shown(), u"abc");
  EXPECT_EQ(session.say(), kUnchanged);
  EXPECT_EQ(session.n_cur(), -1);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(SessionTest, FrameSelectionOrWholeNeedsTwoSelectedPositions) {
  SetOriginal(u"abcd");
  Text seen;
  const auto step = qor::Step{u"b64",
                              [&seen](TextView s) {
                                seen = Text(s);
                                return Text(u"x");
                              },
                              {Source::kSelectionOrWhole}};
  session.Select(1, 1);
  session.RunStep(step);
  EXPECT_EQ(seen, u"abcd");
  EXPECT_EQ(Shown(), u"x");
  SetOriginal(u"abcd");
  session.Select(1, 2);
  session.RunStep(step);
  EXPECT_EQ(seen, u"bc");
  EXPECT_EQ(Shown(), u"axd");
}

TEST_F(SessionTest, FrameCaretToEndKeepsTheCaret) {
  SetOriginal(u"ab\r\ncd");
  session.Select(1, 0);
  Text seen;
  session.RunStep(qor::Step{u"cut",
                            [&seen](TextView s) {
                              seen = Text(s);
                              return Text(u" Z");
                            },
                            {Source::kCaretToEnd, PreCheck::kTextLength}});
  EXPECT_EQ(seen, u"b\r\ncd");
  EXPECT_EQ(Shown(), u"a Z");
  EXPECT_EQ(session.box().sel_start(), 1);
  EXPECT_EQ(session.box().sel_length(), 0);

  session.Select(3, 0);  // at the end: an empty stretch
  session.RunStep(qor::Step{u"cut", [](TextView s) { return Text(s); }, {Source::kCaretToEnd}});
  EXPECT_EQ(session.say(), kUnchanged);

  SetOriginal(Text(16383, u'a'));
  session.RunStep(qor::Step{u"GB+半字",
                            [](TextView) { return Text(u"x"); },
                            {Source::kCaretToEnd, PreCheck::kTextLength}});
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0], u"GB+半字 拒绝~ 文本过长");
}

TEST_F(SessionTest, LengthAfterInsertCountsLineBreaksAsTwo) {
  SetOriginal(u"ab\r\ncd");
  session.Select(1, 2);  // "b" and CR LF
  EXPECT_EQ(session.LengthAfterInsert(u"xyz"), 6 - 3 + 3);
  session.ReplaceSelection(u"xyz");
  EXPECT_EQ(Shown(), u"axyzcd");
  EXPECT_EQ(session.box().sel_start(), 1);
  EXPECT_EQ(session.box().sel_length(), 3);
}

TEST_F(SessionTest, TitleTail) {
  session.SetTitlePrefix(u"a.txt");
  EXPECT_EQ(session.title(), u"a.txt  ~QOR");
}

}  // namespace
}  // namespace qor
