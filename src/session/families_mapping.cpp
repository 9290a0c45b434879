// Width and script mapping of the selection.

#include "session/catalogue.h"

namespace qor {

void AddMappingFamilies(std::vector<Family>& /*families*/) {}

}  // namespace qor
