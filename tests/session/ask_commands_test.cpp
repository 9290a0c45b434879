#include "session/ask_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/escape_transforms.h"
#include "codepage/conversions.h"
#include "codepage/half_character.h"
#include "codepage/reinterpret.h"
#include "support/test_support.h"

namespace qor {
namespace {

// Records the default answer of the one-line prompt too.
class PromptUi : public ScriptedUi {
 public:
  std::optional<Text> AskLine(TextView prompt, TextView title, TextView initial) override {
    defaults.push_back(Text(initial));
    return ScriptedUi::AskLine(prompt, title, initial);
  }
  std::vector<Text> defaults;
};

class AskCommandsTest : public ::testing::Test {
 protected:
  void SetOriginal(TextView text) {
    session.SetText(Text(text));
    session.ResetHistory(u"original");
  }
  const Text& Shown() const { return session.box().text(); }
  // The text, label, selection and history, to show that a command changed nothing.
  std::vector<Text> State() const {
    const TextBox& box = session.box();
    return {box.text(), session.say(), Text(1, char16_t(box.sel_start())),
            Text(1, char16_t(box.sel_length())), Text(1, char16_t(session.n_cur() + 1))};
  }

  PromptUi ui;
  Session session{ui};
};

TEST_F(AskCommandsTest, CodePagePairConvertsUnderItsLabel) {
  SetOriginal(T("锘緼"));
  ui.code_page_pairs.push_back(PairChoice{936, 65001, u"Code Page: (936)--(65001)"});
  AskAndReinterpret(session, 2);
  EXPECT_EQ(Shown(), u"A");
  EXPECT_EQ(session.say(), u"Code Page: (936)--(65001)");
  EXPECT_EQ(session.EntryLabel(0), u"Code Page: (936)--(65001)");
}

TEST_F(AskCommandsTest, OwnUtf16OnBothSidesOnlyDropsAMarkAndZeros) {
  SetOriginal(u"plain");
  ui.code_page_pairs.push_back(PairChoice{-2, -2, u"(=) -- (=)"});
  AskAndReinterpret(session, 2);
  EXPECT_EQ(session.say(), u"新旧文本相同");
  EXPECT_EQ(session.n_cur(), -1);

  SetOriginal(Text(u"\uFEFFa\0b", 4));
  ui.code_page_pairs.push_back(PairChoice{-2, -2, u"(=) -- (=)"});
  AskAndReinterpret(session, 2);
  EXPECT_EQ(Shown(), u"a b");
  EXPECT_EQ(session.say(), u"(=) -- (=)");
}

TEST_F(AskCommandsTest, LcidPairMatchesTheFixedItemButForTheLabel) {
  const Text garbled = T("ÖÐÎÄ，Ã©");
  SetOriginal(garbled);
  ui.lcid_pairs.push_back(PairChoice{1033, 2052, u"LCID: (1033)--(2052)"});
  AskAndReinterpret(session, 1);
  EXPECT_EQ(Shown(), RunStep(*Catalogue::Get().Find(u"Eng--GB"), garbled).result);
  EXPECT_EQ(Shown().substr(0, 2), u"中文");
  EXPECT_EQ(session.say(), u"LCID: (1033)--(2052)");
}

TEST_F(AskCommandsTest, NoTransformChosenConvertsNothing) {
  SetOriginal(u"%E4%B8%AD");
  ui.transforms.push_back(TransformChoice{-1, 2052, u"--GB"});
  AskAndReinterpret(session, 0);
  EXPECT_EQ(Shown(), u"%E4%B8%AD");
  EXPECT_EQ(session.say(), u"新旧文本相同");
}

TEST_F(AskCommandsTest, TransformDecodesUnderTheChosenLanguage) {
  SetOriginal(u"%E4%B8%AD");
  ui.transforms.push_back(TransformChoice{0, -4, u"URL--UTF8"});
  AskAndReinterpret(session, 0);
  EXPECT_EQ(Shown(), u"中");
  EXPECT_EQ(session.say(), u"URL--UTF8");
  // The dialog's Base64 decodes the whole text, where the menu's decodes a selection.
  SetOriginal(u"5Lit 5paH");
  session.Select(0, 4);
  ui.transforms.push_back(TransformChoice{2, -4, u"Base64--UTF8"});
  AskAndReinterpret(session, 0);
  EXPECT_EQ(Shown(), u"中文");
}

TEST_F(AskCommandsTest, CancellingAnyDialogChangesNothing) {
  SetOriginal(u"text");
  session.SetSay(u"before");
  session.Select(1, 2);
  const auto before = State();
  for (int index = 0; index < 3; ++index) {
    AskAndReinterpret(session, index);  // every queue is empty: each dialog is cancelled
    EXPECT_EQ(State(), before) << index;
  }
  AskAndReinterpret(session, 3);  // no such item
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(AskCommandsTest, EmptyTextGivesUnchangedAfterConfirming) {
  SetOriginal(u"");
  ui.lcid_pairs.push_back(PairChoice{2052, 1028, u"GB--Big5"});
  AskAndReinterpret(session, 1);
  EXPECT_EQ(session.say(), u"未改动");
  ui.code_page_pairs.push_back(PairChoice{936, 950, u"中文简(GBK) -- 中文繁(Big5)"});
  AskAndReinterpret(session, 2);
  EXPECT_EQ(session.say(), u"未改动");
  EXPECT_EQ(session.n_cur(), -1);
}

TEST_F(AskCommandsTest, AFailingConversionGivesUnchanged) {
  SetOriginal(u"abc");
  ui.lcid_pairs.push_back(PairChoice{-5, 2052, u"LCID: (-5)--(2052)"});
  AskAndReinterpret(session, 1);
  EXPECT_EQ(session.say(), u"未改动");
  ui.code_page_pairs.push_back(PairChoice{-1, 936, u"Code Page: (-1)--(936)"});
  AskAndReinterpret(session, 2);
  EXPECT_EQ(session.say(), u"未改动");
  EXPECT_TRUE(ui.shown.empty());
}

TEST_F(AskCommandsTest, AResultOverTheMaximumIsRefused) {
  // UTF-8 bytes shown as Latin-1: each U+4E2D becomes three characters.
  const Text over = Text(5461, u'中') + u"a";  // 16384 characters out
  SetOriginal(over);
  ui.lcid_pairs.push_back(PairChoice{-4, -1, u"UTF8--Latin1"});
  AskAndReinterpret(session, 1);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0], u"UTF8--Latin1 失败~ 结果文本过长");
  EXPECT_EQ(Shown(), over);
  EXPECT_EQ(session.n_cur(), -1);

  SetOriginal(Text(5461, u'中'));  // 16383 characters out
  ui.lcid_pairs.push_back(PairChoice{-4, -1, u"UTF8--Latin1"});
  AskAndReinterpret(session, 1);
  EXPECT_EQ(Shown().size(), 16383u);
  EXPECT_EQ(session.say(), u"UTF8--Latin1");
}

// The position of each caret place in a text with CR LF breaks, found the slow way.
std::vector<std::size_t> CaretIndices(TextView text) {
  std::vector<std::size_t> out{0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == u"\r\n") ++i;
    out.push_back(i + 1);
  }
  return out;
}

// The GBK cut: every unit encoded on its own (GBK is stateless), the first byte dropped.
Text SlowGbCut(TextView rest) {
  Bytes bytes;
  for (const char16_t c : rest)
    bytes += TextToLocaleBytes(Text(1, c), kLcidChineseSimplified).value();
  return Concat(u" ",
                LocaleBytesToText(BytesView(bytes).substr(1), kLcidChineseSimplified).value());
}

// The UTF-16 cut: unit k is the high byte of unit k and the low byte of unit k + 1.
Text SlowUtf16Cut(TextView rest) {
  Text out = u" ";
  for (std::size_t k = 0; k + 1 < rest.size(); ++k) {
    const char16_t unit = (rest[k] >> 8) | ((rest[k + 1] & 0xFF) << 8);
    out += unit == 0 ? u' ' : unit;
  }
  return out;
}

TEST_F(AskCommandsTest, HalfCutAtEveryCaretPosition) {
  const Text text = u"A中文\r\nB乱码x";
  const std::vector<std::size_t> indices = CaretIndices(text);
  ASSERT_EQ(indices.size(), 9u);
  const struct {
    int index;
    Text label;
    Text (*cut)(TextView);
  } items[] = {{0, u"GB+半字", SlowGbCut}, {1, u"U+半字", SlowUtf16Cut}};
  for (const auto& item : items) {
    for (std::size_t position = 0; position < indices.size(); ++position) {
      const TextView before = TextView(text).substr(0, indices[position]);
      const TextView rest = TextView(text).substr(indices[position]);
      SetOriginal(text);
      session.Select(static_cast<int>(position), 0);
      CutHalfCharacterFromCaret(session, item.index);
      if (rest.empty()) {
        EXPECT_EQ(Shown(), text);
        EXPECT_EQ(session.say(), u"未改动");
      } else {
        EXPECT_EQ(Show(Shown()), Show(Text(before) + item.cut(rest)))
            << item.index << " at " << position;
        EXPECT_EQ(session.say(), item.label);
        EXPECT_EQ(session.n_cur(), 0);
      }
      // The caret stays where it was: before the space that stands for the lost half.
      EXPECT_EQ(session.box().sel_start(), static_cast<int>(position));
      EXPECT_EQ(session.box().sel_length(), 0);
    }
  }
}

TEST_F(AskCommandsTest, HalfCutStartsAtTheSelectionStart) {
  SetOriginal(u"xyA中文");
  session.Select(2, 2);
  CutHalfCharacterFromCaret(session, 0);
  EXPECT_EQ(Shown(), u"xy 中文");
  EXPECT_EQ(session.box().sel_start(), 2);
  EXPECT_EQ(session.box().sel_length(), 0);
}

TEST_F(AskCommandsTest, TypedLcidAsksWithTheLabelAndCutsUnderIt) {
  SetOriginal(u"A中文");
  ui.inputs.push_back(Text(u"2052"));
  CutHalfCharacterFromCaret(session, 2);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, u"LCID+半字");
  EXPECT_EQ(ui.shown[0].title, u"键入 LCID");
  EXPECT_EQ(ui.defaults, std::vector<Text>{u"2052"});
  EXPECT_EQ(Shown(), u" 中文");
  EXPECT_EQ(session.say(), u"LCID+半字 (2052)");

  SetOriginal(u"A中文");
  ui.inputs.push_back(Text(u" 1041 "));
  CutHalfCharacterFromCaret(session, 2);
  EXPECT_EQ(session.say(), u"LCID+半字 (1041)");
  EXPECT_EQ(Shown(), CutHalfCharacter(u"A中文", LcidSelector{1041}));
}

TEST_F(AskCommandsTest, TypedLcidFailuresCollapseTheSelection) {
  const std::optional<Text> answers[] = {std::nullopt,        Text(u""),   Text(u"abc"),
                                         Text(u"-1"),         Text(u"-4"), Text(u"12345678"),
                                         Text(u"99999999999")};
  for (const std::optional<Text>& answer : answers) {
    SetOriginal(u"abcdef");
    session.Select(1, 3);
    ui.inputs.push_back(answer);
    CutHalfCharacterFromCaret(session, 2);
    const std::string what = answer ? Show(*answer) : "cancelled";
    EXPECT_EQ(Shown(), u"abcdef") << what;
    EXPECT_EQ(session.say(), u"未改动") << what;
    EXPECT_EQ(session.box().sel_start(), 1) << what;
    EXPECT_EQ(session.box().sel_length(), 0) << what;
    EXPECT_EQ(session.n_cur(), -1) << what;
  }
}

TEST_F(AskCommandsTest, FullTextIsRefusedBeforeAsking) {
  // 16381 letters and a CR LF: 16383 units, though 16382 positions.
  const Text full = Text(16381, u'a') + u"\r\n";
  for (int index = 0; index < 3; ++index) {
    SetOriginal(full);
    ui.shown.clear();
    ui.inputs.push_back(Text(u"2052"));
    CutHalfCharacterFromCaret(session, index);
    ASSERT_EQ(ui.shown.size(), 1u) << index;
    EXPECT_FALSE(ui.shown[0].question);
    const Text heads[] = {u"GB+半字", u"U+半字", u"LCID+半字"};
    EXPECT_EQ(ui.shown[0].text, heads[index] + u" 拒绝~ 文本过长");
    EXPECT_EQ(Shown(), full);
    ui.inputs.clear();
  }
  SetOriginal(Text(16382, u'a'));
  session.Select(16381, 0);
  ui.inputs.push_back(Text(u"2052"));
  CutHalfCharacterFromCaret(session, 2);
  EXPECT_EQ(Shown(), Text(16381, u'a') + u" ");
  EXPECT_EQ(session.say(), u"LCID+半字 (2052)");
}

TEST_F(AskCommandsTest, IsoEscapesThroughTheMenuStep) {
  SetOriginal(u"$B$R$H$?$S(B");
  session.RunStep(*Catalogue::Get().FindItem("mnu2022", 1)->MenuStep());
  EXPECT_EQ(Shown(), u"ひとたび");
  EXPECT_EQ(session.say(), u"Esc+日文(ISO-2022)");
  SetOriginal(u"plain ASCII");
  session.RunStep(*Catalogue::Get().FindItem("mnu2022", 0)->MenuStep());
  EXPECT_EQ(session.say(), u"新旧文本相同");
  SetOriginal(u"");
  session.RunStep(*Catalogue::Get().FindItem("mnu2022", 2)->MenuStep());
  EXPECT_EQ(session.say(), u"未改动");
}

}  // namespace
}  // namespace qor
