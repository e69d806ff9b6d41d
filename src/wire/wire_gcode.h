// The wire-cut conversion (ワイヤーカットデータ): a wire EDM program with
// machining M codes, G92, H variables, K angle expressions and G22 shape
// calls becomes plain G-code ("G00"/"G01"/"G02"/"G03" with X, Y and, for
// arcs, I and J in millimetres) that the graphic view and the other G-code
// commands read. Comments and dwells are dropped; a G01 made while the
// wire does not cut is written as a rapid move.
#pragma once

#include <string_view>

#include "core/hand_off.h"
#include "core/text_output.h"
#include "wire/program_lines.h"

namespace kovrel {

/// The G-code of a wire program: "D10", "G00X0Y0", the moves, "M30".
/// Throws Failure 9 for an H variable above 250, Failure 380 for a radius
/// shorter than half its chord, Failure 6 for a value beyond a float's
/// range.
ConversionResult WireToGcode(std::string_view program);

/// The same conversion writing its lines into `out` as it goes, of a
/// program in the form `form` (the result is ASCII either way).
ConversionResult WireToGcode(std::string_view program, TextOutput& out, ProgramForm form = ProgramForm::kText);

}  // namespace kovrel
