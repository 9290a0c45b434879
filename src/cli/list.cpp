#include "cli/list.h"

#include <ostream>

#include "catalogue/catalogue.h"
#include "cli/cli.h"
#include "cli/json.h"
#include "platform/wtf8.h"

namespace qor {

int List(const Options& options, std::ostream& out) {
  for (const Family& family : Catalogue::Get().families()) {
    const Text caption = family.item ? family.item->caption : Text();
    if (options.json) {
      out << EncodeWtf8(
          JsonObject({{u"label", family.grammar}, {u"caption", caption}, {u"note", family.note}}));
    } else {
      out << EncodeWtf8(family.grammar) << '\t' << EncodeWtf8(family.item ? caption : family.note)
          << '\n';
    }
  }
  return kExitOk;
}

}  // namespace qor
