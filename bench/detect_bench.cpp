// Speed of the format detection on 100 MB documents (Gerber, drill data,
// G-code): it reads the first 64 KiB and a sample of the rest, so the size
// must not matter (the aim is well under 10 ms a document).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "detect/format_detect.h"
#include "nc_text.h"

namespace kovrel {
namespace {

constexpr std::size_t kBytes = 100u * 1024 * 1024;

using bench::Next;

// A Gerber file: header, apertures, then draws and flashes.
const std::string& Gerber() {
  static const std::string text = [] {
    std::string out = "G04 bench*\r\n%FSLAX24Y24*%\r\n%MOIN*%\r\n%ADD10C,0.0100*%\r\n%ADD11R,0.0600X0.0400*%\r\n";
    out.reserve(kBytes + 64);
    char line[64];
    unsigned seed = 7;
    while (out.size() < kBytes) {
      const unsigned r = Next(seed);
      const int length = std::snprintf(line, sizeof line, "X%uY%uD0%u*\r\n", (r >> 8) % 100000, (r >> 3) % 80000,
                                       1 + r % 3);
      out.append(line, static_cast<std::size_t>(length));
    }
    return out;
  }();
  return text;
}

// A drill file whose header says nothing of the zeros: the guess needs
// the sample.
const std::string& Drill() {
  static const std::string text = [] {
    std::string out = "M48\r\nM72\r\nT1C0.028\r\nT2C0.035\r\n%\r\nT1\r\n";
    out.reserve(kBytes + 64);
    char line[64];
    unsigned seed = 11;
    while (out.size() < kBytes) {
      const unsigned r = Next(seed);
      const int length = std::snprintf(line, sizeof line, "X%uY%u\r\n", 100 + (r >> 8) % 40000, 100 + (r >> 3) % 30000);
      out.append(line, static_cast<std::size_t>(length));
    }
    return out;
  }();
  return text;
}

void BM_DetectGerber100MB(benchmark::State& state) {
  const std::string& text = Gerber();
  for (auto _ : state) benchmark::DoNotOptimize(DetectFormat(text));
}
BENCHMARK(BM_DetectGerber100MB)->Unit(benchmark::kMillisecond);

void BM_DetectDrill100MB(benchmark::State& state) {
  const std::string& text = Drill();
  for (auto _ : state) benchmark::DoNotOptimize(DetectFormat(text));
}
BENCHMARK(BM_DetectDrill100MB)->Unit(benchmark::kMillisecond);

void BM_DetectGcode100MB(benchmark::State& state) {
  static const std::string text = bench::MakeNcProgram(kBytes);
  for (auto _ : state) benchmark::DoNotOptimize(DetectFormat(text));
}
BENCHMARK(BM_DetectGcode100MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
