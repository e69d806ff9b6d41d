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
#include "dxf/gcode_dxf.h"
#include "nc_text.h"

namespace kovrel {
namespace {

// One group: the code right-aligned in three columns, then the value.
void Group(std::string& out, int code, const char* value) {
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%3d\r\n%s\r\n", code, value);
  out.append(line, static_cast<std::size_t>(length));
}

void Number(std::string& out, int code, double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  Group(out, code, text);
}

const std::string& Drawing() {
  static const std::string text = [] {
    std::string out;
    Group(out, 0, "SECTION");
    Group(out, 2, "HEADER");
    Group(out, 9, "$ACADVER");
    Group(out, 1, "AC1009");
    Group(out, 0, "ENDSEC");
    Group(out, 0, "SECTION");
    Group(out, 2, "ENTITIES");
    unsigned seed = 17;
    char layer[16];
    for (int entities = 0; entities < 200'000;) {
      seed = seed * 1103515245u + 12345u;
      const double x = (seed >> 8) % 300000 / 1000.0, y = (seed >> 4) % 200000 / 1000.0;
      std::snprintf(layer, sizeof layer, "LAYER%u", seed % 20);
      const unsigned kind = (seed >> 16) % 20;
      if (kind < 11) {
        Group(out, 0, "LINE");
        Group(out, 8, layer);
        Number(out, 10, x);
        Number(out, 20, y);
        Number(out, 30, 0);
        Number(out, 11, x + 12.5);
        Number(out, 21, y - 3.25);
        Number(out, 31, 0);
        entities += 1;
      } else if (kind < 14) {
        Group(out, 0, "ARC");
        Group(out, 8, layer);
        Number(out, 10, x);
        Number(out, 20, y);
        Number(out, 30, 0);
        Number(out, 40, 2.5 + kind);
        Number(out, 50, seed % 360);
        Number(out, 51, (seed >> 3) % 360);
        entities += 1;
      } else if (kind < 16) {
        Group(out, 0, "CIRCLE");
        Group(out, 8, layer);
        Number(out, 10, x);
        Number(out, 20, y);
        Number(out, 30, 0);
        Number(out, 40, 0.4 + kind / 10.0);
        entities += 1;
      } else if (kind < 17) {
        Group(out, 0, "POINT");
        Group(out, 8, layer);
        Number(out, 10, x);
        Number(out, 20, y);
        Number(out, 30, 0);
        entities += 1;
      } else {
        // A closed outline of four vertices, two of them rounded.
        Group(out, 0, "POLYLINE");
        Group(out, 8, layer);
        Group(out, 66, "1");
        Group(out, 70, "1");
        const double corners[4][3] = {{0, 0, 0}, {40, 0, 0.41421356}, {50, 10, 0}, {50, 30, -1}};
        for (const auto& corner : corners) {
          Group(out, 0, "VERTEX");
          Group(out, 8, layer);
          Number(out, 10, x + corner[0]);
          Number(out, 20, y + corner[1]);
          Number(out, 30, 0);
          if (corner[2] != 0) Number(out, 42, corner[2]);
        }
        Group(out, 0, "SEQEND");
        Group(out, 8, layer);
        entities += 6;
      }
    }
    Group(out, 0, "ENDSEC");
    Group(out, 0, "EOF");
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
