// The colours of the layers of a written drawing.
#include "dxf/dxf_colours.h"

#include <string>

namespace kovrel {
namespace {

// A colour index DXF draws as itself; anything else is written as 7.
int Drawable(int colour) { return colour >= 1 && colour <= 255 ? colour : kDxfDefaultColour; }

}  // namespace

std::optional<OptionProblem> Validate(const DxfColourOptions& options) {
  if (options.colour < 1 || options.colour > 7) {
    std::string message = "色番号は 1 から 7 です: ";
    return OptionProblem{"colour", message += std::to_string(options.colour)};
  }
  return std::nullopt;
}

int ModeColour(const DxfColourOptions& options, int layer) {
  if (options.mode == DxfColourMode::kSame) return Drawable(options.colour);
  const int colour = layer % 7;
  return colour == 0 ? 7 : colour;
}

int LayerColour(const DxfColourOptions& options, int layer) {
  if (layer <= 0) return kDxfDefaultColour;
  const auto index = static_cast<std::size_t>(layer - 1);
  if (index < options.chosen.size()) return Drawable(options.chosen[index]);
  return ModeColour(options, layer);
}

}  // namespace kovrel
