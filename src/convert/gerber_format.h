// Gerber data formatting: Gerber photo-plotter data becomes G-code lines
// that the graphic view understands: draws "G01", moves "G00", arcs
// "G02"/"G03" with I and J, flashes a zero-length "G01", aperture changes a
// line "D" and the aperture number.
#pragma once

#include <string>
#include <string_view>

#include "core/hand_off.h"
#include "core/named_choice.h"
#include "core/text_output.h"

namespace kovrel {

/// How 1.23 mm is written in the data.
enum class GerberUnit {
  kDecimal,          ///< "1.23"
  kHundredths,       ///< "123"
  kThousandths,      ///< "1230" (the default)
  kTenThousandths,   ///< "12300"
  kLeadingZeros6,    ///< "X00123": six digits, trailing zeros left out
  kLeadingZeros7,    ///< "X000123": seven digits, trailing zeros left out
  kHundredThousandths,  ///< "123000"
  kLeadingZeros2Integer,  ///< "X0123": two integer digits, trailing zeros left out
};

inline constexpr ChoiceTable<GerberUnit, 8> kGerberUnits = {{
    {GerberUnit::kDecimal, "1.23", "1.23"},
    {GerberUnit::kHundredths, "123", "123"},
    {GerberUnit::kThousandths, "1230", "1230"},
    {GerberUnit::kTenThousandths, "12300", "12300"},
    {GerberUnit::kLeadingZeros6, "X00123", "X00123"},
    {GerberUnit::kLeadingZeros7, "X000123", "X000123"},
    {GerberUnit::kHundredThousandths, "123000", "123000"},
    {GerberUnit::kLeadingZeros2Integer, "X0123", "X0123"},
}};

struct GerberFormatOptions {
  bool incremental = false;
  GerberUnit unit = GerberUnit::kThousandths;
  bool inch = false;  ///< the data is in inches: every coordinate times 25.4
};

/// Throws Failure 380 for an aperture above 9999 or a radius shorter than
/// half the chord.
ConversionResult FormatGerber(std::string_view gerber, const GerberFormatOptions& options);

/// The same conversion writing its lines into `out` as it goes.
ConversionResult FormatGerber(std::string_view gerber, const GerberFormatOptions& options, TextOutput& out);

}  // namespace kovrel
