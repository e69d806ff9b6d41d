// The recording hook and the icon counter.
#include "core/edit_module.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

TEST(RecordingHook, RecordsOnlyWhileARecordingRunsAndStopsAtTheLimit) {
  EditModule module;
  RecordStep(module, kEditMenu, 16);
  EXPECT_EQ(module.MacroCount, -1);
  EXPECT_TRUE(module.MacroSteps[0].kind.empty());

  module.MacroCount = 0;
  RecordStep(module, kEditMenu, 16);
  RecordStep(module, kGraphicMenu, 3);
  EXPECT_EQ(module.MacroCount, 2);
  EXPECT_EQ(module.MacroSteps[0].kind, "Edit.Menu");
  EXPECT_EQ(module.MacroSteps[0].item, "16");
  EXPECT_EQ(module.MacroSteps[1].kind, "Graphic.Menu");

  module.MacroCount = 100;
  RecordStep(module, kEditMenu, 7);
  EXPECT_EQ(module.MacroCount, 101);
  EXPECT_EQ(module.MacroSteps[100].item, "7");
  RecordStep(module, kEditMenu, 8);  // the table is full
  EXPECT_EQ(module.MacroCount, 101);
}

TEST(IconCount, GoesBackToOneAfterFive) {
  EditModule module;
  EXPECT_EQ(module.IconCount, 1);
  module.IconCount = 4;
  AdvanceIconCount(module);
  EXPECT_EQ(module.IconCount, 5);
  AdvanceIconCount(module);
  EXPECT_EQ(module.IconCount, 1);
}

}  // namespace
}  // namespace kovrel
