#!/usr/bin/env bash
# Installs what is missing, builds QOR into build/ and starts it.
set -euo pipefail
QOR_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$QOR_ROOT/scripts/setup.sh"

qor_install_packages
qor_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here: run it as  xvfb-run -a $QOR_ROOT/build/qor,  or use $QOR_ROOT/build/qor-cli --help"
  exit 0
fi
exec "$QOR_ROOT/build/qor" "$@"
