// Hole data to G-code.
#include "holes/hole_gcode.h"

#include <array>
#include <utility>

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

ConversionResult HoleDataToGcode(std::string_view hole_data, TextOutput& output) {
  static const Mask tool_mask = ParseMask("#####");
  static const Mask xy_mask = ParseMask("#####0.0####");
  static const Mask i_mask = ParseMask("#####0.0#####");
  // Diameters by tool number; a tool without a table line has the diameter 0.
  std::array<float, 1000> diameters{};
  float d = 0;
  bool found = false;
  std::string& out = output.text;
  std::string start_x;  // the text of a hole's start X, written on both of its lines
  // The I word's value, -r, changes only with the tool: written once a tool.
  std::string minus_r;
  const auto take_tool = [&](float diameter) {
    d = diameter;
    minus_r.clear();
    Append(minus_r, Masked(-(d / 2), i_mask));
  };
  take_tool(0);
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    if (HasLetter(line, "φ")) {
      diameters[static_cast<std::size_t>(HoleToolNumber(line))] = SingleAfter(line, "φ");
    } else if (HasLetter(line, "T")) {
      const int tool = HoleToolNumber(line);
      take_tool(diameters[static_cast<std::size_t>(tool)]);
      AppendLine(out, "D", Masked(static_cast<float>(tool + 900), tool_mask));
      found = true;
    } else if (HasLetter(line, "X") || HasLetter(line, "Y")) {
      const auto x = SingleAfter(line, "X");
      const auto y = SingleAfter(line, "Y");
      const float r = d / 2;
      start_x.clear();
      Append(start_x, Masked(x + r, xy_mask));
      AppendLine(out, "G00X", start_x, "Y", Masked(y, xy_mask));
      AppendLine(out, "G02X", start_x, "Y", General(y), "I", minus_r, "J0.0");
      output.Pass();
    }
  }
  // Without a tool line the text written so far is not a result: the
  // caller drops it.
  if (!found) return ConversionResult::NothingToConvert();
  return ConversionResult(std::string());
}

ConversionResult HoleDataToGcode(std::string_view hole_data) {
  TextOutput out;
  ConversionResult result = HoleDataToGcode(hole_data, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

}  // namespace kovrel
