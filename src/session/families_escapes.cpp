// Escape decoders of the first decoding menu.

#include "session/catalogue.h"

namespace qor {

void AddEscapeFamilies(std::vector<Family>& /*families*/) {}

}  // namespace qor
