// Fuzz target: the drill reader (hole data formatting in every mode) and
// the hole data readers (G-code, spreadsheet cells) on any text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/cp932.h"
#include "core/failure.h"
#include "holes/hole_format.h"
#include "holes/hole_gcode.h"
#include "holes/hole_sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string text = kovrel::DecodeCp932(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  // The first byte picks the options.
  const unsigned pick = data[0];
  kovrel::HoleFormatOptions options;
  options.unit = static_cast<kovrel::HoleUnit>(pick % 6);
  options.incremental = (pick & 8) != 0;
  options.hole_mode = static_cast<kovrel::HoleMode>((pick >> 4) % 3);
  options.tool_mode = (pick & 64) ? kovrel::ToolMode::kBlocksWithoutCoordinates : kovrel::ToolMode::kDesignatedText;
  if (pick & 128) options.tool_text = "M06";
  try {
    const std::string holes = kovrel::FormatHoleData(text, options);
    kovrel::HoleDataToGcode(holes);
    kovrel::HoleSheetCells(holes, kovrel::SheetLayout::kB);
  } catch (const kovrel::Failure&) {
  }
  try {
    kovrel::HoleDataToGcode(text);
  } catch (const kovrel::Failure&) {
  }
  return 0;
}
