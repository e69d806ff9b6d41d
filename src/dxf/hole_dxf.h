// Hole data to DXF: every hole of the normalised hole data becomes a CIRCLE
// of its tool's radius on a layer named after the tool ("T 1"), one layer
// per tool of the tool table in order of first appearance (99 at most).
// Holes before the first tool select line lie on DXF's own layer "0".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/hand_off.h"
#include "core/text_output.h"
#include "dxf/dxf_colours.h"

namespace kovrel {

/// The hole data as the drawing needs it.
struct HoleDrawing {
  struct Tool {
    double number = 0;  ///< the number after the tool line's first character
    std::string layer;  ///< "T" + the number in general form after a blank
    float radius = 0;
  };
  struct Hole {
    float x = 0, y = 0;
    int slot = 0;  ///< 0 before the first tool, else the tool's index + 1
  };
  std::vector<Tool> tools;  ///< slots 1 ... 99
  std::vector<Hole> holes;
  bool has_tool_table = false;  ///< a line with "φ" was read

  /// The layer names, slot 1 first, for the colour window.
  std::vector<std::string> LayerNames() const;
};

/// Reads the tool table and the holes of `hole_data`.
HoleDrawing ReadHoleDrawing(std::string_view hole_data);

/// The DXF text of a drawing read by ReadHoleDrawing.
std::string WriteHoleDxf(const HoleDrawing& drawing, const DxfColourOptions& colours);
/// The same text written into `out` as it goes (it is about five times
/// the size of the hole data).
void WriteHoleDxf(const HoleDrawing& drawing, const DxfColourOptions& colours, TextOutput& out);

/// Both steps, with the colours `choose` gives for the tool layers (when it
/// gives none, the command stops); nothing to convert when the text has no
/// tool table line.
ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourChoice& choose);
ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourOptions& colours);
ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourOptions& colours, TextOutput& out);

}  // namespace kovrel
