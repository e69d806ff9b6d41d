#!/usr/bin/env bash
# Converts a G-code program with lines, an arc and two full circles to HP-GL
# with kovrel-cli and lets a real HP-GL reader (hp2xx) draw it as SVG: the
# drawing must hold the outline, the arc and both circles, with the
# program's proportions (100 x 60 mm). Exit 77 (skipped) without hp2xx.
# Usage: check_hp2xx.sh KOVREL_CLI GCODE_FILE WORK_FOLDER
set -euo pipefail
cli=$1 gcode=$2 work=$3
if ! command -v hp2xx >/dev/null; then
  echo "hp2xx is not installed: skipped"
  exit 77
fi
mkdir -p "$work"
"$cli" gcode-to-hpgl "$gcode" -o "$work/plate.hpgl"
hp2xx -q -m svg -f "$work/plate.svg" "$work/plate.hpgl"
paths=$(grep -c '<path' "$work/plate.svg")
viewbox=$(grep -o 'viewBox="[^"]*"' "$work/plate.svg" | tr -d '"' | cut -d= -f2)
read -r _ _ width height <<<"$viewbox"
ratio=$(awk -v w="$width" -v h="$height" 'BEGIN { printf "%.3f", w / h }')
points=$(grep -c 'L [0-9]' "$work/plate.svg")
echo "hp2xx drew $paths paths, $points points, width/height $ratio"
[ "$paths" -ge 6 ] || { echo "too few paths"; exit 1; }
[ "$points" -ge 40 ] || { echo "arcs and circles are missing"; exit 1; }
[ "$ratio" = "1.667" ] || { echo "proportions differ from 100 x 60"; exit 1; }
