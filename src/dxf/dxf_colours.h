// The colour options of the DXF drawings the program writes (the window
// "DXFの色設定" and the command line share them): every layer its own
// colour number or one common colour, and the colours chosen per layer in
// the window. A colour number is a DXF colour index; the layer before the
// first label or tool, and a colour cell left empty, get 7.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/named_choice.h"

namespace kovrel {

enum class DxfColourMode {
  kEachLayer,  ///< layer k gets k mod 7 (0 read as 7): 1 ... 7, then 1 again
  kSame,       ///< every layer gets the common colour
};

inline constexpr ChoiceTable<DxfColourMode, 2> kDxfColourModes = {{
    {DxfColourMode::kEachLayer, "all", "全色出力"},
    {DxfColourMode::kSame, "same", "同一色"},
}};

/// The colour of the layer before the first label or tool, and of a
/// colour cell left empty (0 is "by block" in DXF, which readers draw as
/// they please).
inline constexpr int kDxfDefaultColour = 7;

struct DxfColourOptions {
  DxfColourMode mode = DxfColourMode::kEachLayer;
  int colour = 5;  ///< the common colour of kSame
  /// The colours chosen in the window for layers 1, 2, ... (0 for a cell
  /// left empty); layers past its end take the colour of the mode.
  std::vector<int> chosen;
};

/// Chooses the colours of a drawing's layers (1, 2, ...: their names) as
/// the window does; nothing when the user stops the command.
using DxfColourChoice = std::function<std::optional<DxfColourOptions>(const std::vector<std::string>& layers)>;

/// The common colour must be 1 to 7 ("colour").
std::optional<OptionProblem> Validate(const DxfColourOptions& options);

/// The colour of the layer mode (layer >= 1), without the chosen ones.
int ModeColour(const DxfColourOptions& options, int layer);

/// The colour number written for layer `layer` (0 is the layer before the
/// first label or tool).
int LayerColour(const DxfColourOptions& options, int layer);

}  // namespace kovrel
