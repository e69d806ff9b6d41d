// The layers as the layer window shows and changes them: the width typed
// for a layer, the colour stored for a chosen colour, and the width files
// in ProgDir/apt/ that keep a set of layer names with widths and colours.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graphic/figure.h"

namespace kovrel {

/// The table of the layer window lists layers 0..98.
inline constexpr int kLayerRows = 99;

/// The folder of the width files in ProgDir.
inline constexpr std::string_view kWidthFolder = "apt/";

/// Shows every named layer, as the layer window does when it opens.
void ShowNamedLayers(FigureTables& figure);

/// A width as the tables show it: "0.500".
std::string LayerWidthText(float width);

/// The width typed for a layer: the number's absolute value (full-width
/// digits read as digits); text that is no number gives 0. Throws Failure 6
/// beyond a float's range.
float TypedLayerWidth(std::string_view text);

/// The colour stored for a chosen colour: black is stored as 1, so that a
/// layer never takes the view's "no colour".
double StoredLayerColour(int colour);

/// One line of a width file: the layer name, its width as shown, its colour.
struct WidthEntry {
  std::string name;
  std::string width_text;
  double colour = 0;
};

/// The text of a width file: for each entry the quoted name, the quoted
/// width and the colour, separated by commas, each line ending in CR LF.
std::string WidthFileText(const std::vector<WidthEntry>& entries);

/// The entries of a width file, up to the first line with fewer than three
/// fields or with a width or colour that is no readable number.
std::vector<WidthEntry> ReadWidthFile(std::string_view text);

/// Gives every layer 0..98 named as an entry that entry's width (as a typed
/// width, never negative) and colour; names without a layer are ignored.
/// Returns the layers changed.
std::vector<int> ApplyWidthEntries(FigureTables& figure, const std::vector<WidthEntry>& entries);

}  // namespace kovrel
