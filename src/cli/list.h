#pragma once
// list: every transform's label or label pattern and its caption; with --json, one object a
// transform: {"label": …, "caption": …, "note": …}.

#include <iosfwd>

#include "cli/options.h"

namespace qor {

int List(const Options& options, std::ostream& out);

}  // namespace qor
