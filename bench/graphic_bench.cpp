// Speed of the graphic view: loading a 1-million-line G-code program into
// the figure, one full GrSub redraw of 1 million elements onto a 1920 x 1080
// image, an X mirror of the program (figure and document), and one snap of
// the coordinate check among 1 million points.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "graphic/coordinate_check.h"
#include "graphic/figure.h"
#include "graphic/figure_edits.h"
#include "graphic/view.h"
#include "ui/platform/painter_canvas.h"

namespace kovrel {
namespace {

// A toolpath as NC programs have it: short cuts of 0.05 to 2 mm wandering
// over a 400 x 300 mm plate, small arcs, a rapid move and a tool change now
// and then.
const std::string& Program() {
  static const std::string text = [] {
    std::string out;
    char line[80];
    unsigned seed = 1;
    double x = 200, y = 150, heading = 0;
    for (int n = 0; n < 1'000'000; ++n) {
      seed = seed * 1103515245u + 12345u;
      int length;
      if (n % 5000 == 0) {
        length = std::snprintf(line, sizeof line, "D%d\r\n", 10 + (n / 5000) % 8);
      } else if (n % 997 == 0) {
        x = (seed >> 8) % 400;
        y = (seed >> 12) % 300;
        length = std::snprintf(line, sizeof line, "G00X%.3fY%.3f\r\n", x, y);
      } else if (seed % 20 == 0) {
        length = std::snprintf(line, sizeof line, "G02X%.3fY%.3fI0.5J0\r\n", x, y);  // a full circle of 0.5
      } else {
        heading += ((seed >> 4) % 1000 - 500) / 1000.0;
        const double step = 0.05 + ((seed >> 14) % 1000) / 520.0;
        x = std::min(400.0, std::max(0.0, x + step * std::cos(heading)));
        y = std::min(300.0, std::max(0.0, y + step * std::sin(heading)));
        length = std::snprintf(line, sizeof line, "G01X%.3fY%.3f\r\n", x, y);
      }
      out.append(line, static_cast<std::size_t>(length));
    }
    return out;
  }();
  return text;
}

void BM_LoadFigure(benchmark::State& state) {
  FigureTables figure;
  for (auto _ : state) LoadFigure(figure, Program());
  state.counters["elements"] = static_cast<double>(figure.FigElems.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Program().size()));
}
BENCHMARK(BM_LoadFigure)->Unit(benchmark::kMillisecond);

void BM_GrSubOneMillionElements(benchmark::State& state) {
  FigureTables figure;
  LoadFigure(figure, Program());
  ViewBox box;
  Home(figure, box);
  QImage image(1920, 1080, QImage::Format_RGB32);
  PickTable picks;
  for (auto _ : state) {
    QPainter painter(&image);
    PainterCanvas canvas(painter, image.width(), image.height());
    GrSub(figure, box, DrawOptions{}, canvas, picks);
  }
  state.counters["elements"] = static_cast<double>(figure.FigElems.size());
}
BENCHMARK(BM_GrSubOneMillionElements)->Unit(benchmark::kMillisecond);

// The X mirror as the view runs it: the tables and the document text.
void BM_MirrorOneMillionLines(benchmark::State& state) {
  FigureTables figure;
  LoadFigure(figure, Program());
  const FigureEdit mirror = FigureEdit::Mirror(MirrorAxis::kX);
  std::size_t written = 0;
  for (auto _ : state) {
    EditFigure(figure, mirror);
    written = EditDocument(Program(), mirror, FigureKind::kGcode).size();
    benchmark::DoNotOptimize(written);
  }
  state.counters["elements"] = static_cast<double>(figure.FigElems.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Program().size()));
}
BENCHMARK(BM_MirrorOneMillionLines)->Unit(benchmark::kMillisecond);

// One click of the coordinate check among 1 million snap points spread over
// a 400 x 300 plate (more than the drawing collects: it keeps about 100 000).
void BM_SnapAmongOneMillionPoints(benchmark::State& state) {
  PickTable picks;
  picks.points.reserve(1'000'001);
  unsigned seed = 7;
  for (int n = 0; n < 1'000'000; ++n) {
    seed = seed * 1103515245u + 12345u;
    picks.points.push_back({1, static_cast<float>((seed >> 8) % 400000) / 1000, static_cast<float>((seed >> 4) % 300000) / 1000, 0, 0});
  }
  float x = 0;
  int found = 0;
  for (auto _ : state) {
    x = x < 399 ? x + 1.37f : 0;
    found = NearestPick(picks, x, 150, 3);
    benchmark::DoNotOptimize(found);
  }
  state.counters["points"] = static_cast<double>(picks.PickCount());
}
BENCHMARK(BM_SnapAmongOneMillionPoints)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
