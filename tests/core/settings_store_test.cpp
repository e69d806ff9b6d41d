// The value rules of the settings store.
#include "core/settings_store.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

TEST(SettingsStore, MissingKeyGivesTheDefaultAndKeysIgnoreCase) {
  MemorySettingsStore store;
  EXPECT_EQ(GetSetting(store, "Kovrel", "FontName", "ＭＳ 明朝"), "ＭＳ 明朝");
  SaveSetting(store, "Kovrel", "UsER", "山田");
  EXPECT_EQ(GetSetting(store, "kovrel", "user", ""), "山田");
  SaveSetting(store, "KOVREL", "USER", "");
  EXPECT_EQ(GetSetting(store, "Kovrel", "UsER", "x"), "");  // an empty value is a value
  EXPECT_EQ(store.size(), 1u);
}

TEST(SettingsStore, NumbersInShortestFormReadLocaleNeutrally) {
  MemorySettingsStore store;
  SaveNumberSetting(store, "Kovrel", "Width", 8000);
  EXPECT_EQ(*store.Read("Kovrel", "Width"), "8000");
  SaveSingleSetting(store, "Kovrel", "Left", 0.5f);
  EXPECT_EQ(*store.Read("Kovrel", "Left"), "0.5");
  SaveSingleSetting(store, "Kovrel", "Top", -1234.25f);
  EXPECT_EQ(*store.Read("Kovrel", "Top"), "-1234.25");
  EXPECT_EQ(GetNumberSetting(store, "Kovrel", "Top", 0), -1234.25);
  SaveSetting(store, "Kovrel", "Height", "abc");
  EXPECT_EQ(GetNumberSetting(store, "Kovrel", "Height", 7000), 7000);
  SaveSetting(store, "Kovrel", "Height", "12,5");
  EXPECT_EQ(GetNumberSetting(store, "Kovrel", "Height", 7000), 7000);
  SaveSetting(store, "Kovrel", "Height", " .5 ");
  EXPECT_EQ(GetNumberSetting(store, "Kovrel", "Height", 7000), 0.5);
  EXPECT_EQ(GetNumberSetting(store, "Kovrel", "Missing", 12), 12);
}

TEST(SettingsStore, BooleansAsWordsInAnyCaseOrNumbers) {
  MemorySettingsStore store;
  SaveBoolSetting(store, "Kovrel", "Help", false);
  EXPECT_EQ(*store.Read("Kovrel", "Help"), "False");
  EXPECT_FALSE(GetBoolSetting(store, "Kovrel", "Help", true));
  const struct {
    const char* text;
    bool value;
  } cases[] = {{"TRUE", true}, {"true", true}, {"fAlSe", false}, {"0", false}, {"-1", true}, {"2.5", true},
               {"0.0", false}};
  for (const auto& c : cases) {
    SaveSetting(store, "Kovrel", "Macro", c.text);
    EXPECT_EQ(GetBoolSetting(store, "Kovrel", "Macro", !c.value), c.value) << c.text;
  }
  SaveSetting(store, "Kovrel", "Macro", "yes");
  EXPECT_TRUE(GetBoolSetting(store, "Kovrel", "Macro", true));
  EXPECT_FALSE(GetBoolSetting(store, "Kovrel", "Macro", false));
}

}  // namespace
}  // namespace kovrel
