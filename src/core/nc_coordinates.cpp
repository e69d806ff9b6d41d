// Coordinates of NC data and the radius-arc line.
#include "core/nc_coordinates.h"

#include <algorithm>

#include "core/arc_geometry.h"
#include "core/byte_scan.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {

float ReadCoordinate(std::string_view after_letter, CoordinateUnit unit) {
  if (unit.field_width > 0) {
    return ToSingle(ReadLeadingZeroField(after_letter, unit.field_width) * unit.factor * 0.001);
  }
  static constexpr ByteSet kNumber(" 0123456789.-+");
  return ToSingle(ReadNumber(SpanOf(after_letter, kNumber)) * unit.factor * 0.001);
}

namespace {

// The first G, X, Y, I and J of an item and its motion words (as
// MotionWords tells them), found by one visit of those letters.
struct MotionLetters {
  static constexpr std::size_t kNone = std::string_view::npos;
  std::size_t g = kNone, x = kNone, y = kNone, i = kNone, j = kNone;
  unsigned motion_words = 0;

  explicit MotionLetters(std::string_view item) {
    VisitEachOf<'G', 'X', 'Y', 'I', 'J'>(item, [&](std::size_t at) {
      switch (item[at]) {
        case 'G':
          g = std::min(g, at);
          motion_words |= MotionWordAt(item, at);
          break;
        case 'X': x = std::min(x, at); break;
        case 'Y': y = std::min(y, at); break;
        case 'I': i = std::min(i, at); break;
        default: j = std::min(j, at); break;
      }
      return true;
    });
  }
};

// The motion of `item` with its letters already found.
NcMotion MotionOf(std::string_view item, const MotionLetters& letters) {
  const auto after = [&](std::size_t at) {
    return at == MotionLetters::kNone ? 0.0f : ToSingle(ReadNumber(item.substr(at + 1)));
  };
  return {after(letters.g), after(letters.x), after(letters.y), after(letters.i), after(letters.j)};
}

}  // namespace

NcMotion ReadMotion(std::string_view item) { return MotionOf(item, MotionLetters(item)); }

bool ReadMoveItem(std::string_view item, NcMotion& motion) {
  const MotionLetters letters(item);
  if (letters.motion_words == 0) return false;
  motion = MotionOf(item, letters);
  return true;
}

const Mask& MillimetreMask() {
  static const Mask mask = ParseMask("######0.0####");
  return mask;
}

MaskedNumber<float> Coordinate(float millimetres) { return Masked(millimetres, MillimetreMask()); }

std::string FormatCoordinate(float millimetres) { return FormatMask(millimetres, MillimetreMask()); }

std::string RadiusArcLine(const std::string& motion, float px, float py, float x, float y, float r) {
  static const Mask mask = ParseMask("#####0.0###");
  const ArcOffsets offsets = RadiusArcOffsets(px, py, x, y, r, motion == "G03");
  return motion + "X" + FormatMask(x, mask) + "Y" + FormatMask(y, mask) + "I" +
         FormatMask(static_cast<float>(offsets.i), mask) + "J" + FormatMask(static_cast<float>(offsets.j), mask);
}

}  // namespace kovrel
