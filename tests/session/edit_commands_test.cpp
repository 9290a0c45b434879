#include "session/edit_commands.h"

#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace qor {
namespace {

class EditCommandsTest : public SessionFixture<> {
 protected:
  std::pair<int, int> Selection() const {
    return {session.box().sel_start(), session.box().sel_length()};
  }
};

TEST_F(EditCommandsTest, FindsForwardAndBackward) {
  SetOriginal(u"abcabc");
  session.set_seek_key(u"bc");
  const struct {
    int direction;
    std::pair<int, int> selection;
    int beeps;
  } steps[] = {
      {kFindForward, {1, 2}, 0},  {kFindForward, {4, 2}, 0},  {kFindForward, {4, 2}, 1},
      {kFindBackward, {1, 2}, 1}, {kFindBackward, {1, 2}, 2},
  };
  for (const auto& step : steps) {
    SeekAgain(session, step.direction);
    EXPECT_EQ(Selection(), step.selection);
    EXPECT_EQ(ui.beeps, step.beeps);
  }
  // The found selection is stored in the current entry.
  session.StepHistory(kUndo);
  EXPECT_EQ(Selection(), std::make_pair(1, 2));
}

TEST_F(EditCommandsTest, FindEdgeCases) {
  SetOriginal(u"abc");
  EXPECT_FALSE(FindText(session, u"a", kFindBackward));  // caret at 0: nothing before it
  EXPECT_FALSE(FindText(session, u"ABC", kFindFirst));   // case-sensitive
  EXPECT_FALSE(FindText(session, u"", kFindFirst));
  EXPECT_FALSE(FindText(session, u"a", 7));
  EXPECT_EQ(ui.beeps, 4);

  // A key spanning a line break, typed with CR LF, is found in CR LF, CR and LF text.
  for (const Text& text : {Text(u"x\r\nab\r\ncd"), Text(u"x\nab\ncd"), Text(u"x\rab\rcd")}) {
    SetOriginal(text);
    ui.inputs = {Text(u"b\r\nc")};
    SeekNew(session);
    EXPECT_EQ(Selection(), std::make_pair(3, 3)) << Show(text);
    EXPECT_EQ(session.seek_key(), u"b\nc");
  }
}

TEST_F(EditCommandsTest, ReplacesEveryOccurrence) {
  SetOriginal(u"banana");
  session.Select(1, 1);
  ui.inputs = {Text(u"o")};
  ReplaceAll(session);
  EXPECT_EQ(session.box().text(), u"bonono");
  EXPECT_EQ(Selection(), std::make_pair(1, 1));
  EXPECT_EQ(session.say(), u"字串替换");
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].title, u"替换子字串");
  EXPECT_EQ(ui.shown[0].text, u"a");

  session.Select(1, 1);
  ui.inputs = {Text(u"o")};
  ReplaceAll(session);
  EXPECT_EQ(session.say(), u"未改动~ 新旧子字串相同");
  EXPECT_EQ(session.box().text(), u"bonono");
}

TEST_F(EditCommandsTest, ReplaceRetriesAfterATooLongResult) {
  SetOriginal(Text(8000, u'a') + u"\r\n" + Text(8000, u'b'));
  session.Select(0, 1);
  ui.inputs = {Text(u"aaa"), std::nullopt};
  ReplaceAll(session);
  EXPECT_EQ(ui.Messages(), std::vector<Text>{u"替换 失败~ 结果文本过长"});
  ASSERT_EQ(ui.shown.size(), 3u);
  EXPECT_EQ(ui.shown[2].text, u"<clear>");
  EXPECT_EQ(session.box().length(), 16002);

  // A replacement with a line break selects it as one position.
  session.Select(8000, 1);
  ui.inputs = {Text(u"-\r\n-")};
  ReplaceAll(session);
  EXPECT_EQ(session.box().text().substr(7998, 8), u"aa-\r\n-bb");
  EXPECT_EQ(Selection(), std::make_pair(8000, 3));
}

// The input box gives its line breaks as CR LF; typed text takes the line breaks of the text it
// goes into, so an LF or CR text keeps its own.
TEST_F(EditCommandsTest, TypedTextTakesTheLineBreaksOfTheText) {
  for (const Text& br : {Text(u"\n"), Text(u"\r"), Text(u"\r\n")}) {
    const Text text = u"x a" + br + u"b y a" + br + u"b";
    SetOriginal(text);
    session.Select(2, 3);
    ui.inputs = {Text(u"a\r\nb")};  // unchanged
    ReplaceAll(session);
    EXPECT_EQ(session.say(), u"未改动~ 新旧子字串相同") << Show(br);
    EXPECT_EQ(session.box().text(), text);
    EXPECT_EQ(session.n_cur(), -1);

    session.Select(2, 3);
    ui.inputs = {Text(u"c\r\nd")};
    ReplaceAll(session);
    EXPECT_EQ(session.box().text(), u"x c" + br + u"d y c" + br + u"d") << Show(br);

    SetOriginal(u"p" + br + u"q");
    ui.inputs = {Text(u"1\r\n2")};
    InsertText(session, 1);
    InsertText(session, 4);
    EXPECT_EQ(session.box().text(), u"1" + br + u"2" + br + u"p" + br + u"q") << Show(br);
  }
  // A text without line breaks gets CR LF.
  SetOriginal(u"ab");
  session.Select(1, 0);
  InsertText(session, 4);
  EXPECT_EQ(session.box().text(), u"a\r\nb");
}

TEST_F(EditCommandsTest, InsertItems) {
  const struct {
    int index;
    Text result;
    Text label;
  } cases[] = {
      {0,
       u"a"
       u"d",
       u"删除"},
      {1, u"aXYd", u"插入"},
      {2, u"a d", u"空格"},
      {3, u"a\td", u"跳格"},
      {4, u"a\r\nd", u"换行"},
  };
  for (const auto& c : cases) {
    SetOriginal(u"abcd");
    session.Select(1, 2);
    ui.inputs = {Text(u"XY")};
    InsertText(session, c.index);
    EXPECT_EQ(session.box().text(), c.result) << c.index;
    EXPECT_EQ(session.box().sel_length(), 0);
    EXPECT_EQ(session.say(), c.label);
  }
  SetOriginal(u"abcd");
  InsertText(session, 0);  // nothing selected: delete does nothing
  EXPECT_EQ(session.n_cur(), -1);
  InsertText(session, 2);  // space at the caret
  EXPECT_EQ(session.box().text(), u" abcd");

  SetOriginal(Text(16383, u'a'));
  InsertText(session, 4);
  EXPECT_EQ(ui.Messages().back(), u"改动 失败~ 结果文本过长");
}

TEST_F(EditCommandsTest, SaysTheCodesOfOneCharacter) {
  const struct {
    Text text;
    Text said;
  } cases[] = {
      {u"可", u"\"可\" U=53EF GB=BFC9"},      {u"A", u"\"A\" U=41 GB=41"},
      {u"\r\nx", u"\" \" U=D GB=D"},          {u"\u20AC", u"\"\u20AC\" U=20AC GB=80"},
      {u"\u0E01", u"\"\u0E01\" U=E01 GB=3F"},
  };
  for (const auto& c : cases) {
    SetOriginal(c.text);
    SayCode(session);
    EXPECT_EQ(session.say(), c.said);
    EXPECT_EQ(session.box().sel_length(), 1);
  }
  session.Select(session.box().position_count(), 0);
  session.SetSay(u"before");
  SayCode(session);
  EXPECT_EQ(session.say(), u"before");
}

}  // namespace
}  // namespace qor
