#!/usr/bin/env bash
# The speed of every kovrel-cli conversion as a whole process: builds the
# large inputs (fixed seeds), runs each command several times, and prints
# the median time, MB/s of input and peak memory, beside the programs a user
# would run instead on the same files. The outputs' checksums are compared
# with bench/whole-process.sums, so a faster program is also the same one.
# Usage: bench/whole-process.sh [BUILD_DIR] (default: build; KOVREL_RUNS=5)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cli=$build/src/app/kovrel-cli
runs=${KOVREL_RUNS:-5}
inputs=$build/bench-inputs
sums=bench/whole-process.sums
python3 bench/make_inputs.py "$inputs"
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
echo "kovrel-cli from $build (build type: ${build_type:-unknown}), median of $runs runs"
printf '%-34s %9s %8s %9s %9s  %s\n' "task" "input MB" "seconds" "MB/s" "peak MiB" "output"

# One task: a label, the input file, then the command (OUT stands for the
# output file).
measure() {
  local label=$1 input=$2
  shift 2
  local out=$build/bench-output.tmp
  local times=() peak=0
  for ((k = 0; k < runs; ++k)); do
    local args=()
    for a in "$@"; do args+=("${a//OUT/$out}"); done
    /usr/bin/time -f '%e %M' -o "$build/bench-time.tmp" "${args[@]}" > /dev/null 2>&1 || true
    read -r seconds kib < "$build/bench-time.tmp"
    times+=("$seconds")
    ((kib > peak)) && peak=$kib
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
  local bytes
  bytes=$(stat -c %s "$input")
  local check="-"
  if [ -f "$out" ]; then
    local sum
    sum=$(sha256sum < "$out" | cut -c1-16)
    local expected
    expected=$(sed -n "s/^$label //p" "$sums" 2>/dev/null || true)
    if [ -z "$expected" ]; then
      echo "$label $sum" >> "$sums"
      check="$sum (recorded)"
    elif [ "$expected" = "$sum" ]; then
      check="same"
    else
      check="CHANGED $sum"
    fi
    rm -f "$out"
  fi
  awk -v l="$label" -v b="$bytes" -v s="$median" -v p="$peak" -v c="$check" \
      'BEGIN { printf "%-34s %9.1f %8.3f %9.1f %9.1f  %s\n", l, b / 1e6, s, (s > 0 ? b / 1e6 / s : 0), p / 1024, c }'
}

i=$inputs
measure gerber-to-gcode "$i/board.gbr" "$cli" gerber-to-gcode --unit X00123 "$i/board.gbr" -o OUT
measure holes-format "$i/drill.drl" "$cli" holes-format --unit X1230 --tools blocks "$i/drill.drl" -o OUT
measure hpgl-to-gcode "$i/plot.hpgl" "$cli" hpgl-to-gcode "$i/plot.hpgl" -o OUT
measure replace "$i/program.nc" "$cli" replace --find QQQ --with R "$i/program.nc" -o OUT
measure control-chars "$i/program.nc" "$cli" control-chars --replace CrLf --with Lf "$i/program.nc" -o OUT
measure gcode-to-hpgl "$i/program.nc" "$cli" gcode-to-hpgl "$i/program.nc" -o OUT
measure gcode-to-gerber "$i/program.nc" "$cli" gcode-to-gerber "$i/program.nc" -o OUT
measure gcode-group "$i/program.nc" "$cli" gcode-group "$i/program.nc" -o OUT
measure gcode-tidy "$i/program.nc" "$cli" gcode-tidy "$i/program.nc" -o OUT
measure router-to-gcode "$i/router.txt" "$cli" router-to-gcode "$i/router.txt" -o OUT
measure holes-to-gcode "$i/holes.nc" "$cli" holes-to-gcode "$i/holes.nc" -o OUT
measure figure-to-gcode "$i/program.nc" "$cli" figure-to-gcode "$i/program.nc" -o OUT

echo "peers on the same files:"
if command -v gerbv > /dev/null; then
  measure "gerbv Gerber → RS-274X" "$i/board.gbr" gerbv -x rs274x -o OUT "$i/board.gbr"
  measure "gerbv drill → Excellon" "$i/drill.drl" gerbv -x drill -o OUT "$i/drill.drl"
fi
command -v hp2xx > /dev/null && measure "hp2xx → PNG" "$i/plot.hpgl" hp2xx -q -m png -f OUT "$i/plot.hpgl"
measure "iconv CP932 → UTF-8" "$i/program.nc" sh -c "iconv -f CP932 -t UTF-8 '$i/program.nc' > OUT"
