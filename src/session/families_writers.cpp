// The write-garbled encoders: each turns the selection into an escape format; its label is the
// whole caption.

#include "session/catalogue.h"

namespace qor {
namespace {

struct WriterItem {
  int index;
  const char16_t* caption;
};

constexpr WriterItem kWriterItems[] = {
    {0, u"U--HTM(H)"},  {1, u"U--HTM(D)"},    {3, u"GB--QP"},  {4, u"UTF8--QP"},
    {6, u"GB--Base64"}, {7, u"UTF8--Base64"}, {9, u"U--UTF7"}, {10, u"GB--HZ"},
};

}  // namespace

void AddWriterFamilies(std::vector<Family>& families) {
  for (const WriterItem& item : kWriterItems) {
    families.push_back(FixedFamily({"mnuMake", item.index, item.caption}, item.caption, nullptr,
                                   Source::kSelection, PreCheck::kSelectionGrowth));
  }
}

}  // namespace qor
