// DXF to hole data: every CIRCLE of a DXF drawing's ENTITIES section is a
// hole, every layer that holds circles a tool (the first such layer T01,
// up to 100 tools) whose diameter is that of its last circle. The result is
// the normalised hole data: the tool table, then each tool's holes in file
// order. Other entities are no holes.
#pragma once

#include <string_view>

#include "core/hand_off.h"

namespace kovrel {

/// The hole data of the drawing `dxf`; nothing to convert without a
/// circle. A circle without a layer lies on DXF's own layer "0". Throws
/// Failure 9 for circles on more than 100 layers, Failure 62 when the
/// drawing ends before its EOF group.
ConversionResult DxfToHoleData(std::string_view dxf);

}  // namespace kovrel
