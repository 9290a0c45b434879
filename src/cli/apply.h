#pragma once
// apply: the named transforms, in order, on the text.

#include <iosfwd>

#include "cli/options.h"

namespace qor {

int Apply(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace qor
