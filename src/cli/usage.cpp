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
    --json             one JSON object a line instead: {"label", "caption", "note"}
  apply LABEL...       applies each transform, named by its history label, in order, to the
                       whole text; e.g.  qor-cli apply Eng--GB  or  qor-cli apply "LCID: (1033)--(2052)"
                       FROM--TO with two charset names is the code page pair: windows-1252--utf-8
                       is "Code Page: (1252)--(65001)", utf-16le stands for the text's own (-2)
  apply LABEL... -- FILE...
                       the same on each file, with --in-place or -o FOLDER (see Many files)
  fix [FILE...]        diagnoses the text and prints the most plausible repair; when the text
                       reads well as it is, prints nothing, says "无需修复" and exits 1
    --explain          also prints the repair's chain (as an apply command) and what the result
                       is made of on standard error
    --top N            prints the N best candidates instead, one a line: rank, score (how much
                       more plausible than the text as it is), chain, explanation, first line
    --json             prints the best candidate (or the N best with --top) as JSON Lines:
                       {"chain": [labels], "score", "explanation", "lost", "result"}, the text
                       as it is with "chain": [] when it needs no repair
  fix-names [--apply] PATH...
                       walks the folders and finds garbled file and folder names: bytes that are
                       not UTF-8 (GBK, Big5, Shift-JIS, EUC-KR, whichever reads best) and UTF-8
                       names read in another code page; prints "old → new", a tab and the chain,
                       deepest names first. --apply renames them, never over an existing name.
                       What it leaves alone (an existing name, two encodings that read almost
                       alike, a repair that loses characters) is said on standard error with why

Records:
  --lines              fix and apply: each line is a text of its own (a CSV column, a log line):
                       one output line per input line, in order, with its own line end; a line
                       that needs no repair, gives no result, or whose result would hold a line
                       break, is passed through byte for byte. A summary goes to standard error.
                       With fix --json, one object a line (N with --top) with "line": n first
  -j N                 fix --lines and apply: run on N threads (default: every core)

Many files (fix FILE... and apply LABEL... -- FILE...):
  --in-place           rewrites each file where it is, in its own encoding unless --out-encoding
                       says otherwise (a result that encoding cannot hold fails, and the file
                       stays); the old file stays as FILE.bak until the new one is complete;
                       links, hard links and owners are kept; a file that needs no change is
                       not touched
  -o FOLDER            writes each result into an existing folder under the file's own name
                       (every file, changed or not); with one FILE, -o may name a file
  A summary (changed, unchanged, failed) goes to standard error. Exit status 0 when all went
  well, 1 when no file needed a change, 3 when a file failed (the others are still done).

Options (anywhere; "--" ends them, for a label that starts with "-"; after a label, "--" starts
the files):
  -i FILE              read the text from FILE instead of standard input, in the encoding its
                       byte-order mark or UTF-16 line breaks show, else UTF-8 if it is valid
                       UTF-8, else GBK
  --encoding NAME      read files in this encoding instead
  -o FILE              write the result to FILE instead of standard output; an existing FILE
                       stays as FILE.bak until the new one is complete
  --out-encoding NAME  write files in this encoding (default utf-8, without BOM)
  --force              overwrite a read-only or hidden FILE
  -h, --help           show this help

Encodings are charset names as other tools take them (ICU's aliases, letter case does not
matter): utf-8 (without BOM), utf-8-bom, utf-16le, utf-16be (without BOM), gbk, gb2312 (read as
GBK), gb18030, big5, shift_jis, euc-jp, euc-kr, cp949, windows-1252, iso-8859-1, koi8-r,
iso-2022-jp, cpNNN for the Windows code page NNN, and every other code page the window's code
page table holds. The window's numbers and names work too: 0 automatic (reading only), 1 GBK,
2 Eng (Windows-1252), 3 Latin-1, 4 Unicode, 5 "Unicode BE", 6 UTF-8 with a byte-order mark (4
and 5 with one too), 7 "Unicode (No BOM)", 8 "Unicode BE (No BOM)", 9 "UTF-8 (No BOM)".

apply streams: the text is read, repaired and written part by part, cut after line feeds, in
bounded memory. These transforms need the whole text and keep it all first: quoted-printable,
Base64 and HZ decoding, GB--QP, UTF8--QP, GB--Base64, UTF8--Base64, the half-character cuts,
the ISO-2022 escapes, and code page pairs with a stateful side (ISO-2022, HZ, UTF-7) or read as
UTF-16 from a byte encoding; so are files in a stateful code page (ISO-2022, HZ, UTF-7) or one
whose line feed is not the ASCII one (EBCDIC). A step that gives no result part-way stops the
run with what came before it written.

Labels are matched exactly (case-sensitive). Patterns such as "LCID: (A)--(B)" take decimal
numbers with an optional minus sign. File names and arguments are taken as the system's bytes.

Exit status: 0 success (a step that changes nothing is reported on stderr and the run goes on);
1 a step gave no result ("未改动"), fix found no repair better than the text, or with --lines,
many files or fix-names, nothing needed a change; 2 usage error (unknown label, bad option,
invalid UTF-8: with --lines, after the lines before it); 3 a file could not be read or written;
4 a transform or the diagnosis failed with an error (such as running out of memory), named on
stderr.
)USAGE";

}  // namespace

std::string_view Usage() { return kUsage; }

}  // namespace qor
