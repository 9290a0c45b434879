// Commands of the third decoding menu: half-character cut, ISO-2022 escapes, and the selected
// reinterpretations that ask for their pair first.

#include "session/caption.h"
#include "session/catalogue.h"

namespace qor {
namespace {

struct ThirdMenuItem {
  std::string_view menu;
  int index;
  const char16_t* caption;
  bool checked;
};

constexpr ThirdMenuItem kThirdMenuItems[] = {
    {"mnuCutaByte", 0, u"GB+半字 ：英文通顺,部分中文通顺.建议光标放在乱码开头", true},
    {"mnuCutaByte", 1, u"U+半字 ：前半通顺,后半不通,多韩文,方框和空格", false},
    {"mnuCutaByte", 2, u"LCID+半字 ：键入 语文区号 [Ctrl+F3] …", false},
    {"mnu2022", 0, u"Esc+中文(ISO-2022) ：同下类似, 标志 $)A $)G", false},
    {"mnu2022", 1, u"Esc+日文(ISO-2022) ：如 $B$R$H$?$S 英文通顺, 标志 $B (B", true},
    {"mnu2022", 2, u"Esc+韩文(ISO-2022) ：同上类似, 标志 $)C", false},
    {"mnuAskA2B", 0, u"Trans--LCID ：选择 转换格式--语文名称 [F7] …", false},
    {"mnuAskA2B", 1, u"LCID--LCID ：选择语文名称 或 键入语文区号 [F8] …", false},
    {"mnuAskA2B", 2, u"CP--CP ：选择字符集 或 键入代码页 [Ctrl+F8] …", false},
};

}  // namespace

void AddThirdMenuFamilies(std::vector<Family>& families) {
  for (const ThirdMenuItem& item : kThirdMenuItems) {
    families.push_back(FixedFamily({item.menu, item.index, item.caption, item.checked},
                                   CaptionHead(item.caption, kDescriptionDelimiter), nullptr));
  }
}

}  // namespace qor
