// The external-application list, the DXF detection and the export text.
#include "shell/external_apps.h"

#include "core/settings_store.h"
#include "core/text_reader.h"
#include "shell/file_commands.h"
#include "shell/recent_files.h"
#include "shell/startup.h"

namespace kovrel {
namespace {

std::string Key(std::string_view word, int row) { return std::string(word) + std::to_string(row); }

}  // namespace

AppList ReadAppList(const SettingsStore& store) {
  AppList apps;
  for (int row = 0; row < kAppCount; ++row) {
    std::string title = GetSetting(store, kShellSection, Key("AppTitle", row), "");
    if (title.empty()) break;
    apps[static_cast<std::size_t>(row)] = {std::move(title), GetSetting(store, kShellSection, Key("AppName", row), "")};
  }
  return apps;
}

void SaveApp(SettingsStore& store, int row, const ExternalApp& app) {
  SaveSetting(store, kShellSection, Key("AppTitle", row), app.title);
  SaveSetting(store, kShellSection, Key("AppName", row), app.path);
}

void DeleteApp(SettingsStore& store, AppList& apps, int row) {
  for (int j = row; j < kAppCount; ++j) {
    apps[static_cast<std::size_t>(j)] = j + 1 < kAppCount ? apps[static_cast<std::size_t>(j + 1)] : ExternalApp{};
    SaveApp(store, j, apps[static_cast<std::size_t>(j)]);
  }
}

bool IsDxfDocument(std::string_view text) {
  bool section = false, layer = false, endsec = false;
  LineReader reader(text, true);
  std::string_view line;
  while (reader.Next(line) && !(section && layer && endsec)) {
    section = section || HasLetter(line, "SECTION");
    layer = layer || HasLetter(line, "LAYER");
    endsec = endsec || HasLetter(line, "ENDSEC");
  }
  return section && layer && endsec;
}

ExportFile ExportForApp(std::string_view document) {
  if (IsDxfDocument(document)) return {"BAK.DXF", std::string(document)};
  return {"BAK.DAT", SavedForm(document, LineEnd::kCrLf)};
}

std::string ProgramTitle(std::string_view path) { return BareFileName(path); }

}  // namespace kovrel
