// The write-garbled encoders: each turns the selection into an escape format; its label is the
// whole caption.

#include "catalogue/catalogue.h"
#include "codecs/base64.h"
#include "codecs/hex_escapes.h"
#include "codecs/hz.h"
#include "codecs/numeric_references.h"
#include "codecs/utf7.h"

namespace qor {
namespace {

struct WriterItem {
  int index;
  const char16_t* caption;
  Text (*encode)(TextView);
  // References and UTF-7 runs end with their unit or line; QP and Base64 lines run on.
  Cut cut = Cut::kNowhere;
};

const WriterItem kWriterItems[] = {
    {0, u"U--HTM(H)", [](TextView text) { return EncodeNumericReferences(text, false); },
     Cut::kAfterLineFeed},
    {1, u"U--HTM(D)", [](TextView text) { return EncodeNumericReferences(text, true); },
     Cut::kAfterLineFeed},
    {3, u"GB--QP", [](TextView text) { return EncodeQuotedPrintable(text, false); }},
    {4, u"UTF8--QP", [](TextView text) { return EncodeQuotedPrintable(text, true); }},
    {6, u"GB--Base64", [](TextView text) { return EncodeBase64Text(text, false); }},
    {7, u"UTF8--Base64", [](TextView text) { return EncodeBase64Text(text, true); }},
    {9, u"U--UTF7", EncodeUtf7, Cut::kAfterLineFeed},
    {10, u"GB--HZ", EncodeHz, Cut::kAfterLineFeed},
};

}  // namespace

void AddWriterFamilies(std::vector<Family>& families) {
  for (const WriterItem& item : kWriterItems) {
    families.push_back(FixedFamily({"mnuMake", item.index, item.caption}, item.caption, item.encode,
                                   Frame{Source::kSelection, PreCheck::kSelectionGrowth},
                                   item.cut));
  }
}

}  // namespace qor
