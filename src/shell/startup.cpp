// Start-up and exit settings of the editor window.
#include "shell/startup.h"

#include <cmath>

#include "core/edit_module.h"
#include "core/number_format.h"
#include "core/settings_store.h"

namespace kovrel {

StartupSettings ReadStartupSettings(const SettingsStore& store, EditModule& module) {
  StartupSettings s;
  s.browser = GetSetting(store, kShellSection, "WebApl", kDefaultBrowser);
  for (int i = 0; i < 10; ++i) {
    auto& row = module.AppList[static_cast<std::size_t>(i)];
    row[0] = GetSetting(store, kShellSection, "AppTitle" + std::to_string(i), "");
    row[1] = GetSetting(store, kShellSection, "AppName" + std::to_string(i), "");
  }
  s.geometry.left = GetNumberSetting(store, kShellSection, "Left", 0);
  s.geometry.top = GetNumberSetting(store, kShellSection, "Top", 0);
  s.geometry.width = GetNumberSetting(store, kShellSection, "Width", 8000);
  s.geometry.height = GetNumberSetting(store, kShellSection, "Height", 7000);
  s.help_visible = GetBoolSetting(store, kShellSection, "Help", true);
  s.font.name = GetSetting(store, kShellSection, "FontName", kDefaultFontName);
  s.font.size = GetNumberSetting(store, kShellSection, "FontSize", 12);
  s.font.italic = GetBoolSetting(store, kShellSection, "FontItalic", false);
  s.font.bold = GetBoolSetting(store, kShellSection, "FontBold", false);
  s.macro_enabled = GetBoolSetting(store, kShellSection, "Macro", true);
  s.user = GetSetting(store, kShellSection, "UsER", "");
  const double icon = GetNumberSetting(store, kShellSection, "Icon", 1);
  s.icon_count = icon >= -32768 && icon <= 32767 ? ToInteger16(icon) : 1;
  return s;
}

EditorFont ReadPrintFont(const SettingsStore& store) {
  EditorFont font;
  font.name = GetSetting(store, kShellSection, "FontName", kDefaultFontName);
  font.size = GetNumberSetting(store, kShellSection, "FontSize", 12);
  font.bold = GetBoolSetting(store, kShellSection, "FontBold", true);
  font.italic = GetBoolSetting(store, kShellSection, "FontItalic", false);
  return font;
}

void SaveEditorFont(SettingsStore& store, const EditorFont& font) {
  SaveSetting(store, kShellSection, "FontName", font.name);
  SaveNumberSetting(store, kShellSection, "FontSize", font.size);
  SaveBoolSetting(store, kShellSection, "FontBold", font.bold);
  SaveBoolSetting(store, kShellSection, "FontItalic", font.italic);
}

void SaveExitGeometry(SettingsStore& store, const TwipsGeometry& geometry, std::int16_t icon_count) {
  SaveSingleSetting(store, kShellSection, "Left", static_cast<float>(geometry.left));
  SaveSingleSetting(store, kShellSection, "Top", static_cast<float>(geometry.top));
  SaveSingleSetting(store, kShellSection, "Width", static_cast<float>(geometry.width));
  SaveSingleSetting(store, kShellSection, "Height", static_cast<float>(geometry.height));
  SaveNumberSetting(store, kShellSection, "Icon", icon_count);
}

std::string CommandLinePath(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) {
    if (!text.empty()) text += ' ';
    text += arg;
  }
  if (!text.empty() && text.front() == '"') text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
  return text;
}

std::string GraphicWindowTitle(std::string_view user) {
  if (user.empty()) return "Kovrel";
  return "Kovrel【 " + std::string(user) + " 】";
}

}  // namespace kovrel
