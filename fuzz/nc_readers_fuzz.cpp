// Fuzz target: the readers of Gerber, router, HP-GL and G-code text (the
// conversions of the convert layer), the figure loader of the view, the
// drawing (GrSub) of what it loaded in both arc modes, fitted, zoomed to the
// smallest and to the widest view, the snap of the coordinate check, the
// figure edits of the text and the tables, and the width-file reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "convert/gcode_gerber.h"
#include "convert/gcode_hpgl.h"
#include "convert/gcode_sort.h"
#include "convert/gerber_format.h"
#include "convert/hpgl_gcode.h"
#include "convert/router_format.h"
#include "core/cp932.h"
#include "graphic/coordinate_check.h"
#include "graphic/figure.h"
#include "graphic/figure_edits.h"
#include "graphic/layer_widths.h"
#include "graphic/view.h"
#include "reported.h"

namespace {

// A canvas that only counts: the drawing must end, whatever it draws.
class CountingCanvas : public kovrel::Canvas {
 public:
  double Width() const override { return 640; }
  double Height() const override { return 480; }
  void SetWindow(const kovrel::Window&) override {}
  void Clear(int) override {}
  void SetColor(int) override {}
  void SetStyle(kovrel::LineStyle) override {}
  void Line(double, double, double, double) override { ++calls; }
  void Circle(double, double, double) override { ++calls; }
  void Arc(double, double, double, double, double) override { ++calls; }
  void Point(double, double) override { ++calls; }
  long calls = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned pick = data[0];
  const std::string text = kovrel::DecodeCp932(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  using namespace kovrel;
  using fuzz::Guarded;
  Guarded([&] { FormatGerber(text, {(pick & 1) != 0, static_cast<GerberUnit>((pick >> 1) % 7)}); });
  Guarded([&] { FormatRouter(text, {static_cast<RouterUnit>((pick >> 4) % 3), (pick & 64) != 0}); });
  Guarded([&] { HpglToGcode(text); });
  Guarded([&] { GcodeToHpgl(text); });
  Guarded([&] { GcodeToGerber(text, {static_cast<GerberOutputUnit>(pick % 4), "*"}); });
  Guarded([&] { GroupGcode(text); });
  TidyRapidMoves(text);
  Guarded([&] {
    FigureTables figure;
    if (LoadFigure(figure, text) == FigureLoad::kMixed) return;
    ViewBox box;
    Home(figure, box);
    PictureGcode(figure);
    RegenerateHoleData(figure);
    CountingCanvas canvas;
    PickTable picks;
    DrawOptions options;
    options.g00_lines = (pick & 2) != 0;
    for (const bool lines : {false, true}) {
      options.arcs_as_lines = lines;
      Home(figure, box);
      GrSub(figure, box, options, canvas, picks);
      while (ZoomIn(box)) {
      }
      GrSub(figure, box, options, canvas, picks);
      while (ZoomOut(box)) {
      }
      GrSub(figure, box, options, canvas, picks);
    }
    CoordinateCheck check;
    check.Click(picks, 0, 0, box.ArcStep);
    const float amount = static_cast<float>(pick % 7) - 3.5f;
    for (const FigureEdit& edit : {FigureEdit::Mirror(MirrorAxis::kX), FigureEdit::Mirror(MirrorAxis::kSwap),
                                   FigureEdit::Move(amount, -amount), FigureEdit::Scale(amount)}) {
      Guarded([&] { EditDocument(text, edit, KindOf(figure)); });
      EditFigure(figure, edit);
    }
  });
  ReadWidthFile(text);
  return 0;
}
