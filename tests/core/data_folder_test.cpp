// Resolution of the per-user folders and first-use seeding.
#include "core/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/edit_module.h"
#include "core/file_io.h"
#include "support/temp_folder.h"

namespace kovrel {
namespace {

using testing_support::TempFolder;

EnvLookup FakeEnv(std::map<std::string, std::string> values) {
  return [values](const char* name) -> std::optional<std::string> {
    const auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

TEST(DataFolder, ResolutionOrderAndTrailingSeparator) {
  EXPECT_EQ(ResolveProgDir(FakeEnv({{"KOVREL_HOME", "/data/k"}, {"XDG_DATA_HOME", "/x"}})), "/data/k/");
  EXPECT_EQ(ResolveProgDir(FakeEnv({{"XDG_DATA_HOME", "/x/"}, {"HOME", "/home/u"}})), "/x/kovrel/");
  EXPECT_EQ(ResolveProgDir(FakeEnv({{"HOME", "/home/u"}})), "/home/u/.local/share/kovrel/");
  EXPECT_EQ(ResolveProgDir(FakeEnv({{"XDG_DATA_HOME", "relative"}, {"HOME", "/home/u"}})),
            "/home/u/.local/share/kovrel/");
  EXPECT_EQ(ResolveSysDir(FakeEnv({{"HOME", "/home/u"}})), "/home/u/.cache/kovrel/export/");
  EXPECT_EQ(ResolveSysDir(FakeEnv({{"XDG_CACHE_HOME", "/c"}})), "/c/kovrel/export/");
  EXPECT_EQ(ResolveWinDir(FakeEnv({{"HOME", "/home/u"}})), "/home/u/.config/kovrel/");
}

TEST(DataFolder, SeedingCopiesMissingFilesOnlyAndKeepsTheUsers) {
  TempFolder shipped, home;
  std::filesystem::create_directories(shipped / "CVTBL");
  WriteFileBytes(shipped / "CVTBL/EIA.TBL", "shipped table");
  WriteFileBytes(shipped / "KV001.JPG", "picture");
  const std::string prog = home / "kovrel/";
  std::filesystem::create_directories(prog);
  WriteFileBytes(prog + "KV001.JPG", "the user's picture");

  SeedDataFolder(shipped.path(), prog);
  EXPECT_EQ(ReadFileBytes(prog + "CVTBL/EIA.TBL"), "shipped table");
  EXPECT_EQ(ReadFileBytes(prog + "KV001.JPG"), "the user's picture");

  WriteFileBytes(prog + "CVTBL/EIA.TBL", "edited table");
  SeedDataFolder(shipped.path(), prog);
  EXPECT_EQ(ReadFileBytes(prog + "CVTBL/EIA.TBL"), "edited table");
}

TEST(DataFolder, PrepareFillsTheModuleAndCreatesTheFolders) {
  TempFolder home;
  EditModule module;
  PrepareFolders(module, FakeEnv({{"HOME", home.path()}, {"KOVREL_DATA", home / "nothing-shipped"}}), "");
  EXPECT_EQ(module.ProgDir, home.path() + ".local/share/kovrel/");
  EXPECT_TRUE(std::filesystem::is_directory(module.ProgDir));
  EXPECT_TRUE(std::filesystem::is_directory(module.SysDir));
  EXPECT_EQ(module.ProgDir.back(), '/');
}

}  // namespace
}  // namespace kovrel
