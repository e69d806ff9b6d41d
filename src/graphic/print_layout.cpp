// Print scale, page placement and the bitmap name.
#include "graphic/print_layout.h"

#include "core/number_format.h"
#include "core/number_reader.h"

namespace kovrel {

float PrintScale(std::string_view text) {
  const float scale = ToSingle(ReadNumber(HalfWidthNumberText(text)));
  return scale <= 0.1f ? 1.0f : scale;
}

std::string PrintScaleText(float scale) {
  static const Mask mask = ParseMask("##0.000");
  return FormatMask(scale, mask);
}

PageOutline PageOutlineFor(double printable_width_mm, double printable_height_mm, float scale) {
  return {static_cast<float>(printable_width_mm / scale), static_cast<float>(printable_height_mm / scale)};
}

ViewBox PageBox(float x, float y, const PageOutline& page, float arc_step) {
  ViewBox box;
  box.ViewLeft = x;
  box.ViewRight = x + page.width;
  box.ViewTop = y;
  box.ViewBottom = y - page.height;
  box.ViewWidth = page.width;
  box.ViewHeight = page.height;
  box.ViewCenterX = x + page.width / 2;
  box.ViewCenterY = y - page.height / 2;
  box.ArcStep = arc_step;
  return box;
}

void PrintFigure(const FigureTables& figure, const ViewBox& page, DrawOptions options, Canvas& canvas) {
  options.white_paper = true;
  options.base_lines = false;
  PickTable picks;
  GrSub(figure, page, options, canvas, picks);
}

std::string BitmapFileName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t file = slash == std::string_view::npos ? 0 : slash + 1;
  const std::size_t dot = path.find('.', file);
  if (dot == std::string_view::npos) return std::string(path) + ".bmp";
  return std::string(path.substr(0, dot + 1)) + "bmp";
}

}  // namespace kovrel
