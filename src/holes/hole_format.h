// Hole data formatting: a drill program of almost any dialect becomes the
// normalised hole data, a tool table ("T01φ1.000") followed by the hole list
// of tool select lines ("T01") and hole lines ("X12.5 Y3.0"), every
// coordinate in millimetres with a decimal point.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/named_choice.h"
#include "core/nc_blocks.h"

namespace kovrel {

/// How 1.23 mm is written in the input.
enum class HoleUnit {
  kDecimal,      ///< "X1.23"
  kHundredths,   ///< "X123"
  kThousandths,  ///< "X1230"
  kTenThousandths,  ///< "X12300"
  kLeadingZeros6,   ///< "X00123": a six-digit field with leading zeros
  kLeadingZeros7,   ///< "X000123": a seven-digit field with leading zeros
  kLeadingZeros2Integer,  ///< "X0123": two integer digits, trailing zeros left out
};

/// Which blocks are holes.
enum class HoleMode {
  kEveryCoordinate,  ///< every block with coordinates
  kDesignatedCode,   ///< blocks that contain the hole code
  kCycle,            ///< blocks with coordinates between the cycle and cancel codes
};

/// Where tools come from.
enum class ToolMode {
  kBlocksWithoutCoordinates,  ///< each run of blocks without coordinates starts a tool
  kDesignatedText,            ///< blocks that contain the tool text are tool changes
};

/// The choices of the formatting window, with its defaults.
struct HoleFormatOptions {
  HoleUnit unit = HoleUnit::kHundredths;
  bool incremental = false;
  HoleMode hole_mode = HoleMode::kEveryCoordinate;
  std::string hole_code = "D03";
  std::string cycle_code = "G81";
  std::string cancel_code = "G80";
  ToolMode tool_mode = ToolMode::kDesignatedText;
  std::string tool_text = "T";
  bool inch = false;  ///< the data is in inches: every coordinate times 25.4
};

inline constexpr ChoiceTable<HoleUnit, 7> kHoleUnits = {{
    {HoleUnit::kDecimal, "X1.23", "X1.23"},
    {HoleUnit::kHundredths, "X123", "X123"},
    {HoleUnit::kThousandths, "X1230", "X1230"},
    {HoleUnit::kTenThousandths, "X12300", "X12300"},
    {HoleUnit::kLeadingZeros6, "X00123", "X00123"},
    {HoleUnit::kLeadingZeros7, "X000123", "X000123"},
    {HoleUnit::kLeadingZeros2Integer, "X0123", "X0123"},
}};

inline constexpr ChoiceTable<HoleMode, 3> kHoleModes = {{
    {HoleMode::kEveryCoordinate, "all", "座標全てを穴データとする"},
    {HoleMode::kDesignatedCode, "code", "指定コードを穴とする"},
    {HoleMode::kCycle, "cycle", "指定コードを穴とする(サイクルモード)"},
}};

inline constexpr ChoiceTable<ToolMode, 2> kToolModes = {{
    {ToolMode::kBlocksWithoutCoordinates, "blocks", "座標の無いデータをTコードへ変換する"},
    {ToolMode::kDesignatedText, "text", "指定文字をTコードへ変換"},
}};

/// The option a run refuses: an empty hole code in the code mode
/// ("hole-code"), an empty tool text in the text mode ("tool-text").
std::optional<OptionProblem> Validate(const HoleFormatOptions& options);

/// The value of a coordinate: the text after its letter, read in `unit` and
/// converted to millimetres (from inches when `inch` is set).
float HoleCoordinate(std::string_view after_letter, HoleUnit unit, bool inch = false);

/// Formats a drill program into normalised hole data (lines end in CR LF).
std::string FormatHoleData(std::string_view text, const HoleFormatOptions& options);

}  // namespace kovrel
