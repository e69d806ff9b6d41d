// Numbers of wire-cut programs: a coordinate written without a decimal
// point is in thousandths of a millimetre ("X1500" is 1.5 mm), one with a
// point in millimetres ("X1.5"); values in between steps are rounded to
// eight decimals, as the shape turtle rounds its steps.
#pragma once

#include <string_view>

#include "core/number_format.h"

namespace kovrel {

/// `value` rounded half away from zero to eight decimals (the mask
/// "####0.0#######").
double RoundToEightPlaces(double value);

/// A coordinate in millimetres as FormatCoordinate writes it, appended
/// straight into an output text (Append(out, "X", Coordinate(x))).
MaskedNumber<float> Coordinate(float millimetres);

/// The millimetres of a number's characters (digits, point, signs): with a
/// point the number as it stands, without one the number times 0.001
/// rounded to eight decimals. Throws Failure 6 beyond a float's range.
float WireMillimetres(std::string_view number);

/// The millimetres after the first occurrence of `letter` in `line`: the
/// characters there while they are among "0123456789.-+".
float WireValueAfter(std::string_view line, char letter);

}  // namespace kovrel
