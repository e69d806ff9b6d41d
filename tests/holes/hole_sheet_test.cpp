// Hole data to spreadsheet cells in the three layouts.
#include "holes/hole_sheet.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/file_io.h"
#include "support/temp_folder.h"

namespace kovrel {
namespace {

SheetCell Text(int row, int column, std::string text) { return {row, column, false, std::move(text), 0}; }
SheetCell Number(int row, int column, double value) { return {row, column, true, {}, value}; }

constexpr std::string_view kData = "T01φ1.000\r\nT01\r\nX12.5 Y3.0\r\nX-1.0 Y0.25\r\n";

TEST(HoleSheet, ThreeLayouts) {
  EXPECT_EQ(HoleSheetCells(kData, SheetLayout::kA),
            (std::vector<SheetCell>{Text(1, 1, "T01"), Text(1, 2, "φ1.000"), Text(2, 3, "X"), Number(2, 4, 12.5),
                                    Text(2, 5, "Y"), Number(2, 6, 3.0), Number(2, 7, 1), Text(3, 3, "X"),
                                    Number(3, 4, -1.0), Text(3, 5, "Y"), Number(3, 6, 0.25), Number(3, 7, 2)}));
  EXPECT_EQ(HoleSheetCells(kData, SheetLayout::kB),
            (std::vector<SheetCell>{Text(1, 1, "T01"), Text(1, 2, "φ1.000"), Text(2, 3, "X12.5 "), Text(2, 4, "Y3.0"),
                                    Number(2, 5, 1), Text(3, 3, "X-1.0 "), Text(3, 4, "Y0.25"), Number(3, 5, 2)}));
  EXPECT_EQ(HoleSheetCells(kData, SheetLayout::kC),
            (std::vector<SheetCell>{Text(1, 1, "T01"), Text(1, 2, "φ1.000"), Text(2, 3, "X12.5 Y3.0"), Number(2, 4, 1),
                                    Text(3, 3, "X-1.0 Y0.25"), Number(3, 4, 2)}));
}

TEST(HoleSheet, HolesBeforeTheFirstToolAndToolsWithoutTableLines) {
  EXPECT_EQ(HoleSheetCells("X1 Y2\r\nX3 Y4\r\nT05\r\nX5 Y6\r\n", SheetLayout::kC),
            (std::vector<SheetCell>{Text(1, 3, "X1 Y2"), Number(1, 4, 1), Text(2, 3, "X3 Y4"), Number(2, 4, 2),
                                    Text(3, 1, "T05"), Text(3, 2, ""), Text(4, 3, "X5 Y6"), Number(4, 4, 1)}));
  EXPECT_THROW(HoleSheetCells("T1000\r\n", SheetLayout::kA), Failure);
}

TEST(HoleSheet, WorkbookIsWrittenOrReported) {
  testing_support::TempFolder folder;
  WriteHoleWorkbook(kData, SheetLayout::kA, folder / "holes.xlsx");
  EXPECT_TRUE(ReadFileBytes(folder / "holes.xlsx").starts_with("PK"));  // a zip package
  EXPECT_THROW(WriteHoleWorkbook("", SheetLayout::kA, folder / "missing/holes.xlsx"), Failure);

  // The rows go to the file as they come: a tool number out of range half
  // way leaves the workbook that was there, and no temporary file.
  const std::string before = ReadFileBytes(folder / "holes.xlsx");
  EXPECT_THROW(WriteHoleWorkbook("T01\r\nX1 Y2\r\nT1000\r\n", SheetLayout::kA, folder / "holes.xlsx"), Failure);
  EXPECT_EQ(ReadFileBytes(folder / "holes.xlsx"), before);
  EXPECT_FALSE(FileExists(folder / "holes.xlsx.kovrel-tmp"));
  WriteHoleWorkbook(kData, SheetLayout::kC, folder / "holes.xlsx");
  EXPECT_NE(ReadFileBytes(folder / "holes.xlsx"), before);
}

}  // namespace
}  // namespace kovrel
