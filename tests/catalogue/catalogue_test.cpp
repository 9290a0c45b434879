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

// Every menu item of the catalogue, in menu order: the one place its caption, its history label
// and its check mark at start are written down outside the catalogue itself. Indices missing
// from an array are separators.
struct ExpectedItem {
  std::string_view menu;
  int index;
  Text caption;
  Text label;
  bool checked;
};

const ExpectedItem kExpectedItems[] = {
    {"mnuWnCase", 0, u"转全角 (&D)", u"转全角", false},
    {"mnuWnCase", 1, u"转半角 (&B)", u"转半角", false},
    {"mnuWnCase", 2, u"转简体 (&G)", u"转简体", false},
    {"mnuWnCase", 3, u"转繁体 (&F)", u"转繁体", false},
    {"mnuMake", 0, u"U--HTM(H)", u"U--HTM(H)", false},
    {"mnuMake", 1, u"U--HTM(D)", u"U--HTM(D)", false},
    {"mnuMake", 3, u"GB--QP", u"GB--QP", false},
    {"mnuMake", 4, u"UTF8--QP", u"UTF8--QP", false},
    {"mnuMake", 6, u"GB--Base64", u"GB--Base64", false},
    {"mnuMake", 7, u"UTF8--Base64", u"UTF8--Base64", false},
    {"mnuMake", 9, u"U--UTF7", u"U--UTF7", false},
    {"mnuMake", 10, u"GB--HZ", u"GB--HZ", false},
    {"mnuNumU", 0, u"HTM--U ：如 &&#x53EF; &&#25511; &&ordm;&&Atilde; 英文通顺", u"HTM--U", true},
    {"mnuNumU", 1, u"NumU(1)--U ：如 \\u53EF \\u63A7 \\x28 \\x29 英文通顺", u"NumU(1)--U", false},
    {"mnuNumU", 2, u"NumU(2)--U ：如 %u53EF %u63A7 %28 %29 英文通顺", u"NumU(2)--U", false},
    {"mnuReadQp", 0, u"URL--GB ：如 work%2Easp%3Fs%3D%B5%E7%C4%D4 英文通顺", u"URL--GB", true},
    {"mnuReadQp", 1, u"URL--Big5 ：同上类似", u"URL--Big5", false},
    {"mnuReadQp", 2, u"URL--UTF8 ：同上类似", u"URL--UTF8", false},
    {"mnuReadQp", 4, u"QP--GB ：如 =D6=A7=B3=D6ASCII=C2=EB 英文通顺", u"QP--GB", true},
    {"mnuReadQp", 5, u"QP--Big5 ：同上类似", u"QP--Big5", false},
    {"mnuReadQp", 6, u"QP--UTF8 ：同上类似", u"QP--UTF8", false},
    {"mnuBase64", 0, u"Base64--GB ：如 QVNDSUkgvs3Kx6G 紧密排列.允许选取解码", u"Base64--GB", true},
    {"mnuBase64", 1, u"Base64--Big5 ：同上类似", u"Base64--Big5", false},
    {"mnuBase64", 2, u"Base64--UTF8 ：同上类似", u"Base64--UTF8", false},
    {"mnuJieA", 0, u"UTF7--U ：如 +UxdOrA- YES +Ti1XC2- 英文通顺", u"UTF7--U", false},
    {"mnuJieA", 1, u"HZ--GB ：如 ~{V;V'3V~}ASCII~{Bk5DO5M3~} 英文通顺", u"HZ--GB", false},
    {"mnuChgA2B", 0, u"GB--Big5 ：英文通顺,中文不通,排列不紧密,多日文", u"GB--Big5", true},
    {"mnuChgA2B", 1, u"GB--日文 ：英文通顺,中文不通,多单人旁,句中 丄,句尾 丅", u"GB--日文", false},
    {"mnuChgA2B", 2, u"GB--韩文 ：英文通顺,中文不通,多简体字,隔几字有一空格", u"GB--韩文", false},
    {"mnuChgA2B", 3, u"GB--俄文 ：英文通顺,中文不通,稍密,间有问号", u"GB--俄文", false},
    {"mnuChgA2B", 4, u"GB--UTF8 ：英文通顺,中文不通,稍密,间有 € ,或开头有 锘", u"GB--UTF8", true},
    {"mnuChgA2B", 6, u"Big5--GB ：英文通顺,中文不通,句中有ㄛ﹜ㄩ,句尾有﹝", u"Big5--GB", true},
    {"mnuChgA2B", 7, u"Big5--韩文 ：英文通顺,中文不通,多繁体字,隔几字有一空格", u"Big5--韩文",
     false},
    {"mnuChgA2B", 8, u"日文--GB ：英文通顺,中文不通,繁体,多半角日文片假名", u"日文--GB", false},
    {"mnuChgA2B", 9, u"韩文--GB ：英文通顺,中文不通,繁体,多繁复韩文", u"韩文--GB", false},
    {"mnuChgA2B", 10, u"俄文--GB ：英文通顺,无中文,多变形附点的俄文字母", u"俄文--GB", false},
    {"mnuChgA2B", 12, u"Eng--GB ：英文通顺,无中文,多变形附点的拉丁字母", u"Eng--GB", true},
    {"mnuChgA2B", 13, u"Eng--Big5 ：同上类似", u"Eng--Big5", false},
    {"mnuChgA2B", 14, u"Eng--UTF8 ：同上类似,而且多方框", u"Eng--UTF8", false},
    {"mnuChgA2B", 15, u"ULE--UBE ：全文不通,多方框,兼有空格和韩文", u"ULE--UBE", false},
    {"mnuCutaByte", 0, u"GB+半字 ：英文通顺,部分中文通顺.建议光标放在乱码开头", u"GB+半字", true},
    {"mnuCutaByte", 1, u"U+半字 ：前半通顺,后半不通,多韩文,方框和空格", u"U+半字", false},
    {"mnuCutaByte", 2, u"LCID+半字 ：键入 语文区号 [Ctrl+F3] …", u"LCID+半字", false},
    {"mnu2022", 0, u"Esc+中文(ISO-2022) ：同下类似, 标志 $)A $)G", u"Esc+中文(ISO-2022)", false},
    {"mnu2022", 1, u"Esc+日文(ISO-2022) ：如 $B$R$H$?$S 英文通顺, 标志 $B (B",
     u"Esc+日文(ISO-2022)", true},
    {"mnu2022", 2, u"Esc+韩文(ISO-2022) ：同上类似, 标志 $)C", u"Esc+韩文(ISO-2022)", false},
    {"mnuAskA2B", 0, u"Trans--LCID ：选择 转换格式--语文名称 [F7] …", u"Trans--LCID", false},
    {"mnuAskA2B", 1, u"LCID--LCID ：选择语文名称 或 键入语文区号 [F8] …", u"LCID--LCID", false},
    {"mnuAskA2B", 2, u"CP--CP ：选择字符集 或 键入代码页 [Ctrl+F8] …", u"CP--CP", false},
};

TEST(Catalogue, MenuItemsCaptionsLabelsAndCheckMarks) {
  // The catalogue's items, array by array in the order of the table.
  std::vector<const Family*> shown;
  for (std::size_t k = 0; k < std::size(kExpectedItems); ++k) {
    const std::string_view menu = kExpectedItems[k].menu;
    if (k > 0 && kExpectedItems[k - 1].menu == menu) continue;
    for (const Family* family : Catalogue::Get().MenuFamilies(menu)) shown.push_back(family);
  }
  std::size_t items = 0;
  for (const Family& family : Catalogue::Get().families()) items += family.item.has_value();
  EXPECT_EQ(items, shown.size());  // no array is missing from the table
  ASSERT_EQ(shown.size(), std::size(kExpectedItems));
  for (std::size_t k = 0; k < shown.size(); ++k) {
    const Family& family = *shown[k];
    const ExpectedItem& expected = kExpectedItems[k];
    EXPECT_EQ(family.item->menu, expected.menu) << Show(expected.label);
    EXPECT_EQ(family.item->index, expected.index) << Show(expected.label);
    EXPECT_EQ(family.item->caption, expected.caption) << Show(expected.label);
    EXPECT_EQ(family.grammar, expected.label);
    EXPECT_EQ(family.item->checked, expected.checked) << Show(expected.label);
    // A command that runs without asking is found by its label.
    if (family.MenuStep()) {
      EXPECT_EQ(Catalogue::Get().Find(expected.label)->label, expected.label);
    }
  }
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
