// G-code to Gerber: every motion item becomes a draw ("D01") or move
// ("D02") block, every other distinct item an aperture selection numbered
// D10, D11, ... in order of first appearance.
#pragma once

#include <string>
#include <string_view>

#include "core/hand_off.h"
#include "core/named_choice.h"

namespace kovrel {

/// The output unit of the coordinates.
enum class GerberOutputUnit {
  kMillimetres,      ///< "1.2345": with a point, up to four decimals
  kHundredths,       ///< "123"
  kThousandths,      ///< "1235" (the default)
  kTenThousandths,   ///< "12345"
};

struct GcodeToGerberOptions {
  GerberOutputUnit unit = GerberOutputUnit::kThousandths;
  std::string terminator = "*";  ///< CR, LF, "*" or CR LF
};

inline constexpr ChoiceTable<GerberOutputUnit, 4> kGerberOutputUnits = {{
    {GerberOutputUnit::kMillimetres, "mm", "1.2345"},
    {GerberOutputUnit::kHundredths, "1/100", "123     (1/100)"},
    {GerberOutputUnit::kThousandths, "1/1000", "1235   (1/1000)"},
    {GerberOutputUnit::kTenThousandths, "1/10000", "12345 (1/10000)"},
}};

/// The block terminators, by their names (which the control-character
/// names share).
inline constexpr ChoiceTable<std::string_view, 4> kGerberTerminators = {{
    {"\r", "Cr", "Cr"},
    {"\n", "Lf", "Lf"},
    {"*", "*", "*"},
    {"\r\n", "CrLf", "CrLf"},
}};

/// Nothing to convert when no item contains "G00". Throws Failure 9 for
/// more than 1000 distinct selection items.
ConversionResult GcodeToGerber(std::string_view gcode, const GcodeToGerberOptions& options);
/// The same with the blocks written into `out` as they are made.
ConversionResult GcodeToGerber(std::string_view gcode, const GcodeToGerberOptions& options, TextOutput& out);

}  // namespace kovrel
