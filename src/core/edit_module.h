// EditModule: the state shared by every command for the whole run (the
// program folder, the scratch buffers, the operation-macro table, the
// external applications and the icon counter), and the recording hook that
// every menu command performs first.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kovrel {

/// One recorded operation-macro step.
struct MacroStep {
  std::string kind;  ///< "Edit.Menu" or "Graphic.Menu"
  std::string item;  ///< the command's item number as decimal text
};

inline constexpr std::string_view kEditMenu = "Edit.Menu";
inline constexpr std::string_view kGraphicMenu = "Graphic.Menu";

struct EditModule {
  static constexpr int kMacroCapacity = 101;
  static constexpr int kAppRows = 16;

  std::string ProgDir;  ///< the data folder, always ending in "/"
  std::string WinDir;   ///< the per-user configuration folder
  std::string SysDir;   ///< the export folder handed to external programs
  std::string LineBuf;  ///< the current line of a command (scratch)
  std::string FieldBuf; ///< a second scratch string
  std::array<MacroStep, kMacroCapacity> MacroSteps{};
  std::int16_t MacroCount = -1;  ///< steps recorded; -1 when not recording
  std::array<std::array<std::string, 2>, kAppRows> AppList{};  ///< (menu title, command)
  std::int16_t IconCount = 1;
};

/// The recording hook: while a recording runs (MacroCount 0 to 100) stores
/// (kind, item) at entry MacroCount and counts it; otherwise does nothing.
void RecordStep(EditModule& module, std::string_view kind, int item);

/// Advances IconCount by one, back to 1 when it would exceed 5.
void AdvanceIconCount(EditModule& module);

}  // namespace kovrel
