// External applications without their windows: the list of ten registered
// programs kept in the settings (AppTitle0-9, AppName0-9), the detection of
// a DXF drawing by its three words, and the export file handed to a program.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kovrel {

class SettingsStore;

inline constexpr int kAppCount = 10;

/// One registered program: its menu title (the file name) and its path.
struct ExternalApp {
  std::string title;
  std::string path;
};
using AppList = std::array<ExternalApp, kAppCount>;

/// The list as the settings window reads it: rows 0 on until the first
/// empty title; the rows after it stay empty.
AppList ReadAppList(const SettingsStore& store);

/// Writes row `row` (AppTitle and AppName of that number).
void SaveApp(SettingsStore& store, int row, const ExternalApp& app);

/// Deletes row `row`: the rows after it move up one and the last row
/// becomes empty; every row from `row` on is written again.
void DeleteApp(SettingsStore& store, AppList& apps, int row);

/// True as soon as "SECTION", "LAYER" and "ENDSEC" have each been seen in
/// some line (exact case, any lines, any order).
bool IsDxfDocument(std::string_view text);

/// The export of the document for an external program: "BAK.DXF" with the
/// lines unchanged (an empty value line is legal DXF) for a drawing,
/// otherwise "BAK.DAT" with every non-empty line followed by CR LF.
struct ExportFile {
  std::string name;
  std::string text;
};
ExportFile ExportForApp(std::string_view document);

/// The file name of a path, without its folder.
std::string ProgramTitle(std::string_view path);

/// The address of the page that tells about new versions.
inline constexpr std::string_view kUpdatePage = "https://kovrel.example.jp/update/";

}  // namespace kovrel
