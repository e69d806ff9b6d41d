// Speed of the G-code, HP-GL, Gerber and router conversions on large
// inputs: 1 million G-code lines, 500,000 Gerber blocks, 500,000 HP-GL pen
// moves, 1 million router lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "convert/gcode_gerber.h"
#include "convert/gcode_hpgl.h"
#include "convert/gcode_sort.h"
#include "convert/gerber_format.h"
#include "convert/hpgl_gcode.h"
#include "convert/router_format.h"
#include "nc_text.h"

namespace kovrel {
namespace {

using bench::Next;

const std::string& Gcode() {
  static const std::string text = bench::MakeMotionProgram(1'000'000);
  return text;
}

const std::string& Gerber() {
  static const std::string text = [] {
    std::string out = "%FSLAX33Y33*%\r\n%MOMM*%\r\n%ADD10C,0.2*%\r\n%ADD11C,1.0*%\r\n";
    char line[64];
    unsigned seed = 5;
    for (int n = 0; n < 500'000; ++n) {
      const unsigned r = Next(seed);
      const char* d = n % 5000 == 0 ? "D11" : (r % 4 == 0 ? "D02" : (r % 17 == 0 ? "D03" : "D01"));
      const int length = std::snprintf(line, sizeof line, "X%uY%u%s*\r\n", (r >> 8) % 300000, (r >> 3) % 200000, d);
      out.append(line, static_cast<std::size_t>(length));
    }
    return out + "M02*\r\n";
  }();
  return text;
}

const std::string& Hpgl() {
  static const std::string text = [] {
    std::string out = "IN;SP1;";
    char move[48];
    unsigned seed = 9;
    for (int n = 0; n < 500'000; ++n) {
      const unsigned r = Next(seed);
      const int length = std::snprintf(move, sizeof move, "%s%u,%u;", r % 3 == 0 ? "PU" : "PD", (r >> 8) % 12000,
                                       (r >> 3) % 8000);
      out.append(move, static_cast<std::size_t>(length));
    }
    return out + "PU;SP0;";
  }();
  return text;
}

const std::string& Router() {
  static const std::string text = [] {
    std::string out = "%\r\nG90\r\nT1\r\n";
    char line[64];
    unsigned seed = 11;
    for (int n = 0; n < 1'000'000; ++n) {
      const unsigned r = Next(seed);
      const int length = r % 8 == 0 ? std::snprintf(line, sizeof line, "Z%d\r\n", r % 16 == 0 ? 1000 : -1000)
                                    : std::snprintf(line, sizeof line, "G01X%uY%u\r\n", (r >> 8) % 300000,
                                                    (r >> 3) % 200000);
      out.append(line, static_cast<std::size_t>(length));
    }
    return out + "M30\r\n";
  }();
  return text;
}

template <typename Convert>
void Run(benchmark::State& state, const std::string& input, Convert convert) {
  for (auto _ : state) benchmark::DoNotOptimize(convert(input));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.size()));
}

void BM_GcodeToHpgl(benchmark::State& s) { Run(s, Gcode(), [](const std::string& in) { return GcodeToHpgl(in); }); }
void BM_GcodeToGerber(benchmark::State& s) {
  Run(s, Gcode(), [](const std::string& in) { return GcodeToGerber(in, {}); });
}
void BM_GcodeGroup(benchmark::State& s) { Run(s, Gcode(), [](const std::string& in) { return GroupGcode(in); }); }
void BM_GcodeTidy(benchmark::State& s) { Run(s, Gcode(), [](const std::string& in) { return TidyRapidMoves(in); }); }
void BM_GerberToGcode(benchmark::State& s) {
  Run(s, Gerber(), [](const std::string& in) { return FormatGerber(in, {}); });
}
void BM_HpglToGcode(benchmark::State& s) { Run(s, Hpgl(), [](const std::string& in) { return HpglToGcode(in); }); }
void BM_RouterToGcode(benchmark::State& s) {
  Run(s, Router(), [](const std::string& in) { return FormatRouter(in, {}); });
}

BENCHMARK(BM_GcodeToHpgl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToGerber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeGroup)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeTidy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GerberToGcode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HpglToGcode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouterToGcode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
