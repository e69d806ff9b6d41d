// Speed of the DXF conversions: DXF to G-code of a drawing of 200,000
// entities (lines, arcs, circles, points and polylines with bulges on 20
// layers) and G-code to DXF of a program of 1 million lines. With
// KOVREL_BENCH_DXF set to a path, the drawing is also written there, so
// that another DXF reader can be timed on the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/file_io.h"
#include "dxf/dxf_gcode.h"
#include "dxf/dxf_writer.h"
#include "dxf/gcode_dxf.h"
#include "nc_text.h"

namespace kovrel {
namespace {

std::string Text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// Lines, arcs, circles and points written as the program writes them, and
// closed outlines of four vertices, two of them rounded, as POLYLINE,
// VERTEX and SEQEND.
const std::string& Drawing() {
  static const std::string text = [] {
    std::string out;
    AppendDxfStart(out, "LAYER0", {});
    unsigned seed = 17;
    char layer[16];
    for (int entities = 0; entities < 200'000;) {
      seed = seed * 1103515245u + 12345u;
      const double x = (seed >> 8) % 300000 / 1000.0, y = (seed >> 4) % 200000 / 1000.0;
      std::snprintf(layer, sizeof layer, "LAYER%u", seed % 20);
      const DxfEntityHead head{layer, "7"};
      const unsigned kind = (seed >> 16) % 20;
      if (kind < 11) {
        AppendDxfLine(out, head, Text(x), Text(y), Text(x + 12.5), Text(y - 3.25));
        entities += 1;
      } else if (kind < 14) {
        AppendDxfArc(out, head, Text(x), Text(y), Text(2.5 + kind), Text(seed % 360), Text((seed >> 3) % 360));
        entities += 1;
      } else if (kind < 16) {
        AppendDxfCircle(out, head, Text(x), Text(y), Text(0.4 + kind / 10.0));
        entities += 1;
      } else if (kind < 17) {
        AppendDxfPoint(out, head, Text(x), Text(y));
        entities += 1;
      } else {
        AppendDxfGroup(out, 0, "POLYLINE");
        AppendDxfGroup(out, 8, layer);
        AppendDxfGroup(out, 66, "1");
        AppendDxfGroup(out, 70, "1");
        const double corners[4][3] = {{0, 0, 0}, {40, 0, 0.41421356}, {50, 10, 0}, {50, 30, -1}};
        for (const auto& corner : corners) {
          AppendDxfGroup(out, 0, "VERTEX");
          AppendDxfGroup(out, 8, layer);
          AppendDxfGroup(out, 10, Text(x + corner[0]));
          AppendDxfGroup(out, 20, Text(y + corner[1]));
          if (corner[2] != 0) AppendDxfGroup(out, 42, Text(corner[2]));
        }
        AppendDxfGroup(out, 0, "SEQEND");
        entities += 6;
      }
    }
    AppendDxfEnd(out);
    if (const char* path = std::getenv("KOVREL_BENCH_DXF")) WriteFileBytes(path, out);
    return out;
  }();
  return text;
}

const std::string& Program() {
  static const std::string text = bench::MakeMotionProgram(1'000'000);
  return text;
}

void BM_DxfToGcode(benchmark::State& state) {
  const std::string& input = Drawing();
  for (auto _ : state) benchmark::DoNotOptimize(DxfToGcode(input));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.size()));
}

void BM_GcodeToDxf(benchmark::State& state) {
  const std::string& input = Program();
  for (auto _ : state) benchmark::DoNotOptimize(GcodeToDxf(input, DxfColourOptions{}));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.size()));
}

BENCHMARK(BM_DxfToGcode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToDxf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
