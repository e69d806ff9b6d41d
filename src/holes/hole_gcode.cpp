// Hole data to G-code.
#include "holes/hole_gcode.h"

#include <array>
#include <utility>

#include "core/append.h"
#include "core/decimal_digits.h"
#include "core/failure.h"
#include "core/line_words.h"
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
  // The end of a circle's line from its I word on, "I-0.2J0.0", changes
  // only with the tool: written once a tool.
  std::string circle_end;
  const auto take_tool = [&](float diameter) {
    d = diameter;
    circle_end.clear();
    AppendLine(circle_end, "I", Masked(-(d / 2), i_mask), "J0.0");
  };
  take_tool(0);
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    const FirstLetters letters(line);
    if (HasLetter(line, "φ")) {
      diameters[static_cast<std::size_t>(HoleToolNumber(line))] = SingleAfter(line, "φ");
    } else if (letters.Has('T')) {
      const int tool = HoleToolNumber(line);
      take_tool(diameters[static_cast<std::size_t>(tool)]);
      AppendLine(out, "D", Masked(static_cast<float>(tool + 900), tool_mask));
      found = true;
    } else if (letters.Has('X') || letters.Has('Y')) {
      const float x = letters.Has('X') ? ToSingle(ReadNumber(NumberTextAfter(line, letters['X'], letters['Y']))) : 0;
      // Y is written twice as it was read: from its digits where they reach.
      DecimalDigits y_digits;
      const bool y_plain = letters.Has('Y') && ReadDecimalDigits(line.substr(letters['Y'] + 1), y_digits);
      float y = 0;
      if (letters.Has('Y')) y = ToSingle(y_plain ? y_digits.value : ReadNumber(line.substr(letters['Y'] + 1)));
      const float r = d / 2;
      start_x.clear();
      Append(start_x, Masked(x + r, xy_mask));
      Append(out, "G00X", start_x, "Y");
      if (!y_plain || !AppendDigitsMasked(out, y_digits, xy_mask)) Append(out, Masked(y, xy_mask));
      Append(out, "\r\nG02X", start_x, "Y");
      if (!y_plain || !AppendDigitsGeneral(out, y_digits)) Append(out, General(y));
      Append(out, circle_end);
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
