// Hole data to spreadsheet cells, and the workbook writer on libxlsxwriter.
#include "holes/hole_sheet.h"

#include <xlsxwriter.h>

#include <array>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/failure.h"
#include "core/file_io.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "holes/hole_gcode.h"

namespace kovrel {

void VisitHoleSheetCells(std::string_view hole_data, SheetLayout layout, const SheetCellSink& sink) {
  std::array<std::string, 1000> tool_texts;
  SheetCell cell;
  const auto text = [&](int column, std::string_view value) {
    cell.column = column;
    cell.is_number = false;
    cell.text.assign(value);
    cell.number = 0;
    sink(cell);
  };
  const auto number = [&](int column, double value) {
    cell.column = column;
    cell.is_number = true;
    cell.text.clear();
    cell.number = value;
    sink(cell);
  };
  double count = 0;
  cell.row = 0;
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    if (const std::size_t phi = line.find("φ"); phi != std::string_view::npos) {
      tool_texts[static_cast<std::size_t>(HoleToolNumber(line))] = std::string(line.substr(phi));
    } else if (HasLetter(line, "T")) {
      ++cell.row;
      text(1, line);
      text(2, tool_texts[static_cast<std::size_t>(HoleToolNumber(line))]);
      count = 0;
    } else if (HasLetter(line, "X") || HasLetter(line, "Y")) {
      ++cell.row;
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
}

std::vector<SheetCell> HoleSheetCells(std::string_view hole_data, SheetLayout layout) {
  std::vector<SheetCell> cells;
  VisitHoleSheetCells(hole_data, layout, [&cells](const SheetCell& cell) { cells.push_back(cell); });
  return cells;
}

namespace {

// A workbook being written to a temporary file beside its path: closed
// (and the temporary file removed) when it is left without Commit().
class WorkbookFile {
 public:
  explicit WorkbookFile(const std::string& path) : path_(path), temp_(path + ".kovrel-tmp") {
    // Constant memory: each row is written to a temporary file when the
    // next one starts, and texts are kept in their cells, so the memory
    // stays the same whatever the sheet's size.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    workbook_ = workbook_new_opt(temp_.c_str(), &options);
    if (workbook_ == nullptr) Fail(FailureKind::kPathNotFound, path);
  }
  WorkbookFile(const WorkbookFile&) = delete;
  WorkbookFile& operator=(const WorkbookFile&) = delete;
  ~WorkbookFile() {
    if (workbook_ != nullptr) workbook_close(workbook_);
    RemoveFile(temp_);
  }

  lxw_workbook* workbook() { return workbook_; }

  // Closes the workbook (the file is written now) and puts it in place.
  void Commit() {
    Check(workbook_close(std::exchange(workbook_, nullptr)));
    std::error_code ec;
    // A workbook written again keeps the permissions it had.
    if (const auto status = std::filesystem::status(path_, ec); !ec && std::filesystem::exists(status)) {
      std::filesystem::permissions(temp_, status.permissions(), ec);
    }
    std::filesystem::rename(temp_, path_, ec);
    if (ec) Check(LXW_ERROR_CREATING_XLSX_FILE);
  }

  void Check(lxw_error error) const {
    if (error == LXW_NO_ERROR) return;
    FailWithText(error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE
                     ? FailureKind::kPermissionDenied
                     : FailureKind::kInvalidValue,
                 std::string("ワークブックを書けませんでした: ") + lxw_strerror(error) + ": " + path_);
  }

 private:
  std::string path_;
  std::string temp_;
  lxw_workbook* workbook_ = nullptr;
};

}  // namespace

void WriteHoleWorkbook(std::string_view hole_data, SheetLayout layout, const std::string& path) {
  WorkbookFile file(path);
  lxw_worksheet* sheet = workbook_add_worksheet(file.workbook(), nullptr);
  if (sheet == nullptr) file.Check(LXW_ERROR_MEMORY_MALLOC_FAILED);
  VisitHoleSheetCells(hole_data, layout, [&](const SheetCell& cell) {
    const auto row = static_cast<lxw_row_t>(cell.row - 1);
    const auto column = static_cast<lxw_col_t>(cell.column - 1);
    if (cell.is_number) {
      file.Check(worksheet_write_number(sheet, row, column, cell.number, nullptr));
    } else if (!cell.text.empty()) {
      // An empty text leaves the cell empty, as assigning "" does.
      file.Check(worksheet_write_string(sheet, row, column, cell.text.c_str(), nullptr));
    }
  });
  file.Commit();
}

}  // namespace kovrel
