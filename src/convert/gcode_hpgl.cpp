// G-code to HP-GL.
#include "convert/gcode_hpgl.h"

#include <cmath>
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

// The value after the letter at `at` as a single, 0 when the item lacks
// the letter (npos): a plain decimal read in one pass, any other number by
// the general reading.
float SingleAt(std::string_view item, std::size_t at) {
  if (at == FirstLetters::kNone) return 0;
  const std::string_view after = item.substr(at + 1);
  DecimalDigits number;
  return ToSingle(ReadPlainDecimal(after, number) ? number.value : ReadNumber(after));
}

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
  std::vector<NcMotion> motions;
  motions.reserve(gcode.size() / 16);
  ItemReader reader(gcode);
  std::string_view item;
  while (reader.Next(item)) {
    // The motion as ReadMotion reads it, with the letters found in one scan.
    const FirstLetters letters(item, FirstLetters::FewLetters{});
    if (letters.Has('D') && ToInteger(ReadNumber(item.substr(letters['D'] + 1))) < 4) return ConversionResult::Stopped();
    if (!letters.Has('G')) continue;
    motions.push_back({SingleAt(item, letters['G']), SingleAt(item, letters['X']), SingleAt(item, letters['Y']),
                       SingleAt(item, letters['I']), SingleAt(item, letters['J'])});
  }
  if (motions.empty()) return ConversionResult::NothingToConvert();

  static const Mask sweep_mask = ParseMask("#####0.0####");
  // The line goes out in pieces of whole commands: it is ASCII, so a
  // piece never parts a character.
  std::string& out = output.text;
  out += "CT,1;SP1;";
  float prev_x = 0, prev_y = 0;
  bool written = false;
  for (const NcMotion& m : motions) {
    if (m.g != 2 && m.g != 3) {
      written = true;
      Append(out, m.g == 1 ? "PD;PA" : "PU;PA", Units(m.x), ",", Units(m.y), ";");
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
      Append(out, "PU;PA", Units(m.x), ",", Units(m.y), ";");
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
