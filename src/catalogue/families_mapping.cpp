// Width and script mapping of the selection.

#include "catalogue/caption.h"
#include "catalogue/catalogue.h"
#include "codecs/script_mapping.h"

namespace qor {
namespace {

struct MappingItem {
  const char16_t* caption;
  Text (*map)(TextView);
};

const MappingItem kMappingItems[] = {
    {u"转全角 (&D)", [](TextView text) { return MapWidth(text, true); }},
    {u"转半角 (&B)", [](TextView text) { return MapWidth(text, false); }},
    {u"转简体 (&G)", [](TextView text) { return MapString(text, false); }},
    {u"转繁体 (&F)", [](TextView text) { return MapString(text, true); }},
};

}  // namespace

void AddMappingFamilies(std::vector<Family>& families) {
  for (int index = 0; index < 4; ++index) {
    const MappingItem& item = kMappingItems[index];
    families.push_back(FixedFamily({"mnuWnCase", index, item.caption},
                                   CaptionHead(item.caption, kAccessKeyDelimiter), item.map,
                                   Frame{Source::kSelection}, Cut::kAfterLineFeed));
  }
}

}  // namespace qor
