// Speed of the wire-cut readers: a wire program of 1 million lines (cuts
// with integer and decimal coordinates, radius arcs, M codes, comments and
// a shape call now and then), a custom-macro program whose IF ... GOTO
// loop expands to 1 million moves, and a custom-macro program of 600,000
// lines as a file holds it (CP932 bytes with a Japanese comment): openings
// whose lines repeat with new values, short loops and subprogram calls.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "wire/wire_gcode.h"
#include "wire/wire_macro.h"
#include "wire/wire_milling.h"
#include "nc_text.h"

namespace kovrel {
namespace {

using bench::Next;

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

const std::string& MacroFile() {
  static const std::string text = [] {
    std::string out = "%\r\nO0001 (\x83\x8f\x83\x43\x83\x84\x81\x5b)\r\nG92X0Y0\r\nG90\r\n#3=12.5\r\n";
    char line[200];
    unsigned seed = 11;
    for (int n = 0; n < 100'000; ++n) {
      const double x = static_cast<int>(Next(seed) >> 8 & 0x3FFFF) / 1000.0 - 100;
      const double y = static_cast<int>(Next(seed) >> 8 & 0x1FFFF) / 1000.0 - 60;
      int length = std::snprintf(line, sizeof line,
                                 "#1=%.3f\r\n#2=%.3f\r\nG00X#1Y#2\r\nG01X[#1+5.]Y#2\r\n"
                                 "G02X[#1+5.]Y[#2-#3]I0J[-#3/2]\r\nG01X%.3fY%.3f\r\n",
                                 x, y, x, y - 12.5);
      out.append(line, static_cast<std::size_t>(length));
      if (n % 10 == 0) {
        length = std::snprintf(line, sizeof line,
                               "#5=0\r\nN%d\r\nG01X[#1+#5]Y[#2+#5*2]\r\n#5=#5+1\r\nIF[#5LT3]GOTO%d\r\n", n + 1000,
                               n + 1000);
        out.append(line, static_cast<std::size_t>(length));
      }
      if (n % 25 == 0) out += "M98P100\r\n";
    }
    return out + "G00X0Y0\r\nM30\r\n%\r\n";
  }();
  return text;
}

void BM_FanucWireOfAFile(benchmark::State& state) {
  const std::string& program = MacroFile();
  const SubprogramSource sub = [](const std::string& name) -> std::optional<std::string> {
    if (name != "O100") return std::nullopt;
    return "O100\r\nG91\r\nG41G01Y2.\r\nG02X0Y0I0J-2.\r\nG40G01Y-2.\r\nG90\r\nM99\r\n";
  };
  WireMacroOptions options;
  options.form = ProgramForm::kCp932;
  for (auto _ : state) {
    TextOutput out([](std::string& chunk) { benchmark::DoNotOptimize(chunk.data()); });
    benchmark::DoNotOptimize(FanucWire(program, sub, options, out));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * program.size()));
}
BENCHMARK(BM_FanucWireOfAFile)->Unit(benchmark::kMillisecond);

// The wire program above as a file's bytes, a Japanese comment every 5000 lines.
void BM_WireOfAFile(benchmark::State& state) {
  std::string program = WireProgram();
  for (std::size_t at = program.find("(HOLE"); at != std::string::npos; at = program.find("(HOLE", at)) {
    program.replace(at + 1, 4, "\x8c\x8a\x8c\x8a");  // (穴穴 n), as long as what it replaces
  }
  const auto run = state.range(0);
  for (auto _ : state) {
    TextOutput out([](std::string& chunk) { benchmark::DoNotOptimize(chunk.data()); });
    if (run == 0) {
      benchmark::DoNotOptimize(WireToGcode(program, out, ProgramForm::kCp932));
    } else {
      benchmark::DoNotOptimize(WireToMilling(program, out, ProgramForm::kCp932));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * program.size()));
}
BENCHMARK(BM_WireOfAFile)->Arg(0)->Arg(1)->ArgNames({"milling"})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel

BENCHMARK_MAIN();
