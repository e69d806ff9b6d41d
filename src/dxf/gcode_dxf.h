// G-code to DXF: straight moves become LINE entities (POINT when they do
// not move), circular moves ARC entities (CIRCLE when they end where they
// start). Every item that is no move is a layer label: the moves after it
// are drawn on a layer of that name (up to 999 layers); the moves before
// the first label lie on the layer "10". An empty label makes no layer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/hand_off.h"
#include "core/nc_coordinates.h"
#include "dxf/dxf_colours.h"

namespace kovrel {

/// The program as the drawing needs it.
struct GcodeDrawing {
  struct Move {
    NcMotion motion;
    int layer = 0;  ///< 0 before the first label, else the label's layer 1 ...
  };
  /// The layers 1 ... in order of first appearance, as DXF layer names;
  /// labels that name the same DXF layer share it.
  std::vector<std::string> layers;
  std::vector<Move> moves;
};

/// Reads the moves and labels of `gcode` item by item. Throws Failure 9
/// past 999 layers and Failure 6 for a value beyond a float's range.
GcodeDrawing ReadGcodeDrawing(std::string_view gcode);

/// The DXF text of a drawing read by ReadGcodeDrawing.
std::string WriteGcodeDxf(const GcodeDrawing& drawing, const DxfColourOptions& colours);
/// The same, written into `out` an entity at a time (the drawing is some
/// four times as long as the program).
void WriteGcodeDxf(const GcodeDrawing& drawing, const DxfColourOptions& colours, TextOutput& out);

/// Both steps, with the colours `choose` gives for the layers (when it
/// gives none, the command stops); nothing to convert when the program has
/// no move.
ConversionResult GcodeToDxf(std::string_view gcode, const DxfColourChoice& choose);
ConversionResult GcodeToDxf(std::string_view gcode, const DxfColourOptions& colours);
/// The same with the drawing written into `out` as it is made.
ConversionResult GcodeToDxf(std::string_view gcode, const DxfColourOptions& colours, TextOutput& out);

}  // namespace kovrel
