// HP-GL to G-code: pen moves, arcs and circles of an HP-GL plotter program
// become G-code lines in millimetres (0.025 mm a plotter unit); pen
// selections stay; repeated rapid moves collapse and "M30" ends the text.
#pragma once

#include <string>
#include <string_view>

#include "core/hand_off.h"

namespace kovrel {

ConversionResult HpglToGcode(std::string_view hpgl);

/// The splitting pass: one HP-GL instruction a line. ESC becomes "E", ";"
/// and ":" two line ends, CR, LF and blanks are dropped.
std::string SplitHpglInstructions(std::string_view hpgl);

}  // namespace kovrel
