// Hole data to G-code: every hole of the normalised hole data is milled as
// a full circle of its tool's diameter: a rapid move to the point on the
// circle at the hole's right, then a clockwise full circle around the
// centre. Tool changes become the cutter offsets D901, D902, ...
#pragma once

#include <string>
#include <string_view>

#include "core/hand_off.h"
#include "core/text_output.h"

namespace kovrel {

/// The G-code of the hole data; nothing to convert when the text has no
/// tool select line. Throws Failure 9 for a tool number outside 0-999.
ConversionResult HoleDataToGcode(std::string_view hole_data);

/// The same conversion writing its lines into `out` as it goes (its
/// result is three times the size of the hole data).
ConversionResult HoleDataToGcode(std::string_view hole_data, TextOutput& out);

/// The tool number of a tool line: the number after its first character,
/// as an index 0-999 (Failure 9 otherwise).
int HoleToolNumber(std::string_view line);

}  // namespace kovrel
