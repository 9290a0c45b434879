#include "session/window_layout.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(WindowLayout, TwipsAndPixels) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);
  EXPECT_EQ(TwipsToPixels(15, 96), 1);
  EXPECT_EQ(TwipsToPixels(11355, 96), 757);
  EXPECT_EQ(TwipsToPixels(650, 96), 43);
  EXPECT_EQ(TwipsToPixels(1440, 144), 144);  // scaled with the screen
  EXPECT_EQ(PixelsToTwips(757, 96), 11355);
  EXPECT_EQ(PixelsToTwips(10, 0), 0);
}

TEST(WindowLayout, TextSizeFollowsTheClientAreaWhileThereIsRoom) {
  const TwipSize current{5000, 4000};
  struct Case {
    TwipSize client;
    TwipSize expected;
  };
  const Case cases[] = {
      {{11355, 7635}, {11155, 6885}}, {{201, 751}, {1, 1}},
      {{200, 750}, {5000, 4000}},  // no room: the last size stays
      {{200, 751}, {5000, 1}},        {{201, 750}, {1, 4000}},
      {{0, 0}, {5000, 4000}},         {{-5, 20000}, {5000, 19250}},
  };
  for (const Case& c : cases) {
    const TwipSize size = TextSizeAfterResize(c.client, current);
    EXPECT_EQ(size.width, c.expected.width) << c.client.width << "x" << c.client.height;
    EXPECT_EQ(size.height, c.expected.height) << c.client.width << "x" << c.client.height;
  }
}

}  // namespace
}  // namespace qor
