// Speed of opening a large NC program into the editor window: a 25 MB,
// 1-million-line file read, decoded, loaded into RichTextBox1 and painted.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <string>

#include "core/edit_module.h"
#include "core/file_io.h"
#include "core/settings_store.h"
#include "ui/editor/edit_frm.h"
#include "ui/testing/recording_launcher.h"
#include "ui/testing/scripted_prompter.h"
#include "ui/editor/text_editor.h"

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

void BM_OpenLargeFileIntoEditor(benchmark::State& state) {
  const std::string path = "/tmp/kovrel-bench-1m.nc";
  const std::string program = MillionLineProgram();
  WriteFileBytes(path, program);
  EditModule module;
  module.ProgDir = "/tmp/";
  MemorySettingsStore settings;
  ScriptedPrompter prompter;
  RecordingLauncher launcher;
  EditFrm frm({module, settings, prompter, launcher});
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
  state.counters["lines"] = 1'000'000;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size()));
  RemoveFile(path);
}
BENCHMARK(BM_OpenLargeFileIntoEditor)->Unit(benchmark::kMillisecond)->Iterations(3);

// Handing the large document to a command and back: save to BAK.DAT,
// a conversion that returns its input, load of BAK1.DAT.
void BM_HandOffOfLargeDocument(benchmark::State& state) {
  const std::string program = MillionLineProgram();
  EditModule module;
  module.ProgDir = "/tmp/";
  MemorySettingsStore settings;
  ScriptedPrompter prompter;
  RecordingLauncher launcher;
  EditFrm frm({module, settings, prompter, launcher});
  frm.editor()->LoadText(program);
  for (auto _ : state) {
    frm.RunHandOff(std::nullopt, [](std::string_view input) { return ConversionResult(std::string(input)); });
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(program.size()));
}
BENCHMARK(BM_HandOffOfLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

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
