#!/usr/bin/env bash
# Installs what is missing, builds Kovrel and starts it on a bundled sample.
# Until the desktop program lands, this runs a conversion of the sample
# drill program with kovrel-cli and shows the result.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target kovrel-cli
sample=data/samples/drill-sample.nc
echo "== kovrel-cli control-chars --replace '*' --with CrLf $sample"
build/src/app/kovrel-cli control-chars --replace '*' --with CrLf "$sample" -o build/drill-sample-lines.nc
echo "== kovrel-cli replace --find G81 --with G83 build/drill-sample-lines.nc"
build/src/app/kovrel-cli replace --find G81 --with G83 build/drill-sample-lines.nc | iconv -f CP932 -t UTF-8
