#include <QAction>
#include <QMenu>

#include "main_window_test_support.h"
#include "qt_platform/settings_store.h"

namespace qor {
namespace {

class ViewSettingsTest : public MainWindowTest {
 protected:
  void Store(TextView key, TextView value) { ASSERT_TRUE(WriteSetting(u"Picks", key, value)); }
  // A new window that reads the store, with its View menu opened.
  void Reopen() {
    window.reset();
    Open();
    emit window->Menu("mnuLooks")->aboutToShow();
  }
  std::string Caption(const char* name) const { return Utf8(window->Item(name)->text()); }
  bool Checked(const char* name) const { return window->Item(name)->isChecked(); }
};

TEST_F(ViewSettingsTest, FirstStartWithoutStoredSettings) {
  Reopen();
  EXPECT_TRUE(window->word_wrap());
  EXPECT_EQ(window->font_name(), u"宋体");
  EXPECT_EQ(window->font_size(), 12);
  EXPECT_TRUE(Checked("mnuHScr"));
  EXPECT_EQ(Caption("mnuFont0"), "宋体");
  EXPECT_TRUE(Checked("mnuFont0"));
  EXPECT_EQ(Caption("mnuSize0"), "12");
  EXPECT_TRUE(Checked("mnuSize0"));
}

TEST_F(ViewSettingsTest, StoredValuesAreConvertedOneByOne) {
  struct Case {
    const char16_t* word_wrap;
    const char16_t* font_size;
    bool wrap;
    double size;
    const char* size_caption;
  };
  const Case cases[] = {
      {u"False", u"10.5", false, 10.5, "10"},  // halves round to even
      {u"abc", u"11.5", true, 11.5, "12"},     // a text that is no Boolean leaves wrap on
      {u"true", u"abc", true, 12, "12"},
      {u"0", u"0", false, 12, "12"},  // a size the control refuses is ignored
      {u"False", u"100000", false, 12, "12"},
      {u"True", u" 16 ", true, 16, "16"},
  };
  for (const Case& c : cases) {
    Store(u"WordWrap", c.word_wrap);
    Store(u"FontSize", c.font_size);
    Reopen();
    EXPECT_EQ(window->word_wrap(), c.wrap) << Show(c.word_wrap);
    EXPECT_EQ(Checked("mnuHScr"), c.wrap) << Show(c.word_wrap);
    EXPECT_EQ(window->font_size(), c.size) << Show(c.font_size);
    EXPECT_EQ(Caption("mnuSize0"), c.size_caption) << Show(c.font_size);
    EXPECT_EQ(window->font_name(), u"宋体");
  }
}

TEST_F(ViewSettingsTest, MenuChoicesActAtOnceAndAreStoredAtUnload) {
  window->Item("mnuHScr")->trigger();
  EXPECT_FALSE(window->word_wrap());
  window->Item("mnuFont", 1)->trigger();
  EXPECT_EQ(window->font_name(), u"Courier New");
  EXPECT_EQ(TextControl()->font().families().value(0), "Courier New");
  window->Item("mnuSize", 3)->trigger();
  EXPECT_EQ(window->font_size(), 16);
  EXPECT_EQ(TextControl()->font().pointSizeF(), 16);
  emit window->Menu("mnuLooks")->aboutToShow();
  EXPECT_FALSE(window->Item("mnuHScr")->isChecked());
  EXPECT_EQ(Caption("mnuFont0"), "Courier New");
  EXPECT_EQ(Caption("mnuSize0"), "16");
  EXPECT_TRUE(Checked("mnuFont0"));
  window->Item("mnuFont0")->trigger();  // shows the current font; no action, mark stays
  EXPECT_TRUE(Checked("mnuFont0"));

  ASSERT_TRUE(window->close());
  EXPECT_EQ(ReadSetting(u"Picks", u"WordWrap"), u"False");
  EXPECT_EQ(ReadSetting(u"Picks", u"FontName"), u"Courier New");
  EXPECT_EQ(ReadSetting(u"Picks", u"FontSize"), u"16");
  Reopen();
  EXPECT_FALSE(window->word_wrap());
  EXPECT_EQ(window->font_name(), u"Courier New");
  EXPECT_EQ(window->font_size(), 16);

  window->Item("mnuHScr")->trigger();
  EXPECT_TRUE(window->word_wrap());
  emit window->Menu("mnuLooks")->aboutToShow();
  EXPECT_TRUE(Checked("mnuHScr"));
}

TEST_F(ViewSettingsTest, FontNamesRoundTripAndKeepTheirAmpersands) {
  Store(u"FontName", u"A&B Sans");
  Store(u"FontSize", u"9.75");
  Reopen();
  EXPECT_EQ(window->font_name(), u"A&B Sans");
  EXPECT_EQ(Caption("mnuFont0"), "A&&B Sans");  // shown as "A&B Sans", not as an access key
  EXPECT_EQ(Caption("mnuSize0"), "10");
  window->SaveSettings();
  EXPECT_EQ(ReadSetting(u"Picks", u"FontName"), u"A&B Sans");
  EXPECT_EQ(ReadSetting(u"Picks", u"FontSize"), u"9.75");
  Store(u"FontName", u"");
  Reopen();
  EXPECT_EQ(window->font_name(), u"宋体");  // refused
  EXPECT_EQ(ReadSetting(u"Picks", u"Missing"), std::nullopt);
}

}  // namespace
}  // namespace qor
