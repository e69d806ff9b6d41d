// G-code to HP-GL.
#include "convert/gcode_hpgl.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/decimal_digits.h"
#include "core/line_words.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// A plotter coordinate: millimetres times 40, rounded to an integer,
// written straight into the output.
MaskedNumber<float> Units(float millimetres) {
  static const Mask mask = ParseMask("########0");
  return Masked(millimetres * 40, mask);
}

// No plotter units known from the digits.
constexpr std::int32_t kNoUnits = INT32_MIN;

// The plotter units Units() writes for the single read from `number`,
// found from its digits: the millimetres times 40 rounded. Known where the
// rounding is plain: from 1 to 10^5 units and at least a twentieth of a
// unit away from a half, where the float's errors (below a fiftieth of a
// unit there) cannot move it. kNoUnits elsewhere.
template <std::uint64_t kScale>
std::int32_t UnitsOfDigits(std::uint64_t digits, bool negative) {
  const std::uint64_t times40 = digits * 40;
  const std::uint64_t whole = times40 / kScale;
  const std::uint64_t twice_rest = times40 % kScale * 2;
  const std::uint64_t from_half = twice_rest > kScale ? twice_rest - kScale : kScale - twice_rest;
  if (whole < 1 || whole >= 100000 || from_half * 10 < kScale) return kNoUnits;
  const auto units = static_cast<std::int32_t>(whole + (twice_rest > kScale ? 1 : 0));
  return negative ? -units : units;
}

std::int32_t UnitsOfDigits(const DecimalDigits& number) {
  if (number.digits >= 1000000000) return kNoUnits;
  // A constant divisor for each number of places: no division instruction.
  switch (number.places) {
    case 0: return UnitsOfDigits<1>(number.digits, number.negative);
    case 1: return UnitsOfDigits<10>(number.digits, number.negative);
    case 2: return UnitsOfDigits<100>(number.digits, number.negative);
    case 3: return UnitsOfDigits<1000>(number.digits, number.negative);
    case 4: return UnitsOfDigits<10000>(number.digits, number.negative);
    case 5: return UnitsOfDigits<100000>(number.digits, number.negative);
    case 6: return UnitsOfDigits<1000000>(number.digits, number.negative);
    default: return kNoUnits;
  }
}

// A coordinate of a straight move as Units() writes it: from the units
// known from its digits, else through the mask.
struct MoveUnits {
  float millimetres;
  std::int32_t units;
  void AppendTo(std::string& out) const {
    if (units == kNoUnits) {
      Units(millimetres).AppendTo(out);
      return;
    }
    char buffer[16];
    out.append(buffer, static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, units).ptr - buffer));
  }
};

// The value after the letter at `at` as a single, 0 when the item lacks
// the letter (npos): a plain decimal read in one pass, any other number by
// the general reading. `units`, when given, gets UnitsOfDigits.
float SingleAt(std::string_view item, std::size_t at, std::int32_t* units = nullptr) {
  if (units != nullptr) *units = kNoUnits;
  if (at == FirstLetters::kNone) return 0;
  const std::string_view after = item.substr(at + 1);
  DecimalDigits number;
  if (!ReadPlainDecimal(after, number)) return ToSingle(ReadNumber(after));
  if (units != nullptr) *units = UnitsOfDigits(number);
  return ToSingle(number.value);
}

// A motion with the plotter units of its X and Y where their digits tell.
struct PlotterMotion {
  NcMotion m;
  std::int32_t x_units, y_units;
};

// The direction of an arc's end, in degrees, with 0 counted as 360.
double ArcAngle(double dx, double dy) {
  const double angle = DirectionDegrees(dx, dy);
  return angle == 0 ? 360 : angle;
}

}  // namespace

ConversionResult GcodeToHpgl(std::string_view gcode) {
  TextOutput out;
  out.text.reserve(gcode.size());
  ConversionResult result = GcodeToHpgl(gcode, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

ConversionResult GcodeToHpgl(std::string_view gcode, TextOutput& output) {
  std::vector<PlotterMotion> motions;
  motions.reserve(gcode.size() / 16);
  ItemReader reader(gcode);
  std::string_view item;
  while (reader.Next(item)) {
    // The motion as ReadMotion reads it, with the letters found in one scan.
    const FirstLetters letters(item);
    if (letters.Has('D') && ToInteger(ReadNumber(item.substr(letters['D'] + 1))) < 4) return ConversionResult::Stopped();
    if (!letters.Has('G')) continue;
    PlotterMotion& motion = motions.emplace_back();
    motion.m.g = SingleAt(item, letters['G']);
    motion.m.x = SingleAt(item, letters['X'], &motion.x_units);
    motion.m.y = SingleAt(item, letters['Y'], &motion.y_units);
    motion.m.i = SingleAt(item, letters['I']);
    motion.m.j = SingleAt(item, letters['J']);
  }
  if (motions.empty()) return ConversionResult::NothingToConvert();

  static const Mask sweep_mask = ParseMask("#####0.0####");
  // The line goes out in pieces of whole commands: it is ASCII, so a
  // piece never parts a character.
  std::string& out = output.text;
  out += "CT,1;SP1;";
  float prev_x = 0, prev_y = 0;
  bool written = false;
  for (const PlotterMotion& motion : motions) {
    const NcMotion& m = motion.m;
    const MoveUnits x{m.x, motion.x_units}, y{m.y, motion.y_units};
    if (m.g != 2 && m.g != 3) {
      written = true;
      const std::string_view pen = m.g == 1 ? "PD;PA" : "PU;PA";
      if (x.units != kNoUnits && y.units != kNoUnits) {
        // The whole command at once: pen, X, a comma, Y, the semicolon.
        // pen (5), up to 11 characters, a comma, up to 11, the semicolon
        char command[40];
        pen.copy(command, pen.size());
        char* p = std::to_chars(command + pen.size(), command + 18, x.units).ptr;
        *p++ = ',';
        p = std::to_chars(p, command + 38, y.units).ptr;
        *p++ = ';';
        out.append(command, static_cast<std::size_t>(p - command));
      } else {
        Append(out, pen, x, ",", y, ";");
      }
    } else {
      const float cx = prev_x + m.i, cy = prev_y + m.j;
      const auto r = static_cast<float>(std::sqrt(m.i * m.i + m.j * m.j));
      // An arc that ends where it starts (the same X and Y as read) is a
      // full circle, whatever the two angles computed in floating point
      // say; any other arc is the short or long arc it is, however small.
      if (m.x != prev_x || m.y != prev_y) {
        double sweep = ArcAngle(m.x - cx, m.y - cy) - ArcAngle(-m.i, -m.j);
        if (m.g == 2 && sweep > 0) sweep -= 360;
        if (m.g == 3 && sweep < 0) sweep += 360;
        Append(out, "PD;AA", Units(cx), ",", Units(cy), ",", Masked(sweep, sweep_mask), ";");
      } else {
        Append(out, "PU;PA", Units(cx), ",", Units(cy), ";CI", Units(r), ",5;");
      }
      Append(out, "PU;PA", x, ",", y, ";");
    }
    prev_x = m.x;
    prev_y = m.y;
    output.Pass();
  }
  if (!written) return ConversionResult::NothingToConvert();
  out += "PU;PA0,0;SP0;\r\n";
  return ConversionResult();
}

}  // namespace kovrel
