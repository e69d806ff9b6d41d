// Speed of the hole data commands on a drill file of 200,000 holes:
// formatting into hole data, and hole data to G-code; and a coordinate's
// texts written from its digits against the float's general route.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/append.h"
#include "core/decimal_digits.h"
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

// The masked and general texts of 200,000 coordinates such as "164.391":
// argument 0 by the float (Masked, General), 1 from the digits read.
void BM_CoordinateTexts(benchmark::State& state) {
  static const Mask mask = ParseMask("#####0.0####");
  std::vector<std::string> texts;
  unsigned seed = 5;
  for (int i = 0; i < kHoles; ++i) {
    seed = seed * 1103515245u + 12345u;
    texts.push_back(std::to_string((seed >> 8) % 400) + "." + std::to_string((seed >> 3) % 1000));
  }
  const bool digits = state.range(0) == 1;
  std::string out;
  for (auto _ : state) {
    out.clear();
    for (const std::string& text : texts) {
      DecimalDigits number;
      ReadDecimalDigits(text, number);
      if (digits) {
        AppendDigitsMasked(out, number, mask);
        AppendDigitsGeneral(out, number);
      } else {
        const float value = ToSingle(number.value);
        Append(out, Masked(value, mask), General(value));
      }
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kHoles);
}
BENCHMARK(BM_CoordinateTexts)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
