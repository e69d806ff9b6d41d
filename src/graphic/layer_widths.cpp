// Layer widths, colours and the width files.
#include "graphic/layer_widths.h"

#include <cmath>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {

void ShowNamedLayers(FigureTables& figure) {
  for (int k = 0; k < kLayerCount; ++k) {
    if (!figure.LayerNames[static_cast<std::size_t>(k)].empty()) figure.LayerVisible[static_cast<std::size_t>(k)] = kLayerShown;
  }
}

std::string LayerWidthText(float width) {
  static const Mask mask = ParseMask("##0.000");
  return FormatMask(width, mask);
}

float TypedLayerWidth(std::string_view text) { return std::fabs(ToSingle(ReadNumber(HalfWidthNumberText(text)))); }

double StoredLayerColour(int colour) { return colour == 0 ? 1 : colour; }

std::string WidthFileText(const std::vector<WidthEntry>& entries) {
  std::string text;
  for (const WidthEntry& entry : entries) {
    AppendLine(text, "\"", entry.name, "\",\"", entry.width_text, "\",", FormatGeneral(entry.colour));
  }
  return text;
}

std::vector<WidthEntry> ReadWidthFile(std::string_view text) {
  std::vector<WidthEntry> entries;
  LineReader reader(text, true);  // a file written by hand may end its lines in LF
  std::string_view line;
  while (reader.Next(line)) {
    const std::vector<std::string> fields = SplitItems(line);
    if (fields.size() < 3) break;
    WidthEntry entry{fields[0], fields[1], 0};
    try {
      ToSingle(ReadNumber(entry.width_text));
      entry.colour = ReadNumber(fields[2]);
    } catch (const Failure&) {
      break;  // a damaged line ends the file, as a short one does
    }
    if (!(entry.colour >= 0 && entry.colour <= 16777215)) break;  // no colour: damaged too
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<int> ApplyWidthEntries(FigureTables& figure, const std::vector<WidthEntry>& entries) {
  std::vector<int> changed;
  for (const WidthEntry& entry : entries) {
    for (int k = 0; k < kLayerRows; ++k) {
      const auto layer = static_cast<std::size_t>(k);
      if (figure.LayerNames[layer].empty() || figure.LayerNames[layer] != entry.name) continue;
      figure.LayerWidth[layer] = TypedLayerWidth(entry.width_text);
      figure.LayerColor[layer + 1] = entry.colour;
      changed.push_back(k);
    }
  }
  return changed;
}

}  // namespace kovrel
