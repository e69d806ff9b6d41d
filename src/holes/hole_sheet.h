// Hole data to a spreadsheet: the cells of the normalised hole data in one
// of three column layouts, and the .xlsx workbook that holds them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/named_choice.h"

namespace kovrel {

/// "Aタイプ": X, x, Y, y, count in C-G; "Bタイプ": the text before "Y", the
/// text from "Y", count in C-E; "Cタイプ": the line and count in C-D.
enum class SheetLayout { kA, kB, kC };

inline constexpr ChoiceTable<SheetLayout, 3> kSheetLayouts = {{
    {SheetLayout::kA, "A", "Aタイプ"},
    {SheetLayout::kB, "B", "Bタイプ"},
    {SheetLayout::kC, "C", "Cタイプ"},
}};

struct SheetCell {
  int row = 1;     ///< 1-based
  int column = 1;  ///< 1-based: 1 is column A
  bool is_number = false;
  std::string text;   ///< the value of a text cell
  double number = 0;  ///< the value of a number cell

  bool operator==(const SheetCell&) const = default;
};

/// Takes the cells one at a time, row by row.
using SheetCellSink = std::function<void(const SheetCell&)>;

/// The cells of the hole data, handed to `sink` in row order. A tool select
/// line takes a row with the line in A and its tool's text (from the tool
/// table line's "φ" on; empty for a tool without one) in B; each hole line
/// takes a row as the layout says. Throws Failure 9 for a tool number
/// outside 0-999.
void VisitHoleSheetCells(std::string_view hole_data, SheetLayout layout, const SheetCellSink& sink);

/// The same cells gathered.
std::vector<SheetCell> HoleSheetCells(std::string_view hole_data, SheetLayout layout);

/// Writes the cells of the hole data into a new workbook at `path`: one
/// worksheet, text cells as text, numbers as numbers. Each row goes to the
/// file as the next one starts, so a large sheet is never held in memory.
/// The workbook replaces `path` only when it is complete: a failure (of the
/// cells or of the writing) leaves `path` as it was. Throws Failure when it
/// cannot be written.
void WriteHoleWorkbook(std::string_view hole_data, SheetLayout layout, const std::string& path);

}  // namespace kovrel
