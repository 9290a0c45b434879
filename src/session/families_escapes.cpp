// Escape decoders of the first decoding menu.

#include "session/caption.h"
#include "session/catalogue.h"

namespace qor {
namespace {

struct EscapeItem {
  std::string_view menu;
  int index;
  const char16_t* caption;
  bool checked;
  Source source;
};

constexpr EscapeItem kEscapeItems[] = {
    {"mnuNumU", 0, u"HTM--U ：如 &&#x53EF; &&#25511; &&ordm;&&Atilde; 英文通顺", true,
     Source::kWholeText},
    {"mnuNumU", 1, u"NumU(1)--U ：如 \\u53EF \\u63A7 \\x28 \\x29 英文通顺", false,
     Source::kWholeText},
    {"mnuNumU", 2, u"NumU(2)--U ：如 %u53EF %u63A7 %28 %29 英文通顺", false, Source::kWholeText},
    {"mnuReadQp", 0, u"URL--GB ：如 work%2Easp%3Fs%3D%B5%E7%C4%D4 英文通顺", true,
     Source::kWholeText},
    {"mnuReadQp", 1, u"URL--Big5 ：同上类似", false, Source::kWholeText},
    {"mnuReadQp", 2, u"URL--UTF8 ：同上类似", false, Source::kWholeText},
    {"mnuReadQp", 4, u"QP--GB ：如 =D6=A7=B3=D6ASCII=C2=EB 英文通顺", true, Source::kWholeText},
    {"mnuReadQp", 5, u"QP--Big5 ：同上类似", false, Source::kWholeText},
    {"mnuReadQp", 6, u"QP--UTF8 ：同上类似", false, Source::kWholeText},
    {"mnuBase64", 0, u"Base64--GB ：如 QVNDSUkgvs3Kx6G 紧密排列.允许选取解码", true,
     Source::kSelectionOrWhole},
    {"mnuBase64", 1, u"Base64--Big5 ：同上类似", false, Source::kSelectionOrWhole},
    {"mnuBase64", 2, u"Base64--UTF8 ：同上类似", false, Source::kSelectionOrWhole},
    {"mnuJieA", 0, u"UTF7--U ：如 +UxdOrA- YES +Ti1XC2- 英文通顺", false, Source::kWholeText},
    {"mnuJieA", 1, u"HZ--GB ：如 ~{V;V'3V~}ASCII~{Bk5DO5M3~} 英文通顺", false, Source::kWholeText},
};

}  // namespace

void AddEscapeFamilies(std::vector<Family>& families) {
  for (const EscapeItem& item : kEscapeItems) {
    families.push_back(FixedFamily({item.menu, item.index, item.caption, item.checked},
                                   CaptionHead(item.caption, kDescriptionDelimiter), nullptr,
                                   item.source));
  }
}

}  // namespace qor
