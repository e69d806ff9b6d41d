// Start-up settings, the command-line file and the graphic window's title.
#include "shell/startup.h"

#include <gtest/gtest.h>

#include "core/edit_module.h"
#include "core/settings_store.h"

namespace kovrel {
namespace {

TEST(Startup, DefaultsWithoutSettings) {
  MemorySettingsStore store;
  EditModule module;
  const StartupSettings s = ReadStartupSettings(store, module);
  EXPECT_EQ(s.geometry.left, 0);
  EXPECT_EQ(s.geometry.width, 8000);
  EXPECT_EQ(s.geometry.height, 7000);
  EXPECT_EQ(s.font.name, "ＭＳ 明朝");
  EXPECT_EQ(s.font.size, 12);
  EXPECT_FALSE(s.font.bold);
  EXPECT_TRUE(ReadPrintFont(store).bold);  // the print and font commands default to bold
  EXPECT_TRUE(s.help_visible);
  EXPECT_TRUE(s.macro_enabled);
  EXPECT_EQ(s.icon_count, 1);
  EXPECT_EQ(s.browser, "xdg-open");
  EXPECT_EQ(module.AppList[0][0], "");
}

TEST(Startup, ExitWritesTwipsAndIcon) {
  MemorySettingsStore store;
  SaveExitGeometry(store, TwipsGeometry{15, 30, 9000.5, 7500}, 5);
  EXPECT_EQ(GetSetting(store, "Kovrel", "Left", ""), "15");
  EXPECT_EQ(GetSetting(store, "Kovrel", "Width", ""), "9000.5");
  EXPECT_EQ(GetSetting(store, "Kovrel", "Icon", ""), "5");
  SaveSetting(store, "Kovrel", "Icon", "junk");
  EditModule module;
  EXPECT_EQ(ReadStartupSettings(store, module).icon_count, 1);
}

TEST(Startup, CommandLinePath) {
  EXPECT_EQ(CommandLinePath({}), "");
  EXPECT_EQ(CommandLinePath({"\"/data/my prog.nc\""}), "/data/my prog.nc");
  EXPECT_EQ(CommandLinePath({"/data/my", "prog.nc"}), "/data/my prog.nc");
  EXPECT_EQ(CommandLinePath({"\""}), "");
  EXPECT_EQ(GraphicWindowTitle(""), "Kovrel");
  EXPECT_EQ(GraphicWindowTitle("山田"), "Kovrel【 山田 】");
}

}  // namespace
}  // namespace kovrel
