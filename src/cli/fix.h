#pragma once
// fix: the diagnosis's best repair of the text, or a listing of its best candidates.

#include <iosfwd>

#include "cli/options.h"

namespace qor {

int Fix(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace qor
