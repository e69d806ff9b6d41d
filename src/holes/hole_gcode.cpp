// Hole data to G-code.
#include "holes/hole_gcode.h"

#include <array>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {

int HoleToolNumber(std::string_view line) {
  const std::int32_t tool = ToInteger(ValueAfterFirstCharacter(line));
  if (tool < 0 || tool > 999) Fail(FailureKind::kIndexOutOfRange, std::string(line));
  return tool;
}

ConversionResult HoleDataToGcode(std::string_view hole_data) {
  static const Mask tool_mask = ParseMask("#####");
  static const Mask xy_mask = ParseMask("#####0.0####");
  static const Mask i_mask = ParseMask("#####0.0#####");
  // Diameters by tool number; a tool without a table line has the diameter 0.
  std::array<float, 1000> diameters{};
  float d = 0;
  bool found = false;
  std::string out;
  out.reserve(hole_data.size() * 3);
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    if (HasLetter(line, "φ")) {
      diameters[static_cast<std::size_t>(HoleToolNumber(line))] = SingleAfter(line, "φ");
    } else if (HasLetter(line, "T")) {
      const int tool = HoleToolNumber(line);
      d = diameters[static_cast<std::size_t>(tool)];
      AppendLine(out, "D", FormatMask(static_cast<float>(tool + 900), tool_mask));
      found = true;
    } else if (HasLetter(line, "X") || HasLetter(line, "Y")) {
      const auto x = SingleAfter(line, "X");
      const auto y = SingleAfter(line, "Y");
      const float r = d / 2;
      const std::string start_x = FormatMask(x + r, xy_mask);
      out += "G00X" + start_x + "Y" + FormatMask(y, xy_mask) + "\r\n";
      out += "G02X" + start_x + "Y" + FormatGeneral(y) + "I" + FormatMask(-r, i_mask) + "J0.0\r\n";
    }
  }
  if (!found) return ConversionResult::NothingToConvert();
  return ConversionResult(std::move(out));
}

}  // namespace kovrel
