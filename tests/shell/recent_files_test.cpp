// The recent-file list update and captions.
#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include "core/settings_store.h"

namespace kovrel {
namespace {

RecentFiles Stored(MemorySettingsStore& store, RecentFiles files) {
  for (int k = 0; k < kRecentCount; ++k) SaveSetting(store, "Kovrel", "File" + std::to_string(k + 1), files[k]);
  return ReadRecentFiles(store);
}

TEST(RecentFiles, ListedEntryMovesToTheTopAndTheOnesBehindItStay) {
  MemorySettingsStore store;
  const RecentFiles current = Stored(store, {"a", "b", "c", "d", "e"});
  EXPECT_EQ(UpdateRecentFiles(store, current, "c"), (RecentFiles{"c", "a", "b", "d", "e"}));
  EXPECT_EQ(UpdateRecentFiles(store, ReadRecentFiles(store), "c"), (RecentFiles{"c", "a", "b", "d", "e"}));
}

TEST(RecentFiles, NewPathDropsTheOldestAndFillsAShortList) {
  MemorySettingsStore store;
  RecentFiles current = Stored(store, {"a", "b", "c", "d", "e"});
  EXPECT_EQ(UpdateRecentFiles(store, current, "f"), (RecentFiles{"f", "a", "b", "c", "d"}));
  MemorySettingsStore empty;
  current = UpdateRecentFiles(empty, ReadRecentFiles(empty), "x");
  EXPECT_EQ(current, (RecentFiles{"x", "", "", "", ""}));
  EXPECT_EQ(UpdateRecentFiles(empty, current, "y"), (RecentFiles{"y", "x", "", "", ""}));
  EXPECT_EQ(GetSetting(empty, "Kovrel", "File2", "?"), "x");
}

TEST(RecentFiles, CaptionShowsTheLastThirtyCharactersFromAFolder) {
  EXPECT_EQ(RecentCaption(0, "/a/b.nc"), "&1 /a/b.nc");
  const std::string path31 = "/" + std::string(25, 'x') + "/a.nc";  // 31 characters
  ASSERT_EQ(path31.size(), 31u);
  EXPECT_EQ(RecentCaption(1, path31), "&2 " + path31.substr(1));  // cut at a separator
  EXPECT_EQ(RecentCaption(1, "/y" + path31.substr(1)), "&2 …/a.nc");  // never inside a name
  EXPECT_EQ(RecentCaption(4, "/データ/" + std::string(30, 'y')), "&5 " + std::string(30, 'y'));
  EXPECT_EQ(RecentCaption(2, "/図面/穴あけ用のプログラム一覧表です.nc/" + std::string(11, 'z')),
            "&3 穴あけ用のプログラム一覧表です.nc/" + std::string(11, 'z'));
  EXPECT_EQ(BareFileName("/home/u/prog.nc"), "prog.nc");
  EXPECT_EQ(BareFileName("C:\\nc\\prog.nc"), "prog.nc");
  EXPECT_EQ(BareFileName("prog.nc"), "prog.nc");
}

}  // namespace
}  // namespace kovrel
