// Fuzz target: the readers of Gerber, router, HP-GL and G-code text (the
// conversions of the convert layer) and the figure loader of the view.
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
#include "core/failure.h"
#include "graphic/figure.h"
#include "graphic/view.h"

namespace {

template <typename Run>
void Guarded(Run run) {
  try {
    run();
  } catch (const kovrel::Failure&) {
    // Bad input ends in a reported failure, never in a crash.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned pick = data[0];
  const std::string text = kovrel::DecodeCp932(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  using namespace kovrel;
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
  });
  return 0;
}
