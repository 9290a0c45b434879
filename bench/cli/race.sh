#!/bin/sh
# qor-cli against an iconv pipeline on the same repair, its memory on a large input, and the
# lines per second of fix --lines.
#   bench/cli/race.sh BUILD_DIR [MEGABYTES] [LINES]
# Prints each command's wall and CPU time and peak resident memory (/usr/bin/time), and whether
# the outputs are identical; then the same for 20 times the input through qor-cli alone; then
# fix --lines and apply --lines on LINES 40-character lines (a tenth garbled) on every core.
set -eu
build=$1
megabytes=${2:-50}
lines=${3:-20000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$(dirname "$0")/make_inputs.py" "$work" "$megabytes" "$lines"

run() {
  label=$1
  shift
  /usr/bin/time -f "$label: %e s wall, %U s user, %S s system, %M KiB peak" "$@"
}

for round in 1 2 3; do
  run "qor-cli apply Eng--GB" sh -c "'$build/qor-cli' apply Eng--GB < '$work/eng_gb.txt' > '$work/qor.txt'"
  run "iconv | iconv       " sh -c "iconv -f utf-8 -t cp1252 < '$work/eng_gb.txt' | iconv -f gbk -t utf-8 > '$work/iconv.txt'"
done
cmp -s "$work/qor.txt" "$work/iconv.txt" && echo "outputs identical" || echo "OUTPUTS DIFFER"

for k in $(seq 20); do cat "$work/eng_gb.txt"; done > "$work/large.txt"
run "qor-cli apply Eng--GB, 20 times the input" \
  sh -c "'$build/qor-cli' apply Eng--GB < '$work/large.txt' > /dev/null"
rm -f "$work/large.txt"

per_second() {
  label=$1
  shift
  start=$(date +%s.%N)
  "$@" < "$work/lines.txt" > "$work/lines.out" 2> "$work/lines.err" || true
  end=$(date +%s.%N)
  echo "$label: $lines lines in $(echo "$end - $start" | bc) s," \
    "$(echo "$lines / ($end - $start)" | bc) lines/s; $(tail -n 1 "$work/lines.err")"
}
per_second "fix --lines" "$build/qor-cli" fix --lines
per_second "apply --lines Eng--GB" "$build/qor-cli" apply --lines Eng--GB
