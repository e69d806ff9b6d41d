// G-code to HP-GL: the motion items of a G-code program become one HP-GL
// line at 40 plotter units a millimetre: G01 pen down, other moves pen up,
// partial arcs "AA", full circles "CI". A D number below 4 stops the
// conversion without a word.
#pragma once

#include <string_view>

#include "core/hand_off.h"

namespace kovrel {

ConversionResult GcodeToHpgl(std::string_view gcode);
/// The same with the line written into `out` as it is made (the motions
/// are all read first: a D number below 4 anywhere stops the conversion).
ConversionResult GcodeToHpgl(std::string_view gcode, TextOutput& out);

}  // namespace kovrel
