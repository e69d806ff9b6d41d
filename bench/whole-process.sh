#!/usr/bin/env bash
# The speed of every kovrel-cli conversion as a whole process: builds the
# large inputs (fixed seeds), runs each command several times, and prints
# the median time, MB/s of input and peak memory, beside the programs a user
# would run instead on the same files. The outputs' checksums are compared
# with bench/whole-process.sums, so a faster program is also the same one.
# The goal column checks the targets: at least 150 MB/s of input (drill data
# 100 MB/s) and a peak memory under 2 x the input + 40 MiB.
# Usage: bench/whole-process.sh [BUILD_DIR] (default: build; KOVREL_RUNS=5;
# KOVREL_ONLY=REGEX measures only the tasks whose label matches).
# Measure on one core: taskset -c 0 bench/whole-process.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/app/kovrel-cli
runs=${KOVREL_RUNS:-5}
inputs=$build/bench-inputs
sums=bench/whole-process.sums
python3 bench/make_inputs.py "$inputs"
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
echo "kovrel-cli from $build (build type: ${build_type:-unknown}), median of $runs runs," \
     "CPUs $(taskset -pc $$ | sed 's/.*: //')"
printf '%-26s %8s %8s %8s %9s  %-6s %s\n' "task" "input MB" "seconds" "MB/s" "peak MiB" "goal" "output"

# One task: a label, the goal in MB/s (0: none), the input file, then the
# command (OUT stands for the output file; a label ending in .xlsx writes
# a workbook).
measure() {
  local label=$1 goal=$2 input=$3
  if [[ -n ${KOVREL_ONLY:-} && ! $label =~ $KOVREL_ONLY ]]; then return; fi
  shift 3
  local out=$build/bench-output.tmp
  [[ $label == *xlsx* ]] && out=$out.xlsx
  local args=()
  for a in "$@"; do args+=("${a//OUT/$out}"); done
  local seconds kib sum
  read -r seconds kib sum < <(python3 bench/timed_runs.py "$runs" "$out" "${args[@]}")
  local check="-"
  if [ "$sum" != "-" ]; then
    local expected
    expected=$(awk -v l="$label" '$0 ~ /^#/ { next } { s = $NF; $NF = ""; sub(/ $/, ""); if ($0 == l) print s }' "$sums")
    if [ -z "$expected" ]; then
      echo "$label $sum" >> "$sums"
      check="$sum (recorded)"
    elif [ "$expected" = "$sum" ]; then
      check="same"
    else
      check="CHANGED $sum"
    fi
  fi
  awk -v l="$label" -v b="$(stat -c %s "$input")" -v s="$seconds" -v p="$kib" -v c="$check" -v g="$goal" 'BEGIN {
    rate = s > 0 ? b / 1e6 / s : 0; mib = p / 1024; limit = 2 * b / 1048576 + 40
    verdict = "-"
    if (g > 0) verdict = (rate >= g ? "" : "slow") (mib < limit ? "" : (rate >= g ? "" : ",") "mem")
    if (verdict == "") verdict = "ok"
    printf "%-26s %8.1f %8.3f %8.1f %9.1f  %-6s %s\n", l, b / 1e6, s, rate, mib, verdict, c }'
}

i=$inputs
k=$cli
measure replace 150 "$i/program.nc" $k replace --find QQQ --with R "$i/program.nc" -o OUT
measure control-chars 150 "$i/program.nc" $k control-chars --replace CrLf --with Lf "$i/program.nc" -o OUT
measure tape-convert 150 "$i/program.nc" $k tape-convert --table data/CVTBL/TEXT-TO-ISO "$i/program.nc" -o OUT
measure holes-format 100 "$i/drill.drl" $k holes-format --unit X1230 --tools blocks "$i/drill.drl" -o OUT
measure holes-to-gcode 150 "$i/holes.nc" $k holes-to-gcode "$i/holes.nc" -o OUT
measure holes-to-xlsx 150 "$i/holes.nc" $k holes-to-xlsx "$i/holes.nc" -o OUT
measure holes-to-dxf 150 "$i/holes.nc" $k holes-to-dxf "$i/holes.nc" -o OUT
measure gcode-to-dxf 150 "$i/program.nc" $k gcode-to-dxf "$i/program.nc" -o OUT
measure dxf-to-gcode 150 "$i/drawing.dxf" $k dxf-to-gcode "$i/drawing.dxf" -o OUT
measure dxf-to-holes 150 "$i/drawing.dxf" $k dxf-to-holes "$i/drawing.dxf" -o OUT
measure gcode-to-hpgl 150 "$i/program.nc" $k gcode-to-hpgl "$i/program.nc" -o OUT
measure hpgl-to-gcode 150 "$i/plot.hpgl" $k hpgl-to-gcode "$i/plot.hpgl" -o OUT
measure gcode-to-gerber 150 "$i/program.nc" $k gcode-to-gerber "$i/program.nc" -o OUT
measure gerber-to-gcode 150 "$i/board.gbr" $k gerber-to-gcode --unit X00123 "$i/board.gbr" -o OUT
measure router-to-gcode 150 "$i/router.txt" $k router-to-gcode "$i/router.txt" -o OUT
measure gcode-group 150 "$i/program.nc" $k gcode-group "$i/program.nc" -o OUT
measure gcode-tidy 150 "$i/program.nc" $k gcode-tidy "$i/program.nc" -o OUT
measure figure-to-gcode 150 "$i/program.nc" $k figure-to-gcode "$i/program.nc" -o OUT
measure mirror 150 "$i/program.nc" $k mirror --axis x "$i/program.nc" -o OUT
measure move 150 "$i/program.nc" $k move --dx 1.5 --dy -2 "$i/program.nc" -o OUT
measure scale 150 "$i/program.nc" $k scale --factor 1.25 "$i/program.nc" -o OUT
measure wire-to-gcode 150 "$i/wire.nc" $k wire-to-gcode "$i/wire.nc" -o OUT
measure fanuc-wire 150 "$i/wire-macro.nc" $k fanuc-wire --sub-dir "$i/SUB" "$i/wire-macro.nc" -o OUT
measure wire-to-milling 150 "$i/wire.nc" $k wire-to-milling "$i/wire.nc" -o OUT
measure run-macro 150 "$i/program.nc" $k run-macro "$i/MACRO.DAT" "$i/program.nc" -o OUT
echo "drawing, not a conversion (no goal):"
measure "render PNG" 0 "$i/program.nc" $k render --png OUT "$i/program.nc"

echo "peers on the same files:"
if command -v gerbv > /dev/null; then
  measure "gerbv Gerber → RS-274X" 0 "$i/board.gbr" gerbv -x rs274x -o OUT "$i/board.gbr"
  measure "gerbv Gerber → PNG" 0 "$i/board.gbr" gerbv -x png -o OUT "$i/board.gbr"
  measure "gerbv drill → Excellon" 0 "$i/drill.drl" gerbv -x drill -o OUT "$i/drill.drl"
fi
if command -v hp2xx > /dev/null; then
  measure "hp2xx → PNG" 0 "$i/plot.hpgl" hp2xx -q -m png -f OUT "$i/plot.hpgl"
fi
measure "iconv CP932 → UTF-8" 0 "$i/program.nc" sh -c "iconv -f CP932 -t UTF-8 '$i/program.nc' > OUT"
measure "iconv CP932 → UTF-8 (holes)" 0 "$i/holes.nc" sh -c "iconv -f CP932 -t UTF-8 '$i/holes.nc' > OUT"
