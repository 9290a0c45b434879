#pragma once
// fix-names: garbled file and folder names, found by walking folders, and renamed on request.

#include <iosfwd>
#include <string>

#include "cli/options.h"
#include "platform/text.h"

namespace qor {

// What a name should become.
struct NameRepair {
  enum class Kind { kClean, kRepair, kLeftAlone };
  Kind kind = Kind::kClean;
  Bytes name;         // kRepair: the new name, UTF-8
  std::string chain;  // kRepair: how: the encoding its bytes are in, or the repair's labels
  std::string why;    // kLeftAlone: why it looks garbled but stays
};

// A name's repair: bytes that are not UTF-8 read as GBK, Big5, Shift-JIS or EUC-KR, whichever
// reads best; UTF-8 garbled into mojibake repaired by reinterpretations. Left alone when no
// encoding reads the bytes, two read almost alike, the repair loses characters, or the result
// could not be a name.
[[nodiscard]] NameRepair RepairName(BytesView name);

// fix-names [--apply] PATH...: the names under each path and the path's own, deepest first;
// "old → new" and the chain on `out`, what stays and why on `err`, renamed with --apply (never
// over an existing name). The exit status: 0 when a name was (or would be) renamed, 1 when
// none needed it, 3 when a folder could not be read or a rename failed.
int FixNames(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace qor
