// Router data formatting: a routing machine program becomes G-code lines
// in millimetres: tool-up moves "G00", tool-down moves "G01" (the tool is
// down while the last Z is negative), arcs keep "G02"/"G03" with I and J,
// radius arcs get their I and J.
#pragma once

#include <string>
#include <string_view>

#include "core/hand_off.h"
#include "core/named_choice.h"

namespace kovrel {

enum class RouterUnit {
  kDecimal,      ///< "1.23"
  kHundredths,   ///< "123"
  kThousandths,  ///< "1230" (the default)
};

inline constexpr ChoiceTable<RouterUnit, 3> kRouterUnits = {{
    {RouterUnit::kDecimal, "1.23", "1.23"},
    {RouterUnit::kHundredths, "123", "123"},
    {RouterUnit::kThousandths, "1230", "1230"},
}};

struct RouterFormatOptions {
  RouterUnit unit = RouterUnit::kThousandths;
  bool incremental = false;
  bool inch = false;  ///< the data is in inches: every coordinate times 25.4
};

/// Throws Failure 380 for a radius shorter than half the chord.
ConversionResult FormatRouter(std::string_view router, const RouterFormatOptions& options);
/// The same with the program written into `out` as it is made.
ConversionResult FormatRouter(std::string_view router, const RouterFormatOptions& options, TextOutput& out);

}  // namespace kovrel
