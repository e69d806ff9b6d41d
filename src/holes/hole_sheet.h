// Hole data to a spreadsheet: the cells of the normalised hole data in one
// of three column layouts, and the .xlsx workbook that holds them.
#pragma once

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

/// The cells of the hole data. A tool select line takes a row with the line
/// in A and its tool's text (from the tool table line's "φ" on; empty for
/// a tool without one) in B; each hole line takes a row as the layout says.
/// Throws Failure 9 for a tool number outside 0-999.
std::vector<SheetCell> HoleSheetCells(std::string_view hole_data, SheetLayout layout);

/// Writes the cells into a new workbook at `path` (one worksheet, text cells
/// as text, numbers as numbers). Throws Failure when it cannot be written.
void WriteWorkbook(const std::vector<SheetCell>& cells, const std::string& path);

}  // namespace kovrel
