// The shell's pieces without windows: MACRO.DAT and the playback table, the
// external-application list and its export, the version text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/settings_store.h"
#include "shell/about.h"
#include "shell/external_apps.h"
#include "shell/macro_file.h"

namespace kovrel {
namespace {

TEST(MacroFile, RecordsAreQuotedFieldsAndBadLinesAreNamed) {
  const std::vector<MacroStep> steps = {{"Edit.Menu", "1"}, {"Edit.Menu", "13"}, {"Graphic.Menu", "999"}};
  const std::string text = MacroFileText(steps);
  EXPECT_EQ(text, "\"Edit.Menu\",\"1\"\r\n\"Edit.Menu\",\"13\"\r\n\"Graphic.Menu\",\"999\"\r\n");
  std::vector<int> bad;
  const auto report = [&bad](int line, std::string_view) { bad.push_back(line); };
  const auto read = ReadMacroFile(text, report);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[1].item, "13");
  EXPECT_TRUE(bad.empty());

  const auto mixed = ReadMacroFile(
      "\"Edit.Menu\",\"3\"\n"        // LF line ends read too
      "Edit.Menu,3\r\n"              // not quoted
      "\"Edit.Menu\",\"77\"\r\n"     // no such command
      "\"Edit.Menu\",\"abc\"\r\n"    // no number
      "\"Edit.Menu\",\"23\"\r\n"     // recorded by nothing, plays as nothing
      "\"Other.Menu\",\"1\"\r\n"     // no such kind
      "\"Edit.Menu\",\"90\"\r\n"
      "\"Edit.Menu\",\"2.5\"\r\n",   // 2.5 rounds to 2
      report);
  EXPECT_EQ(bad, (std::vector<int>{2, 3, 4, 6}));
  ASSERT_EQ(mixed.size(), 4u);
  EXPECT_EQ(MacroItemNumber(mixed[3].item), 2);

  std::string many;
  for (int k = 0; k < 150; ++k) many += "\"Edit.Menu\",\"8\"\r\n";
  EXPECT_EQ(ReadMacroFile(many, report).size(), 101u);
}

TEST(MacroFile, EveryStepNumberAndItsMenuItem) {
  EXPECT_EQ(MacroCommandOf(1)->menu, "MnuLoad");
  EXPECT_EQ(MacroCommandOf(30)->menu, "MnuGrph");
  EXPECT_EQ(MacroCommandOf(36)->menu, "MnuApp(2)");
  EXPECT_EQ(MacroCommandOf(43)->menu, "MnuApp(9)");
  for (const int nothing : {0, 23, 44, 90, 91, -1}) EXPECT_FALSE(MacroCommandOf(nothing).has_value()) << nothing;
  int commands = 0;
  for (int item = 1; item <= 43; ++item) commands += MacroCommandOf(item).has_value();
  EXPECT_EQ(commands, 42);
}

TEST(ExternalApps, DxfByItsThreeWordsAndTheExport) {
  EXPECT_TRUE(IsDxfDocument("  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nLAYER\r\n  0\r\nENDSEC\r\n"));
  EXPECT_TRUE(IsDxfDocument("ENDSEC LAYER\nSECTION"));
  EXPECT_FALSE(IsDxfDocument("section\r\nLAYER\r\nENDSEC\r\n"));
  EXPECT_FALSE(IsDxfDocument("SECTION\r\nENDSEC\r\n"));

  const ExportFile program = ExportForApp("G00X1\r\n\r\nG01X2\nM30");
  EXPECT_EQ(program.name, "BAK.DAT");
  EXPECT_EQ(program.text, "G00X1\r\nG01X2\r\nM30\r\n");
  const std::string drawing = "  0\r\nSECTION\r\n  8\r\n\r\n  0\r\nLAYER\r\n  0\r\nENDSEC\r\n";
  const ExportFile dxf = ExportForApp(drawing);
  EXPECT_EQ(dxf.name, "BAK.DXF");
  EXPECT_EQ(dxf.text, drawing);  // the empty value line stays
}

TEST(ExternalApps, ListStopsAtTheFirstEmptyTitleAndDeleteMovesRowsUp) {
  MemorySettingsStore store;
  for (int row = 0; row < 5; ++row) SaveApp(store, row, {"app" + std::to_string(row), "/bin/app" + std::to_string(row)});
  AppList apps = ReadAppList(store);
  DeleteApp(store, apps, 2);  // the third of five
  EXPECT_EQ(apps[2].title, "app3");
  EXPECT_EQ(apps[3].path, "/bin/app4");
  EXPECT_EQ(GetSetting(store, "Kovrel", "AppTitle3", "?"), "app4");
  EXPECT_EQ(GetSetting(store, "Kovrel", "AppTitle4", "?"), "");
  EXPECT_EQ(GetSetting(store, "Kovrel", "AppName4", "?"), "");

  SaveApp(store, 0, {"", ""});
  EXPECT_EQ(ReadAppList(store)[1].title, "");  // an empty first title: an empty list
  EXPECT_EQ(ProgramTitle("/usr/local/bin/通信"), "通信");
}

TEST(About, VersionTextHasTwoRevisionDigits) {
  EXPECT_EQ(VersionText(1, 8, 12), "VER 1.8.12");
  EXPECT_EQ(VersionText(1, 8, 5), "VER 1.8.05");
  EXPECT_EQ(VersionText(0, 1, 0), "VER 0.1.00");
  EXPECT_NE(ReadMeText().find("グラフィック"), std::string_view::npos);
  EXPECT_FALSE(FindUnencodable(ReadMeText()).has_value());  // readme.txt is Shift-JIS
}

}  // namespace
}  // namespace kovrel
