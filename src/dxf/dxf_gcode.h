// DXF to G-code: the entities of a DXF drawing (LINE, POINT, CIRCLE, ARC,
// POLYLINE with its VERTEX entities and LWPOLYLINE, with bulges) traced as
// G-code moves, every coordinate taken relative to the drawing's $UCSORG.
// A change of layer writes the layer's name as a line of its own before the
// moves, so that G-code to DXF makes it a layer again. The program has no
// start or end codes.
#pragma once

#include <string_view>

#include "core/hand_off.h"
#include "core/text_output.h"

namespace kovrel {

/// The G-code of the drawing `dxf`; nothing to convert when it has nothing
/// to trace. Entities whose extrusion is neither +Z nor -Z are skipped, and
/// the result's message says how many. Throws Failure 62 when the drawing
/// ends before its EOF group.
ConversionResult DxfToGcode(std::string_view dxf);

/// The same conversion writing its lines into `out` as it goes.
ConversionResult TraceDxfToGcode(std::string_view dxf, TextOutput& out);

}  // namespace kovrel
