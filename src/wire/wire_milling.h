// Wire to milling (ワイヤーをミーリングへ): a wire-cut program becomes a
// machining-centre custom-macro program that drills the start holes (the
// M60 points) and mills the same contour with an end mill: the fixed main
// program and subprograms O777 and O888, then O1 with the start holes and
// O2 with the contour built from the wire program.
#pragma once

#include <string_view>

#include "core/hand_off.h"
#include "core/text_output.h"
#include "wire/program_lines.h"

namespace kovrel {

/// The milling program; coordinates are copied as the wire program writes
/// them.
ConversionResult WireToMilling(std::string_view program);

/// The same conversion writing its lines into `out` as it goes, of a
/// program in the form `form`; the lines it copies keep the program's form
/// (CP932 bytes from a file's bytes).
ConversionResult WireToMilling(std::string_view program, TextOutput& out, ProgramForm form = ProgramForm::kText);

}  // namespace kovrel
