// Escape decoders of the first decoding menu: numeric references and entities, URL and
// quoted-printable, Base64, UTF-7 and HZ, each under the byte interpretation its label names.

#include "catalogue/caption.h"
#include "catalogue/catalogue.h"
#include "catalogue/escape_transforms.h"
#include "codecs/hz.h"
#include "codecs/numeric_references.h"
#include "codecs/utf7.h"
#include "codepage/selectors.h"

namespace qor {
namespace {

struct EscapeItem {
  std::string_view menu;
  int index;
  const char16_t* caption;
  bool checked;
  Transform transform;
  Source source = Source::kWholeText;
  // URL escapes, references and UTF-7 runs end at a line break; a quoted-printable soft break
  // and HZ's "~" before a line break join lines, and Base64 runs across them.
  Cut cut = Cut::kAfterLineFeed;
};

Transform NumericReferences(int mode) {
  return [mode](TextView text) { return DecodeNumericReferences(text, mode); };
}

// URL, QP or Base64 (the menu always reads the standard alphabet), as the transform selector
// runs them.
enum EscapeIndex { kUrl = 0, kQp = 1, kBase64 = 2 };
Transform Escapes(EscapeIndex index, LcidSelector selector) {
  return [index, selector](TextView text) {
    return DecodeEscapes(EscapeTransforms()[index], text, selector);
  };
}

}  // namespace

void AddEscapeFamilies(std::vector<Family>& families) {
  const EscapeItem items[] = {
      {"mnuNumU", 0, u"HTM--U ：如 &&#x53EF; &&#25511; &&ordm;&&Atilde; 英文通顺", true,
       NumericReferences(kHtmlReferences)},
      {"mnuNumU", 1, u"NumU(1)--U ：如 \\u53EF \\u63A7 \\x28 \\x29 英文通顺", false,
       NumericReferences(kBackslashReferences)},
      {"mnuNumU", 2, u"NumU(2)--U ：如 %u53EF %u63A7 %28 %29 英文通顺", false,
       NumericReferences(kPercentReferences)},
      {"mnuReadQp", 0, u"URL--GB ：如 work%2Easp%3Fs%3D%B5%E7%C4%D4 英文通顺", true,
       Escapes(kUrl, kLcidChineseSimplified)},
      {"mnuReadQp", 1, u"URL--Big5 ：同上类似", false, Escapes(kUrl, kLcidChineseTraditional)},
      {"mnuReadQp", 2, u"URL--UTF8 ：同上类似", false, Escapes(kUrl, kLcidUtf8)},
      {"mnuReadQp", 4, u"QP--GB ：如 =D6=A7=B3=D6ASCII=C2=EB 英文通顺", true,
       Escapes(kQp, kLcidChineseSimplified), Source::kWholeText, Cut::kNowhere},
      {"mnuReadQp", 5, u"QP--Big5 ：同上类似", false, Escapes(kQp, kLcidChineseTraditional),
       Source::kWholeText, Cut::kNowhere},
      {"mnuReadQp", 6, u"QP--UTF8 ：同上类似", false, Escapes(kQp, kLcidUtf8), Source::kWholeText,
       Cut::kNowhere},
      {"mnuBase64", 0, u"Base64--GB ：如 QVNDSUkgvs3Kx6G 紧密排列.允许选取解码", true,
       Escapes(kBase64, kLcidChineseSimplified), Source::kSelectionOrWhole, Cut::kNowhere},
      {"mnuBase64", 1, u"Base64--Big5 ：同上类似", false, Escapes(kBase64, kLcidChineseTraditional),
       Source::kSelectionOrWhole, Cut::kNowhere},
      {"mnuBase64", 2, u"Base64--UTF8 ：同上类似", false, Escapes(kBase64, kLcidUtf8),
       Source::kSelectionOrWhole, Cut::kNowhere},
      {"mnuJieA", 0, u"UTF7--U ：如 +UxdOrA- YES +Ti1XC2- 英文通顺", false, DecodeUtf7},
      {"mnuJieA", 1, u"HZ--GB ：如 ~{V;V'3V~}ASCII~{Bk5DO5M3~} 英文通顺", false, DecodeHz,
       Source::kWholeText, Cut::kNowhere},
  };
  for (const EscapeItem& item : items) {
    families.push_back(FixedFamily({item.menu, item.index, item.caption, item.checked},
                                   CaptionHead(item.caption, kDescriptionDelimiter), item.transform,
                                   Frame{item.source}, item.cut));
  }
}

}  // namespace qor
