// Commands of the third decoding menu: half-character cut, ISO-2022 escapes, transforms.

#include "session/catalogue.h"

namespace qor {

void AddThirdMenuFamilies(std::vector<Family>& /*families*/) {}

}  // namespace qor
