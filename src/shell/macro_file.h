// Operation macros without their windows: the table of the editor commands a
// macro can replay (each step number with its menu item), and MACRO.DAT, one
// record a line of two quoted fields (step kind, item number) and CR LF.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/edit_module.h"

namespace kovrel {

/// A step number of "Edit.Menu" and the menu item it runs. This table is
/// the one place where an editor command registers for playback: the
/// window's dispatcher triggers the item, kovrel-cli names it when it skips
/// a step that needs a window.
struct MacroCommand {
  int item = 0;
  std::string_view menu;     ///< objectName of the menu item
  std::string_view caption;  ///< what the user knows it by
};

/// The menu item of a step number; std::nullopt for the numbers that play
/// back as nothing (0, 23, 90, 91, 44 and above, negative). 34 to 43 are
/// the external applications MnuApp(0) to MnuApp(9).
std::optional<MacroCommand> MacroCommandOf(int item);

/// Reports a record that was skipped: its line (1-based) and why.
using MacroReporter = std::function<void(int line, std::string_view why)>;

/// The records of a MACRO.DAT text (at most 101). A line that is not two
/// quoted fields, or an "Edit.Menu" record whose number is no number, is
/// reported and skipped; the rest are kept in order.
std::vector<MacroStep> ReadMacroFile(std::string_view text, const MacroReporter& report);

/// The text of MACRO.DAT for the first `count` steps.
std::string MacroFileText(const std::vector<MacroStep>& steps);

/// The item number of a record as playback reads it (number reading, then
/// the nearest integer, a half to even); std::nullopt when it is no number.
std::optional<int> MacroItemNumber(std::string_view item);

}  // namespace kovrel
