#include "cli/usage.h"

namespace qor {
namespace {

constexpr const char kUsage[] =
    R"USAGE(Usage: qor-cli COMMAND [OPTIONS] [--] [ARGS]

Repairs garbled Chinese text with the transforms of QOR's menus. Text is read as UTF-8 from
standard input (or -i FILE) and written as UTF-8 to standard output (or -o FILE), byte for byte
apart from what the transforms change.

Commands:
  list                 every transform: its label (or label pattern), a tab, its menu caption
  apply LABEL...       applies each transform, named by its history label, in order, to the
                       whole text; e.g.  qor-cli apply Eng--GB  or  qor-cli apply "LCID: (1033)--(2052)"
  fix                  diagnoses the text and prints the most plausible repair; when the text
                       reads well as it is, prints nothing, says "无需修复" and exits 1
    --explain          also prints the repair's chain (as an apply command) and what the result
                       is made of on standard error
    --top N            prints the N best candidates instead, one a line: rank, score (how much
                       more plausible than the text as it is), chain, explanation, first line

Options (anywhere; "--" ends them, for a label that starts with "-"):
  -i FILE              read the text from FILE instead of standard input, in the encoding its
                       byte-order mark or UTF-16 line breaks show, else UTF-8 if it is valid
                       UTF-8, else GBK
  --encoding CODE      read FILE in this encoding instead
  -o FILE              write the result to FILE instead of standard output; an existing FILE
                       stays as FILE.bak until the new one is complete
  --out-encoding CODE  write FILE in this encoding (default 9, UTF-8 without BOM)
  --force              overwrite a read-only or hidden FILE
  -j N                 apply: run on N threads (default: every core)
  -h, --help           show this help

Encodings are numbers or names (letter case does not matter): 0 automatic (reading only),
1 GBK, 2 Eng (Windows-1252), 3 Latin-1, 4 Unicode, 5 "Unicode BE", 6 UTF-8 (each of the three
with a byte-order mark), 7 "Unicode (No BOM)", 8 "Unicode BE (No BOM)", 9 "UTF-8 (No BOM)".

apply streams: the text is read, repaired and written part by part, cut after line feeds, in
bounded memory. These transforms need the whole text and keep it all first: quoted-printable,
Base64 and HZ decoding, GB--QP, UTF8--QP, GB--Base64, UTF8--Base64, the half-character cuts,
the ISO-2022 escapes, and code page pairs with a stateful side (ISO-2022, HZ, UTF-7) or read as
UTF-16 from a byte encoding. A step that gives no result part-way stops the run with what came
before it written.

Labels are matched exactly (case-sensitive). Patterns such as "LCID: (A)--(B)" take decimal
numbers with an optional minus sign.

Exit status: 0 success (a step that changes nothing is reported on stderr and the run goes on);
1 a step gave no result ("未改动"), or fix found no repair better than the text; 2 usage error
(unknown label, bad option, invalid UTF-8); 3 a file could not be read or written; 4 a transform
or the diagnosis failed with an error (such as running out of memory), named on stderr.
)USAGE";

}  // namespace

std::string_view Usage() { return kUsage; }

}  // namespace qor
