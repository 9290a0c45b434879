#pragma once
// list: every transform's label or label pattern and its caption.

#include <iosfwd>

namespace qor {

int List(std::ostream& out);

}  // namespace qor
