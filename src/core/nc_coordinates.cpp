// Coordinates of NC data and the radius-arc line.
#include "core/nc_coordinates.h"

#include "core/arc_geometry.h"
#include "core/line_words.h"
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

// The motion of `item` with its letters already found.
NcMotion MotionOf(std::string_view item, const FirstLetters& letters) {
  const auto after = [&](char letter) {
    const std::size_t at = letters[letter];
    return at == FirstLetters::kNone ? 0.0f : ToSingle(ReadNumber(item.substr(at + 1)));
  };
  return {after('G'), after('X'), after('Y'), after('I'), after('J')};
}

}  // namespace

NcMotion ReadMotion(std::string_view item) { return MotionOf(item, FirstLetters(item)); }

bool ReadMoveItem(std::string_view item, NcMotion& motion) {
  const FirstLetters letters(item);
  if (MotionWords(item, letters['G']) == 0) return false;
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
