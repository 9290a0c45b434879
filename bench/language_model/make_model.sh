#!/usr/bin/env bash
# Trains the diagnosis language model again from this machine's Debian packages:
#
#   bench/language_model/make_model.sh [--cross DIR]
#
# installs the packages the training and check texts come from (apt-get, as run.sh does),
# gathers the texts (make_text.py), builds the trainer and writes src/diagnosis/language_model.bin.
# --cross DIR also trains, for each source of the training text, a model without it
# (DIR/SOURCE.bin) and one with all (DIR/all.bin), for the cross-source figures of
# `diagnosis_corpus report --cross DIR`. The texts stay in build/language_model_text/.
set -euo pipefail
QOR_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$QOR_ROOT/scripts/setup.sh"
TEXT="$QOR_ROOT/build/language_model_text"
CROSS=""
[ "${1:-}" = "--cross" ] && CROSS=$2

qor_install_packages
qor_install_training_packages
rm -rf "$TEXT"
/usr/bin/python3 "$QOR_ROOT/bench/language_model/make_text.py" "$TEXT"
qor_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
TRAIN="$QOR_ROOT/build/bench/language_model_train"
"$TRAIN" "$TEXT" "$QOR_ROOT/src/diagnosis/language_model.bin"
if [ -n "$CROSS" ]; then
  mkdir -p "$CROSS"
  cp "$QOR_ROOT/src/diagnosis/language_model.bin" "$CROSS/all.bin"
  for source in $(ls "$TEXT"/train/*/ | grep -v ':' | sort -u | grep -v '^words$'); do
    "$TRAIN" "$TEXT" "$CROSS/$source.bin" --leave-out "$source" | tail -n 1
  done
fi
