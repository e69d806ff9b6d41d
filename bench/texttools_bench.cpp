// Speed of replace all on a large NC text.
#include <benchmark/benchmark.h>

#include "nc_text.h"
#include "texttools/control_chars.h"
#include "texttools/replace_all.h"

namespace kovrel {
namespace {

void BM_ReplaceAll(benchmark::State& state) {
  const std::string text = bench::MakeNcProgram(50u << 20);
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceAll(text, "G01", "G1"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

void BM_ReplaceControlCrLf(benchmark::State& state) {
  const std::string text = bench::MakeNcProgram(50u << 20);
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceControl(text, "\r\n", "\r"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReplaceControlCrLf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
