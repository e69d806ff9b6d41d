// Load, append and save of the document through the work file.
#include "shell/file_commands.h"

#include <gtest/gtest.h>

#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "support/temp_folder.h"

namespace kovrel {
namespace {

using testing_support::TempFolder;

TEST(SavedForm, EveryNonEmptyLineWithItsLineEnd) {
  EXPECT_EQ(SavedForm("A\r\nB", LineEnd::kCr), "A\rB\r");
  EXPECT_EQ(SavedForm("A\r\nB\r\n", LineEnd::kLf), "A\nB\n");
  EXPECT_EQ(SavedForm("A\r\n\r\n\r\nB\r\n", LineEnd::kCrLf), "A\r\nB\r\n");
  EXPECT_EQ(SavedForm("\r\n\r\n", LineEnd::kCrLf), "");
  EXPECT_EQ(SavedForm("", LineEnd::kCrLf), "");
  EXPECT_EQ(SavedForm("A\rB", LineEnd::kCrLf), "A\r\nB\r\n");
  EXPECT_EQ(SavedForm("A\nB", LineEnd::kCr), "A\rB\r");
  EXPECT_EQ(SavedForm("A\nB\rC\r\n\n\rD\n", LineEnd::kCrLf), "A\r\nB\r\nC\r\nD\r\n");
}

TEST(FileCommands, SaveLoadAndAppendKeepShiftJisBytes) {
  TempFolder folder;
  EditModule module;
  module.ProgDir = folder.path();
  const std::string path = folder / "prog.nc";
  SaveTextFile(module, "(穴あけ)\r\n\r\nX1\xef\xa1\xbf", path, LineEnd::kCrLf);  // with a raw byte FF
  EXPECT_EQ(ReadFileBytes(path), "(\x8c\x8a\x82\xa0\x82\xaf)\r\nX1\xff\r\n");
  EXPECT_EQ(LoadTextFile(path), "(穴あけ)\r\nX1\xef\xa1\xbf\r\n");
  EXPECT_FALSE(FileExists(folder / "BAK.DAT"));

  WriteFileBytes(folder / "tail.nc", "Y2\x82\xa0");
  EXPECT_EQ(AppendTextFile(module, "X1", folder / "tail.nc"), "X1Y2あ");
  EXPECT_EQ(AppendTextFile(module, "", folder / "tail.nc"), "Y2あ");
  EXPECT_FALSE(FileExists(folder / "BAK.DAT"));
}

TEST(FileCommands, FailuresLeaveTheTargetUntouched) {
  TempFolder folder;
  EditModule module;
  module.ProgDir = folder.path();
  const std::string path = folder / "keep.nc";
  WriteFileBytes(path, "OLD");
  EXPECT_THROW(SaveTextFile(module, "€", path, LineEnd::kCrLf), Failure);
  EXPECT_EQ(ReadFileBytes(path), "OLD");
  EXPECT_THROW(SaveTextFile(module, "X", folder / "none/x.nc", LineEnd::kCrLf), Failure);
  EXPECT_THROW(LoadTextFile(folder / "none.nc"), Failure);
  EXPECT_THROW(AppendTextFile(module, "X", folder / "none.nc"), Failure);
}

}  // namespace
}  // namespace kovrel
