// What the editor window reads from the settings store when it starts and
// writes when it closes, the file named on the command line, and the title
// of the graphic window.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kovrel {

class SettingsStore;
struct EditModule;

inline constexpr std::string_view kShellSection = "Kovrel";
inline constexpr std::string_view kDefaultFontName = "ＭＳ 明朝";
inline constexpr std::string_view kDefaultBrowser = "xdg-open";

/// Window position and size in twips (1/1440 inch).
struct TwipsGeometry {
  double left = 0, top = 0, width = 8000, height = 7000;
};

struct EditorFont {
  std::string name{kDefaultFontName};
  double size = 12;
  bool bold = false;
  bool italic = false;
};

/// The settings of the start-up, each with its default.
struct StartupSettings {
  std::string browser{kDefaultBrowser};  ///< WebApl
  TwipsGeometry geometry;
  bool help_visible = true;     ///< Help: the read-me menu item is shown
  EditorFont font;
  bool macro_enabled = true;    ///< Macro: macro playback enabled
  std::string user;             ///< UsER
  std::int16_t icon_count = 1;  ///< Icon
};

/// Reads the start-up settings; unreadable numbers fall back to defaults.
/// Also fills AppList rows 0-9 of `module` from AppTitle0-9 / AppName0-9.
StartupSettings ReadStartupSettings(const SettingsStore& store, EditModule& module);

/// The editor font as the font and print commands preset it: the same keys
/// with bold defaulting to True.
EditorFont ReadPrintFont(const SettingsStore& store);

/// Writes FontName, FontSize, FontBold, FontItalic.
void SaveEditorFont(SettingsStore& store, const EditorFont& font);

/// Writes Left, Top, Width, Height (twips) and Icon at exit.
void SaveExitGeometry(SettingsStore& store, const TwipsGeometry& geometry, std::int16_t icon_count);

/// The file named on the command line: the arguments joined by blanks; a
/// text that starts with a double quote loses its first and last character.
std::string CommandLinePath(const std::vector<std::string>& args);

/// "Kovrel", or "Kovrel【 user 】" when a user name is set.
std::string GraphicWindowTitle(std::string_view user);

}  // namespace kovrel
