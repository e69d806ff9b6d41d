// Coordinate reading and writing shared by the Gerber and router
// formatting: the number after a letter in a unit of the data, converted to
// millimetres, the coordinate mask, and the radius-arc line.
#pragma once

#include <string>
#include <string_view>

namespace kovrel {

/// A unit of the data: millimetres are the number read times `factor`
/// times 0.001; with a `field_width` the digits are a leading-zero field of
/// that many places read as thousandths of a millimetre.
struct CoordinateUnit {
  double factor = 1;
  int field_width = 0;
};

/// The coordinate at the start of `after_letter`: the characters while they
/// are among " 0123456789.-+" (blanks skipped), in millimetres; 0 when none.
float ReadCoordinate(std::string_view after_letter, CoordinateUnit unit);

/// A coordinate with the mask "######0.0####".
std::string FormatCoordinate(float millimetres);

/// The arc line for a radius arc from (px, py) to (x, y) with the signed
/// radius r: motion word, X, Y, I, J with the mask "#####0.0###". Throws
/// Failure 380 when the radius is shorter than half the chord.
std::string RadiusArcLine(const std::string& motion, float px, float py, float x, float y, float r);

}  // namespace kovrel
