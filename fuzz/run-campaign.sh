#!/usr/bin/env bash
# Builds the libFuzzer programs with clang (coverage, AddressSanitizer and
# UndefinedBehaviorSanitizer in every library they reach) and runs each one
# for ten million executions or ten minutes, whichever comes first, starting
# from its seeds and its corpus in fuzz/corpus/<target>/. The corpus is then
# minimised back into that folder. Crashes and hangs are left in
# build-fuzz/findings/<target>/. Usage: fuzz/run-campaign.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-600}
runs=${FUZZ_RUNS:-10000000}
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVREL_FUZZ=ON \
      -DKOVREL_BUILD_TESTS=OFF -DKOVREL_BUILD_BENCH=OFF > /dev/null
targets=("$@")
if ((${#targets[@]} == 0)); then
  mapfile -t targets < <(sed -n 's/^kovrel_fuzz_target(\([a-z_]*\).*/\1/p' fuzz/CMakeLists.txt)
fi
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
seeds=(tests/data tests/app/golden)
printf '%-22s %12s %8s %8s %8s\n' target executions crashes hangs corpus
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/$target
  work=build-fuzz/work/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$work" "$findings"
  log=build-fuzz/$target.log
  build-fuzz/fuzz/$target -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=4096 \
      -max_len=8192 -artifact_prefix="$findings/" -print_final_stats=1 "$work" "$corpus" "${seeds[@]}" \
      > "$log" 2>&1 || true
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  crashes=$(find "$findings" -name 'crash-*' | wc -l)
  hangs=$(find "$findings" -name 'timeout-*' | wc -l)
  # Keep a small corpus: the inputs that still add coverage, at most 512
  # bytes each.
  minimised=build-fuzz/minimised/$target
  rm -rf "$minimised" && mkdir -p "$minimised"
  build-fuzz/fuzz/$target -merge=1 -max_len=512 "$minimised" "$corpus" "$work" > /dev/null 2>&1 || true
  rm -f "$corpus"/* && cp "$minimised"/* "$corpus"/ 2>/dev/null || true
  printf '%-22s %12s %8s %8s %8s\n' "$target" "${executions:-?}" "$crashes" "$hangs" "$(ls "$corpus" | wc -l)"
done
