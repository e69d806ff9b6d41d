// The expansion of custom-macro wire programs (ワイヤーFUNAC): subprogram
// calls ("M98P" name: the file "O" + name of the subprogram folder, up to
// eight levels), # variables with assignments, IF ... GOTO and GOTO jumps
// (forward and backward), G92 and G90/G91 turn the program into plain
// G-code lines ("G00"/"G01"/"G02"/"G03") that the graphic view draws.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/hand_off.h"
#include "core/text_output.h"
#include "wire/program_lines.h"

namespace kovrel {

/// Reads a subprogram by its file name ("O100"): its text with every line
/// end as CR LF, or nothing when there is no such subprogram.
using SubprogramSource = std::function<std::optional<std::string>(const std::string& name)>;

/// The subprograms kept as CP932 files in `folder`.
SubprogramSource SubprogramFolder(std::string folder);

/// The folder of the subprograms in the data folder (ProgDir).
inline constexpr std::string_view kSubprogramFolder = "SUB";

/// The message when the expanded program holds no move.
inline constexpr std::string_view kNoMotionMessage = "Ｇコードが確認出来ませんでした";

struct WireMacroOptions {
  /// The expansion stops with Failure 6 once more blocks than this have
  /// run (a loop that never ends).
  std::int64_t block_limit = 10'000'000;
  /// The form of the main program (a subprogram is always text).
  ProgramForm form = ProgramForm::kText;
};

struct WireExpansion {
  std::string text;         ///< the expanded program, "G40", "G00X0Y0", then CR LF lines
  std::string stopped;      ///< why the expansion could not finish; empty when it did
  std::int64_t moves = 0;   ///< the motion lines written
};

/// Expands `program`. A jump whose label never comes or a subprogram that
/// is not there stops the expansion with `stopped` set ("N999 が見つかりま
/// せんでした", "O100が登録されていません"). Throws Failure 5 for an
/// expression or subprogram name that cannot be used, 9 for a variable
/// above 9000, 11 for a division by zero, 6 for a value beyond a float's
/// range or past the block limit.
WireExpansion ExpandWireMacro(std::string_view program, const SubprogramSource& subprograms,
                              const WireMacroOptions& options = {});

/// The same expansion writing the program into `out` as it goes; the
/// returned text is empty.
WireExpansion ExpandWireMacro(std::string_view program, const SubprogramSource& subprograms,
                              const WireMacroOptions& options, TextOutput& out);

/// The expansion as a conversion of the text: the expanded program, or
/// nothing to convert with the message of what stopped it.
ConversionResult FanucWire(std::string_view program, const SubprogramSource& subprograms,
                           const WireMacroOptions& options = {});
ConversionResult FanucWire(std::string_view program, const SubprogramSource& subprograms,
                           const WireMacroOptions& options, TextOutput& out);

}  // namespace kovrel
