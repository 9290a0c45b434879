#!/bin/sh
# qor-cli against an iconv pipeline on the same repair, and its memory on a large input.
#   bench/cli/race.sh BUILD_DIR [MEGABYTES]
# Prints each command's wall and CPU time and peak resident memory (/usr/bin/time), and whether
# the outputs are identical; then the same for 20 times the input through qor-cli alone, and the
# lines per second of fix --lines.
set -eu
build=$1
megabytes=${2:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$(dirname "$0")/make_inputs.py" "$work" "$megabytes" 20000

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

start=$(date +%s.%N)
"$build/qor-cli" fix --lines < "$work/lines.txt" > /dev/null || true
end=$(date +%s.%N)
echo "fix --lines: 20000 lines in $(echo "$end - $start" | bc) s"
