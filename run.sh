#!/usr/bin/env bash
# Installs what is missing, builds Kovrel and starts the desktop program on
# the bundled sample milling program.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target kovrel kovrel-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kovrel is a desktop program and needs a display (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
  echo "Without one, try: xvfb-run ./run.sh   or the command line: build/src/app/kovrel-cli --help" >&2
  exit 1
fi
exec build/src/app/kovrel data/samples/sample-mill.nc
