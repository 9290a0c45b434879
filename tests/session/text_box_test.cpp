#include "session/text_box.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(TextBox, PositionsCountALineBreakAsOne) {
  TextBox box;
  box.SetText(u"ab\r\ncd\ref\ngh");
  EXPECT_EQ(box.length(), 12);
  EXPECT_EQ(box.position_count(), 11);
  EXPECT_EQ(box.ViewText(), u"ab\ncd\nef\ngh");
  const int positions[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const int indices[] = {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  for (int k = 0; k < 12; ++k) {
    EXPECT_EQ(box.ToIndex(positions[k]), indices[k]) << k;
    EXPECT_EQ(box.ToPosition(indices[k]), positions[k]) << k;
  }
}

TEST(TextBox, SelectionIsClampedAndTakesExactUnits) {
  TextBox box;
  box.SetText(u"ab\r\ncd\nef");
  box.Select(1, 3);
  EXPECT_EQ(box.SelectedText(), u"b\r\nc");
  box.Select(6, 100);
  EXPECT_EQ(box.sel_length(), 2);
  EXPECT_EQ(box.SelectedText(), u"ef");
  box.SetSelStart(-5);
  EXPECT_EQ(box.sel_start(), 0);
  box.SetSelStart(100);
  EXPECT_EQ(box.sel_start(), 8);
  EXPECT_EQ(box.sel_length(), 0);
}

TEST(TextBox, ReplacingTheSelectionPutsTheCaretAfterTheNewText) {
  TextBox box;
  box.SetText(u"ab\r\ncd");
  box.Select(1, 2);  // "b" and the line break
  box.ReplaceSelectedText(u"X\r\nY");
  EXPECT_EQ(box.text(), u"aX\r\nYcd");
  EXPECT_EQ(box.sel_start(), 4);
  EXPECT_EQ(box.sel_length(), 0);
  box.SetText(u"new");
  EXPECT_EQ(box.sel_start(), 0);
}

}  // namespace
}  // namespace qor
