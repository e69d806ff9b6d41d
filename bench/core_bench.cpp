// Speed of the core readers and writers: CP932 decoding with line
// splitting, and number reading with mask formatting.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/append.h"
#include "core/cp932.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "nc_text.h"

namespace kovrel {
namespace {

// The bytes of a file as read, decoded and split into lines. The file
// buffer is prepared outside the timing, as reading the file makes it.
void BM_DecodeAndSplitLines(benchmark::State& state) {
  const std::string bytes = bench::MakeNcProgram(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = bytes;
    state.ResumeTiming();
    DecodeCp932InPlace(text);
    LineReader reader(text);
    std::string_view line;
    std::size_t lines = 0;
    while (reader.Next(line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeAndSplitLines)->Arg(100)->Unit(benchmark::kMillisecond);

// The same with a Japanese comment on every tenth line: the text is
// transcoded into a new buffer (first-touch memory included).
void BM_DecodeJapaneseAndSplitLines(benchmark::State& state) {
  std::string bytes;
  const std::string program = bench::MakeNcProgram(static_cast<std::size_t>(state.range(0)) << 20);
  LineReader lines(program);
  std::string_view line;
  for (int n = 0; lines.Next(line); ++n) {
    bytes.append(line);
    if (n % 10 == 0) bytes.append("(\x8c\x8a\x82\xa0\x82\xaf \x83\x54\x83\x93\x83\x76\x83\x8b)");  // (穴あけ サンプル)
    bytes.append("\r\n");
  }
  for (auto _ : state) {
    const std::string text = DecodeCp932(bytes);
    LineReader reader(text);
    std::size_t count = 0;
    while (reader.Next(line)) ++count;
    benchmark::DoNotOptimize(count);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeJapaneseAndSplitLines)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_EncodeCp932(benchmark::State& state) {
  const std::string text = bench::MakeNcProgram(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeCp932(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_EncodeCp932)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ReadNumberAndFormatMask(benchmark::State& state) {
  std::vector<std::string> values;
  unsigned seed = 1;
  char text[32];
  for (int i = 0; i < 4096; ++i) {
    seed = seed * 1103515245u + 12345u;
    std::snprintf(text, sizeof text, "%s%u.%04u", (seed & 1) ? "-" : "", (seed >> 8) % 1000, (seed >> 4) % 10000);
    values.emplace_back(text);
  }
  const Mask mask = ParseMask("#######0.0###");
  for (auto _ : state) {
    for (const std::string& value : values) {
      benchmark::DoNotOptimize(FormatMask(static_cast<float>(ReadNumber(value)), mask));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_ReadNumberAndFormatMask);

// Coordinates written as the conversions write them: appended to an output.
void BM_FormatMaskIntoOutput(benchmark::State& state) {
  std::vector<float> values;
  unsigned seed = 1;
  for (int i = 0; i < 4096; ++i) {
    seed = seed * 1103515245u + 12345u;
    const double magnitude = (seed >> 8) % 1000 + ((seed >> 4) % 10000) / 1e4;
    values.push_back(static_cast<float>((seed & 1) ? -magnitude : magnitude));
  }
  const Mask mask = ParseMask("#######0.0###");
  std::string out;
  for (auto _ : state) {
    out.clear();
    for (const float value : values) Append(out, Masked(value, mask));
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_FormatMaskIntoOutput);

}  // namespace
}  // namespace kovrel
