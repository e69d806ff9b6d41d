// Speed of the hole data commands on a drill file of 200,000 holes:
// formatting into hole data, and hole data to G-code.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "holes/hole_format.h"
#include "holes/hole_gcode.h"

namespace kovrel {
namespace {

constexpr int kHoles = 200'000;

// An Excellon-style program: header, 10 tools of 20,000 holes each,
// trailing-zero metric coordinates.
std::string DrillFile() {
  std::string text = "M48\r\nMETRIC,TZ\r\n";
  char line[64];
  for (int t = 1; t <= 10; ++t) {
    std::snprintf(line, sizeof line, "T%dC%d.%03d\r\n", t, t / 4, (t * 150) % 1000);
    text += line;
  }
  text += "%\r\nG90\r\nG05\r\n";
  unsigned seed = 7;
  for (int i = 0; i < kHoles; ++i) {
    if (i % (kHoles / 10) == 0) {
      std::snprintf(line, sizeof line, "T%d\r\n", i / (kHoles / 10) + 1);
      text += line;
    }
    seed = seed * 1103515245u + 12345u;
    std::snprintf(line, sizeof line, "X%uY%u\r\n", (seed >> 8) % 400000, (seed >> 3) % 300000);
    text += line;
  }
  return text + "M30\r\n";
}

void BM_FormatHoleData(benchmark::State& state) {
  const std::string drill = DrillFile();
  HoleFormatOptions options;
  options.unit = HoleUnit::kThousandths;
  for (auto _ : state) benchmark::DoNotOptimize(FormatHoleData(drill, options));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kHoles);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(drill.size()));
}
BENCHMARK(BM_FormatHoleData)->Unit(benchmark::kMillisecond);

void BM_HoleDataToGcode(benchmark::State& state) {
  HoleFormatOptions options;
  options.unit = HoleUnit::kThousandths;
  const std::string holes = FormatHoleData(DrillFile(), options);
  for (auto _ : state) benchmark::DoNotOptimize(HoleDataToGcode(holes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kHoles);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(holes.size()));
}
BENCHMARK(BM_HoleDataToGcode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
