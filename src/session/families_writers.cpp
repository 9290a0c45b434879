// The write-garbled encoders.

#include "session/catalogue.h"

namespace qor {

void AddWriterFamilies(std::vector<Family>& /*families*/) {}

}  // namespace qor
