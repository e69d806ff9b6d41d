// Printing and export of the figure, without the printer itself: the print
// scale as typed, the page outline in world units, the view box of a page
// placed on the figure, the drawing of the figure onto a page, and the
// name a bitmap file gets.
#pragma once

#include <string>
#include <string_view>

#include "graphic/canvas.h"
#include "graphic/figure.h"
#include "graphic/view.h"

namespace kovrel {

/// The print scale typed into the scale box: its number (full-width digits
/// read as digits); 0.1 or less, or text that is no number, gives 1.
/// Throws Failure 6 beyond a float's range.
float PrintScale(std::string_view text);

/// The scale as the box shows it again: "##0.000".
std::string PrintScaleText(float scale);

/// The page's printable area in world units at `scale`.
struct PageOutline {
  float width = 0, height = 0;
};
PageOutline PageOutlineFor(double printable_width_mm, double printable_height_mm, float scale);

/// The view box of the page whose top-left corner is the world point
/// (x, y): a world point then prints at ((x' - x) s, (y - y') s) mm from the
/// corner of the printable area. `arc_step` is the view's, for arcs drawn
/// as lines.
ViewBox PageBox(float x, float y, const PageOutline& page, float arc_step);

/// Draws the figure onto a page (a canvas as large as the printable area)
/// by the view's rules on white paper: hidden layers print nothing, black
/// ink prints every hole and element in black.
void PrintFigure(const FigureTables& figure, const ViewBox& page, DrawOptions options, Canvas& canvas);

/// The name a saved bitmap gets: a file part with a dot keeps the text up
/// to and including its first dot and gets "bmp" (fig.png becomes fig.bmp,
/// part.v2.bmp part.bmp); a file part without one gets ".bmp".
std::string BitmapFileName(std::string_view path);

}  // namespace kovrel
