#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include "catalogue/step_runner.h"
#include "codepage/selector_tables.h"
#include "platform/codepage_service.h"
#include "support/test_support.h"

namespace qor {
namespace {

Text Apply(TextView label, TextView text) {
  const std::optional<Step> step = Catalogue::Get().Find(label);
  EXPECT_TRUE(step) << Show(label);
  return step ? RunStep(*step, text).result : Text(u"<unknown>");
}

TEST(Catalogue, SecondDecodingMenu) {
  const std::vector<const Family*> items = Catalogue::Get().MenuFamilies("mnuChgA2B");
  const Text labels[] = {u"GB--Big5", u"GB--日文",   u"GB--韩文",  u"GB--俄文", u"GB--UTF8",
                         u"Big5--GB", u"Big5--韩文", u"日文--GB",  u"韩文--GB", u"俄文--GB",
                         u"Eng--GB",  u"Eng--Big5",  u"Eng--UTF8", u"ULE--UBE"};
  const int indices[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 12, 13, 14, 15};
  ASSERT_EQ(items.size(), 14u);
  for (std::size_t k = 0; k < items.size(); ++k) {
    EXPECT_EQ(items[k]->grammar, labels[k]);
    EXPECT_EQ(items[k]->item->index, indices[k]);
    EXPECT_EQ(items[k]->item->caption.substr(0, labels[k].size() + 2), labels[k] + u" ：");
    EXPECT_EQ(Catalogue::Get().Find(labels[k])->label, labels[k]);
  }
  EXPECT_EQ(items[4]->item->caption, u"GB--UTF8 ：英文通顺,中文不通,稍密,间有 € ,或开头有 锘");
  const bool checked[] = {true,  false, false, false, true,  true,  false,
                          false, false, false, true,  false, false, false};
  for (std::size_t k = 0; k < items.size(); ++k) EXPECT_EQ(items[k]->item->checked, checked[k]);
  EXPECT_EQ(Catalogue::Get().FindItem("mnuChgA2B", 5), nullptr);  // a separator
}

TEST(Catalogue, TypedAndNamedPairs) {
  EXPECT_EQ(Apply(u"LCID: (1033)--(2052)", T("ÖÐÎÄ")), Apply(u"Eng--GB", T("ÖÐÎÄ")));
  EXPECT_EQ(Apply(u"LCID: (-2)--(-3)", u"AB"), u"\u4100\u4200");
  EXPECT_EQ(Apply(u"Code Page: (936)--(65001)", T("锘緼")), u"A");
  EXPECT_EQ(Apply(u"Code Page: (-2)--(-2)", u"ab"), u"ab");
  EXPECT_EQ(Apply(u"Latin1--UTF8", T("Ã©")), u"é");
  EXPECT_EQ(Apply(u"日文--GB", u"abc"), u"abc");
  EXPECT_EQ(Apply(u"中文简(GBK) -- 西欧(Windows)", u"中文"), T("ÖÐÎÄ"));
  EXPECT_EQ(Apply(u"(=) -- (=)", u"ab"), u"ab");

  // Only the exact forms the dialogs write.
  for (const Text& label :
       {Text(u"LCID: (+1033)--(2052)"), Text(u"LCID: (01033)--(2052)"),
        Text(u"LCID: ( 1033)--(2052)"), Text(u"LCID: (1033)--(2052"), Text(u"lcid: (1)--(2)"),
        Text(u"LCID: (99999999999)--(1)"), Text(u"LCID: ()--(1)"), Text(u"Code Page: (1)-(2)"),
        Text(u"GB--"), Text(u"--GB"), Text(u"gb--big5"), Text(u"中文简(GBK)--西欧(Windows)"),
        Text(u"GB -- Big5"), Text(u"")}) {
    EXPECT_FALSE(Catalogue::Get().Find(label)) << Show(label);
  }
  EXPECT_TRUE(Catalogue::Get().Find(u"LCID: (-2147483648)--(2147483647)"));
}

TEST(Catalogue, ReinterpretationsReportWhatTheyLose) {
  // Each loses on one of the program's own sides: GBK bytes are no UTF-8, five bytes make no
  // UTF-16, Latin1 cannot hold Han.
  for (const Text& label : {Text(u"GB--UTF8"), Text(u"LCID: (2052)--(-4)"), Text(u"Latin1--GB"),
                            Text(u"中文简(GBK) -- (=)"), Text(u"Code Page: (936)--(-2)")}) {
    const std::optional<Step> step = Catalogue::Get().Find(label);
    ASSERT_TRUE(step) << Show(label);
    ConversionCounts counts;
    const Text text = T("乱码A");
    const Text result = step->function(text, counts);
    EXPECT_EQ(RunStep(*step, text).result, result) << Show(label);
    EXPECT_GT(counts.substituted + counts.invalid, 0u) << Show(label);
  }
}

TEST(SelectorTables, HoldTheDialogsEntries) {
  const auto& code_pages = CodePageTable();
  ASSERT_EQ(code_pages.size(), 42u);
  EXPECT_EQ(code_pages[0].name, u"中文简(GBK)");
  EXPECT_EQ(code_pages[0].value, 936);
  EXPECT_EQ(code_pages[20].name, u"OEM 美国");
  EXPECT_EQ(code_pages[39].name, u"(=)");
  EXPECT_EQ(code_pages[39].value, -2);
  EXPECT_EQ(code_pages[41].value, 65001);
  const auto& lcids = LcidTable();
  ASSERT_EQ(lcids.size(), 15u);
  EXPECT_EQ(lcids[10].name, u"希伯莱文");
  EXPECT_EQ(lcids[10].value, 1037);
  EXPECT_EQ(lcids[14].name, u"UTF8");
  EXPECT_EQ(lcids[14].value, -4);
  EXPECT_EQ(ParseInt32(u" -12 "), -12);
  EXPECT_EQ(ParseInt32(u"2147483648"), std::nullopt);
  EXPECT_EQ(ParseInt32(u"-2147483648"), -2147483648LL);
  EXPECT_EQ(ParseInt32(u"1 2"), std::nullopt);
  EXPECT_EQ(ParseInt32(u"-"), std::nullopt);
}

}  // namespace
}  // namespace qor
