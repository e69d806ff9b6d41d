// G-code sorting. Grouping gathers the motion items of each selection item
// (a tool, aperture or layer line such as D10 or T1) behind it, in the
// order the selection items first appear, dropping repeated rapid moves.
// Tidying keeps only the last of a run of rapid moves and places it after
// the non-G lines that follow it.
#pragma once

#include <string>
#include <string_view>

#include "core/hand_off.h"
#include "core/text_output.h"

namespace kovrel {

/// The grouping; nothing to convert without a motion item. Motion items
/// before the first selection item are written first, in input order.
ConversionResult GroupGcode(std::string_view gcode);
/// The same, its lines written into `out` as they are made (nothing is
/// written when there is nothing to convert).
ConversionResult GroupGcode(std::string_view gcode, TextOutput& out);

/// The tidying of rapid moves, line by line.
std::string TidyRapidMoves(std::string_view gcode);

}  // namespace kovrel
