#include "cli/list.h"

#include <ostream>

#include "catalogue/catalogue.h"
#include "cli/cli.h"
#include "platform/wtf8.h"

namespace qor {

int List(std::ostream& out) {
  for (const Family& family : Catalogue::Get().families()) {
    out << EncodeWtf8(family.grammar) << '\t'
        << EncodeWtf8(family.item ? family.item->caption : family.note) << '\n';
  }
  return kExitOk;
}

}  // namespace qor
