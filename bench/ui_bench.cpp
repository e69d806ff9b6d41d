// Speed of opening a large NC program into the editor window: a 25 MB,
// 1-million-line file read, decoded, loaded into RichTextBox1 and painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "core/append.h"
#include "core/edit_module.h"
#include "core/file_io.h"
#include "core/settings_store.h"
#include "convert/gcode_gerber.h"
#include "convert/gcode_hpgl.h"
#include "convert/gcode_sort.h"
#include "graphic/figure_edits.h"
#include "ui/editor/edit_frm.h"
#include "ui/testing/recording_launcher.h"
#include "ui/testing/scripted_prompter.h"
#include "ui/editor/text_editor.h"
#include "ui/graphic/graphic_view.h"
#include "nc_text.h"

namespace kovrel {
namespace {

// About 25 bytes a line: "N123456X123.456Y-78.901\r\n".
std::string MillionLineProgram() {
  std::string text;
  text.reserve(26'000'000);
  char line[64];
  unsigned x = 1;
  for (int n = 0; n < 1'000'000; ++n) {
    x = x * 1103515245u + 12345u;
    const int length = std::snprintf(line, sizeof line, "N%06dX%u.%03uY-%u.%03u\r\n", n, (x >> 8) % 500,
                                     (x >> 4) % 1000, (x >> 12) % 90, (x >> 2) % 1000);
    text.append(line, static_cast<std::size_t>(length));
  }
  return text;
}

// An editor window with settings in memory, scripted prompts and recorded
// launches, its work files in /tmp.
struct BenchWindow {
  static EditModule InTmp() {
    EditModule module;
    module.ProgDir = "/tmp/";
    return module;
  }
  EditModule module = InTmp();
  MemorySettingsStore settings;
  ScriptedPrompter prompter;
  RecordingLauncher launcher;
  EditFrm frm{{module, settings, prompter, launcher}};
};

// Opens `text`, written to a file, in a shown editor window once an
// iteration: read, decoded, loaded and painted.
void TimeOpening(benchmark::State& state, const std::string& text) {
  const std::string path = "/tmp/kovrel-bench-open.nc";
  WriteFileBytes(path, text);
  BenchWindow window;
  EditFrm& frm = window.frm;
  frm.resize(1000, 700);
  frm.show();
  QApplication::processEvents();
  for (auto _ : state) {
    frm.OpenFile(QString::fromStdString(path));
    QApplication::processEvents();  // the first paint
    state.PauseTiming();
    frm.editor()->LoadText("");
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  RemoveFile(path);
}

void BM_OpenLargeFileIntoEditor(benchmark::State& state) {
  TimeOpening(state, MillionLineProgram());
  state.counters["lines"] = 1'000'000;
}
BENCHMARK(BM_OpenLargeFileIntoEditor)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 20 MB file of one line, as HP-GL and Gerber without line ends come.
void BM_OpenOneLineFile(benchmark::State& state) {
  std::string text;
  for (int n = 0; text.size() < 20'000'000; ++n) {
    Append(text, "PA", std::to_string(n % 9973), ",", std::to_string(n % 7919), ";PD;");
  }
  TimeOpening(state, text);
}
BENCHMARK(BM_OpenOneLineFile)->Unit(benchmark::kMillisecond)->Iterations(1);

// Handing the large document to a command and back: save to BAK.DAT,
// a conversion that returns its input, load of BAK1.DAT.
void BM_HandOffOfLargeDocument(benchmark::State& state) {
  const std::string program = MillionLineProgram();
  BenchWindow window;
  EditFrm& frm = window.frm;
  frm.editor()->LoadText(program);
  for (auto _ : state) {
    frm.RunHandOff(std::nullopt, [](std::string_view input) { return ConversionResult(std::string(input)); });
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size()));
}
BENCHMARK(BM_HandOffOfLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same round trip with real commands on a 25 MB program of moves: the time a
// user waits between choosing the command and seeing its result in the
// editor (work file written, converted, read back, loaded).
void BM_CommandThroughTheEditor(benchmark::State& state) {
  static const std::pair<const char*, Conversion> kCommands[] = {
      {"tidy", [](std::string_view text) { return ConversionResult(TidyRapidMoves(text)); }},
      {"group", [](std::string_view text) { return GroupGcode(text); }},
      {"to Gerber", [](std::string_view text) { return GcodeToGerber(text, GcodeToGerberOptions{}); }},
      {"to HP-GL", [](std::string_view text) { return GcodeToHpgl(text); }},
      {"X mirror",
       [](std::string_view text) {
         return ConversionResult(EditDocument(text, FigureEdit::Mirror(MirrorAxis::kX), FigureKind::kGcode));
       }},
  };
  const auto& [name, conversion] = kCommands[state.range(0)];
  const std::string program = bench::MakeMotionProgram(1'150'000);  // about 25 MB of moves and arcs
  BenchWindow window;
  EditFrm& frm = window.frm;
  for (auto _ : state) {
    state.PauseTiming();
    frm.editor()->LoadText(program);
    state.ResumeTiming();
    frm.RunHandOff(std::nullopt, conversion);
  }
  state.SetLabel(name);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size()));
}
BENCHMARK(BM_CommandThroughTheEditor)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(2);

// The graphic view on a program of a million moves in a 1920 x 1080
// window: opening it (the figure loaded, fitted and drawn), and one redraw
// (Home) as a key press asks for it. The program is a surfacing path as
// CAM writes it: a million short cuts (up to a millimetre) wandering over a
// 500 x 300 mm plate, a rapid move every thousand.
std::string MillionMoveProgram() {
  std::string text = "D10\r\n";
  text.reserve(30'000'000);
  char line[64];
  unsigned seed = 7;
  double x = 250, y = 150;
  for (int n = 0; n < 1'000'000; ++n) {
    seed = seed * 1103515245u + 12345u;
    x = std::clamp(x + ((seed >> 8) % 2001 - 1000.0) / 1000, 0.0, 500.0);
    y = std::clamp(y + ((seed >> 16) % 2001 - 1000.0) / 1000, 0.0, 300.0);
    const char* word = n % 1000 == 0 ? "G00" : "G01";
    const int length = std::snprintf(line, sizeof line, "%sX%.3fY%.3f\r\n", word, x, y);
    text.append(line, static_cast<std::size_t>(length));
  }
  return text;
}

// The editor at 1920 x 1080 holding the million moves.
struct ViewBench : BenchWindow {
  ViewBench() {
    frm.resize(1920, 1080);
    frm.editor()->LoadText(MillionMoveProgram());
  }
};

void BM_OpenGraphicViewOnAMillionMoves(benchmark::State& state) {
  ViewBench bench;
  for (auto _ : state) {
    bench.frm.MenuItem("MnuGrph")->trigger();
    auto* view = qobject_cast<MdiKovrel*>(bench.frm.GraphicWindow());
    view->resize(1920, 1080);
    QApplication::processEvents();
    view->picture()->WaitForDrawing();
    state.PauseTiming();
    view->close();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenGraphicViewOnAMillionMoves)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RedrawAMillionMoves(benchmark::State& state) {
  ViewBench bench;
  bench.frm.MenuItem("MnuGrph")->trigger();
  auto* view = qobject_cast<MdiKovrel*>(bench.frm.GraphicWindow());
  view->resize(1920, 1080);
  QApplication::processEvents();
  for (auto _ : state) {
    view->Command4Click(1);  // Home: a full redraw
    view->picture()->WaitForDrawing();
    QApplication::processEvents();
  }
  view->close();
}
BENCHMARK(BM_RedrawAMillionMoves)->Unit(benchmark::kMillisecond)->Iterations(3);

// The editor idle on a document of one very long line (G-code to HP-GL
// writes its whole result as one line): the share of a core the process
// uses over three seconds of doing nothing, with the caret blinking.
void BM_IdleWithALongLine(benchmark::State& state) {
  std::string line;
  line.reserve(15'600'000);
  for (int k = 0; line.size() < 15'600'000; ++k) line += "PD;PA" + std::to_string(k % 40000) + "," + std::to_string(k % 977) + ";";
  BenchWindow window;
  EditFrm& frm = window.frm;
  frm.resize(1000, 700);
  frm.show();
  frm.editor()->LoadText(line);
  frm.editor()->setFocus();
  // The first paint lays the line out; idle is what follows.
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 1500) QApplication::processEvents(QEventLoop::AllEvents, 50);
  double percent = 0;
  for (auto _ : state) {
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < 3000) {
      QApplication::processEvents(QEventLoop::AllEvents, 50);
      QThread::msleep(5);
    }
    getrusage(RUSAGE_SELF, &after);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_stime);
    percent = 100 * cpu / (static_cast<double>(wall.elapsed()) / 1000);
  }
  state.counters["idle_cpu_percent"] = percent;
}
BENCHMARK(BM_IdleWithALongLine)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace kovrel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
