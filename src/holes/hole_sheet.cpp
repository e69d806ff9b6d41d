// Hole data to spreadsheet cells, and the workbook writer on libxlsxwriter.
#include "holes/hole_sheet.h"

#include <xlsxwriter.h>

#include <array>

#include "core/failure.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "holes/hole_gcode.h"

namespace kovrel {

std::vector<SheetCell> HoleSheetCells(std::string_view hole_data, SheetLayout layout) {
  std::array<std::string, 1000> tool_texts;
  std::vector<SheetCell> cells;
  int row = 0;
  double count = 0;
  const auto text = [&](int column, std::string_view value) {
    cells.push_back({row, column, false, std::string(value), 0});
  };
  const auto number = [&](int column, double value) { cells.push_back({row, column, true, {}, value}); };
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    if (const std::size_t phi = line.find("φ"); phi != std::string_view::npos) {
      tool_texts[static_cast<std::size_t>(HoleToolNumber(line))] = std::string(line.substr(phi));
    } else if (HasLetter(line, "T")) {
      ++row;
      text(1, line);
      text(2, tool_texts[static_cast<std::size_t>(HoleToolNumber(line))]);
      count = 0;
    } else if (HasLetter(line, "X") || HasLetter(line, "Y")) {
      ++row;
      ++count;
      switch (layout) {
        case SheetLayout::kA:
          text(3, "X");
          number(4, ValueAfter(line, "X"));
          text(5, "Y");
          number(6, ValueAfter(line, "Y"));
          number(7, count);
          break;
        case SheetLayout::kB: {
          const std::size_t y = line.find('Y');
          text(3, line.substr(0, y == std::string_view::npos ? line.size() : y));
          text(4, y == std::string_view::npos ? std::string_view() : line.substr(y));
          number(5, count);
          break;
        }
        case SheetLayout::kC:
          text(3, line);
          number(4, count);
          break;
      }
    }
  }
  return cells;
}

void WriteWorkbook(const std::vector<SheetCell>& cells, const std::string& path) {
  lxw_workbook* workbook = workbook_new(path.c_str());
  if (workbook == nullptr) Fail(FailureKind::kPathNotFound, path);
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
  lxw_error error = sheet == nullptr ? LXW_ERROR_MEMORY_MALLOC_FAILED : LXW_NO_ERROR;
  for (const SheetCell& cell : cells) {
    if (error != LXW_NO_ERROR) break;
    const auto row = static_cast<lxw_row_t>(cell.row - 1);
    const auto column = static_cast<lxw_col_t>(cell.column - 1);
    if (cell.is_number) {
      error = worksheet_write_number(sheet, row, column, cell.number, nullptr);
    } else if (!cell.text.empty()) {
      // An empty text leaves the cell empty, as assigning "" does.
      error = worksheet_write_string(sheet, row, column, cell.text.c_str(), nullptr);
    }
  }
  const lxw_error closed = workbook_close(workbook);
  if (error == LXW_NO_ERROR) error = closed;
  if (error != LXW_NO_ERROR) {
    FailWithText(error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE
                     ? FailureKind::kPermissionDenied
                     : FailureKind::kInvalidValue,
                 std::string("ワークブックを書けませんでした: ") + lxw_strerror(error) + ": " + path);
  }
}

}  // namespace kovrel
