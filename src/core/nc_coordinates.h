// Coordinates of NC data shared by the readers of every format: the value
// after a letter in a unit of the data, converted to millimetres; the modal
// axis that keeps the last value and the incremental sum; the motion item
// read without modal values; the coordinate masks; and the radius-arc line,
// the one rule that turns a G02/G03 with a signed radius R into centre
// offsets I and J.
#pragma once

#include <string>
#include <string_view>

#include "core/number_format.h"
#include "core/text_reader.h"

namespace kovrel {

/// The factor from inches to millimetres; inch data is read in millimetres
/// by multiplying every coordinate by it.
inline constexpr double kMillimetresPerInch = 25.4;

/// A unit of the data: millimetres are the number read times `factor`
/// times 0.001; with a `field_width` the number read is a leading-zero field
/// of that many places (factor 1: thousandths of a millimetre).
struct CoordinateUnit {
  double factor = 1;
  int field_width = 0;
};

/// The coordinate at the start of `after_letter`: the characters while they
/// are among " 0123456789.-+" (blanks skipped), in millimetres; 0 when none.
/// Throws Failure 6 beyond a float's range.
float ReadCoordinate(std::string_view after_letter, CoordinateUnit unit);

/// One axis of modal coordinates: the last value and, for incremental
/// data, the running sum. A block without the axis's letter keeps both.
struct ModalAxis {
  float value = 0;
  float sum = 0;

  /// When `block` holds `letter`, reads the text after it with `read`
  /// (text to millimetres); incremental values add to the sum, which
  /// becomes the value. Returns whether the block gave the axis.
  template <typename Read>
  bool Take(std::string_view block, std::string_view letter, bool incremental, Read&& read) {
    const std::size_t at = FindLetter(block, letter);
    return TakeAfter(block, at == std::string_view::npos ? at : at + letter.size(), incremental, read);
  }

  /// The same with the letter already found: `after` is the position just
  /// after it (npos when the block lacks it).
  template <typename Read>
  bool TakeAfter(std::string_view block, std::size_t after, bool incremental, Read&& read) {
    if (after == std::string_view::npos) return false;
    value = read(block.substr(after));
    if (incremental) value = sum += value;
    return true;
  }
};

/// A motion item as the conversions into other formats read it: the G
/// number and X, Y, I, J, each the number after its first letter and 0 when
/// the letter is missing (the values are not modal).
struct NcMotion {
  float g = 0, x = 0, y = 0, i = 0, j = 0;
};

/// Reads `item`'s motion. Throws Failure 6 beyond a float's range.
NcMotion ReadMotion(std::string_view item);

/// For a motion item (IsMotionItem) reads its motion as ReadMotion does and
/// returns true; false for any other item. The item is scanned once.
bool ReadMoveItem(std::string_view item, NcMotion& motion);

/// The mask of a coordinate in millimetres, "######0.0####".
const Mask& MillimetreMask();

/// A coordinate with that mask, as a piece for Append ("X", Coordinate(x)).
MaskedNumber<float> Coordinate(float millimetres);

/// A coordinate with that mask, as a text.
std::string FormatCoordinate(float millimetres);

/// The arc line for a radius arc from (px, py) to (x, y) with the signed
/// radius r: motion word, X, Y, I, J with the mask "#####0.0###". Throws
/// Failure 380 when the radius is shorter than half the chord.
std::string RadiusArcLine(const std::string& motion, float px, float py, float x, float y, float r);

}  // namespace kovrel
