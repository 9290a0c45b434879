#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the CTest suite (windows offscreen; the
# pytest suite of the Python module for /usr/bin/python3, pandas and Dask included; the installed
# package), the engine tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# each fuzz target for a bounded time. Every build treats compiler warnings as errors. Exits
# non-zero on any failure.
set -euo pipefail
QOR_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$QOR_ROOT/scripts/setup.sh"
FUZZ_SECONDS=${QOR_FUZZ_SECONDS:-10}
JOBS=$(nproc)

qor_install_packages

echo "== format: clang-format over the tracked sources"
# Generated tables (.inc) keep their own layout. Outside a git checkout, the source folders.
qor_sources() {
  git -C "$QOR_ROOT" ls-files -z '*.cpp' '*.h' 2>/dev/null ||
    (cd "$QOR_ROOT" && find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0)
}
qor_sources | (cd "$QOR_ROOT" && xargs -0 clang-format --dry-run --Werror)

echo "== build/: build and test"
qor_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_WERROR=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir "$QOR_ROOT/build" --output-on-failure -j "$JOBS"

echo "== build-asan/: engine tests under AddressSanitizer and UndefinedBehaviorSanitizer"
qor_build build-asan -DCMAKE_BUILD_TYPE=Debug -DQOR_SANITIZE=ON -DQOR_GUI=OFF -DQOR_BENCH=OFF \
  -DQOR_PYTHON=OFF -DQOR_WERROR=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$QOR_ROOT/build-asan" --output-on-failure -j "$JOBS" -L engine

echo "== build-fuzz/: each fuzz target for ${FUZZ_SECONDS} s"
CC=clang CXX=clang++ qor_build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_FUZZ=ON \
  -DQOR_GUI=OFF -DQOR_TESTS=OFF -DQOR_BENCH=OFF -DQOR_PYTHON=OFF -DQOR_WERROR=ON
for target in "$QOR_ROOT"/build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$target")
  corpus="$QOR_ROOT/build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "-- $name"
  "$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
    "$corpus" 2>"$QOR_ROOT/build-fuzz/$name.log" || { tail -n 40 "$QOR_ROOT/build-fuzz/$name.log"; exit 1; }
done
echo "== all tests passed"
