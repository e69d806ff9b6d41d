// Speed of the wire-cut readers: a wire program of 1 million lines (cuts
// with integer and decimal coordinates, radius arcs, M codes, comments and
// a shape call now and then), and a custom-macro program whose IF ... GOTO
// loop expands to 1 million moves.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "wire/wire_gcode.h"
#include "wire/wire_macro.h"

namespace kovrel {
namespace {

unsigned Next(unsigned& seed) { return seed = seed * 1103515245u + 12345u; }

const std::string& WireProgram() {
  static const std::string text = [] {
    std::string out = "G92X0Y0\r\nH100=20000\r\nH200=10000\r\n";
    char line[80];
    unsigned seed = 7;
    for (int n = 0; n < 1'000'000; ++n) {
      const unsigned r = Next(seed);
      int length;
      if (n % 5000 == 0) {
        length = std::snprintf(line, sizeof line, "(HOLE %d)\r\n", n / 5000);
      } else if (n % 5000 == 1) {
        length = std::snprintf(line, sizeof line, "G00X%u.Y%u.\r\n", (r >> 8) % 300, (r >> 12) % 200);
      } else if (n % 5000 == 2) {
        length = std::snprintf(line, sizeof line, "M60\r\n");
      } else if (n % 5000 == 3) {
        length = std::snprintf(line, sizeof line, "G22L5000\r\n");
      } else if (r % 10 == 0) {
        length = std::snprintf(line, sizeof line, "G02X%u.%03uY%u.%03uR500.\r\n", (r >> 8) % 300, (r >> 4) % 1000,
                               (r >> 12) % 200, (r >> 2) % 1000);
      } else if (r % 10 == 1) {
        length = std::snprintf(line, sizeof line, "G01X%u.%03uY%u.%03u\r\n", (r >> 8) % 300, (r >> 4) % 1000,
                               (r >> 12) % 200, (r >> 2) % 1000);
      } else {
        length = std::snprintf(line, sizeof line, "G01X%uY%u\r\n", (r >> 8) % 300000, (r >> 3) % 200000);
      }
      out.append(line, static_cast<std::size_t>(length));
    }
    return out + "M30\r\n";
  }();
  return text;
}

void BM_WireToGcode(benchmark::State& state) {
  const std::string& program = WireProgram();
  for (auto _ : state) benchmark::DoNotOptimize(WireToGcode(program));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * program.size()));
}
BENCHMARK(BM_WireToGcode)->Unit(benchmark::kMillisecond);

// The loop runs four blocks a move: the label, the count, the move and the test.
void BM_MacroLoopOfAMillionMoves(benchmark::State& state) {
  const std::string program =
      "G92X0Y0\r\n#1=0\r\nG01\r\nN10\r\n#1=#1+1\r\nX[#1*.001]Y[#1/2000-#1*.0005+#1*.002]\r\n"
      "IF[#1LT1000000]GOTO10\r\nM30\r\n";
  const SubprogramSource none = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
  std::int64_t moves = 0;
  for (auto _ : state) {
    const WireExpansion expansion = ExpandWireMacro(program, none);
    moves = expansion.moves;
    benchmark::DoNotOptimize(expansion.text.data());
  }
  state.counters["moves"] = static_cast<double>(moves);
  state.SetItemsProcessed(state.iterations() * moves);
}
BENCHMARK(BM_MacroLoopOfAMillionMoves)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel

BENCHMARK_MAIN();
