// The shape calls of wire-cut programs ("G22L1000" ...): the outline of a
// rectangle, slot, flatted circle, circle, D shape or rounded rectangle
// around a reference point, drawn by a turtle that steps from that point
// and writes the G01/G02 lines of the outline. Every outline runs
// clockwise and ends where it began.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kovrel {

/// The shape codes, in the order a line holding several draws them.
inline constexpr std::array<std::string_view, 18> kShapeCodes = {
    "L1000", "L1100", "L1200", "L2000", "L2100", "L2200", "L3000", "L4000", "L4100",
    "L4200", "L5000", "L5100", "L5200", "L6000", "L6100", "L6200", "L7000", "L8000"};

/// The sizes a shape call reads from the H variables.
struct ShapeSizes {
  float width = 0;         ///< W, H100
  float height = 0;        ///< T, H200
  float corner = 0.2f;     ///< the corner radius of L5000 to L5200, H150
  /// The corner radii of L6000 to L6200, H110 to H140: top right, bottom
  /// right, bottom left, top left.
  std::array<float, 4> corners = {0.2f, 0.2f, 0.2f, 0.2f};
};

/// Appends the outline of the shape `code` (one of kShapeCodes) whose
/// reference point is (x0, y0), turned by `angle` degrees about it (the
/// full circles are not turned): the approach line from the reference
/// point, then the outline. Throws Failure 5 for a flatted circle whose
/// flats lie outside its circle, Failure 6 for a point beyond a float's
/// range.
void DrawShape(std::string_view code, const ShapeSizes& sizes, float angle, float x0, float y0, std::string& out);

}  // namespace kovrel
