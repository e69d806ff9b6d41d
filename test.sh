#!/usr/bin/env bash
# Installs what is missing, builds Kovrel with its tests and benchmarks, and
# runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure -j"$(nproc)"
