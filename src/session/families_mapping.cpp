// Width and script mapping of the selection.

#include "session/caption.h"
#include "session/catalogue.h"

namespace qor {
namespace {

constexpr const char16_t* kMappingCaptions[] = {u"转全角 (&D)", u"转半角 (&B)", u"转简体 (&G)",
                                                u"转繁体 (&F)"};

}  // namespace

void AddMappingFamilies(std::vector<Family>& families) {
  for (int index = 0; index < 4; ++index) {
    const char16_t* caption = kMappingCaptions[index];
    families.push_back(FixedFamily({"mnuWnCase", index, caption},
                                   CaptionHead(caption, kAccessKeyDelimiter), nullptr,
                                   Source::kSelection));
  }
}

}  // namespace qor
