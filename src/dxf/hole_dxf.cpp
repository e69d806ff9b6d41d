// Hole data to DXF.
#include "dxf/hole_dxf.h"

#include <utility>

#include "core/append.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "dxf/dxf_writer.h"

namespace kovrel {
namespace {

constexpr std::size_t kToolSlots = 99;

// DXF's own layer, for the holes before the first tool select line.
constexpr std::string_view kNoToolLayer = "0";

// The slot index of the tool numbered `number`, or -1.
int FindTool(const HoleDrawing& drawing, double number) {
  for (std::size_t k = 0; k < drawing.tools.size(); ++k) {
    if (drawing.tools[k].number == number) return static_cast<int>(k);
  }
  return -1;
}

std::string ToolLayer(double number) {
  std::string layer = number < 0 ? "T" : "T ";
  return layer += FormatGeneral(number);
}

// A colour as the layer table and the records of this drawing write it:
// five blanks, then the number in general form after its blank.
std::string ColourText(int colour) {
  std::string text = "      ";
  return text += FormatGeneral(static_cast<double>(colour));
}

}  // namespace

std::vector<std::string> HoleDrawing::LayerNames() const {
  std::vector<std::string> names;
  names.reserve(tools.size());
  for (const Tool& tool : tools) names.push_back(tool.layer);
  return names;
}

HoleDrawing ReadHoleDrawing(std::string_view hole_data) {
  HoleDrawing drawing;
  int current = 0;
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    if (HasLetter(line, "φ")) {
      drawing.has_tool_table = true;
      // A known tool keeps its slot; a new one takes the next free slot. A
      // tool number 0 never gets one: it is the number of an empty slot.
      const double number = ValueAfterFirstCharacter(line);
      if (number != 0 && FindTool(drawing, number) < 0 && drawing.tools.size() < kToolSlots) {
        drawing.tools.push_back({number, ToolLayer(number), ToSingle(ValueAfter(line, "φ") * 0.5)});
      }
    }
    if (HasLetter(line, "T")) {
      if (const int slot = FindTool(drawing, ValueAfterFirstCharacter(line)); slot >= 0) current = slot + 1;
    }
    // Each letter found once: its position gives the value after it.
    const std::size_t x = line.find('X');
    const std::size_t y = line.find('Y');
    if (x != std::string_view::npos || y != std::string_view::npos) {
      drawing.holes.push_back({x == std::string_view::npos ? 0.0f : ToSingle(ReadNumber(NumberTextAfter(line, x, y))),
                               y == std::string_view::npos ? 0.0f : ToSingle(ReadNumber(line.substr(y + 1))), current});
    }
  }
  return drawing;
}

void WriteHoleDxf(const HoleDrawing& drawing, const DxfColourOptions& colours, TextOutput& output) {
  static const Mask xy_mask = ParseMask("#####0.0#######");
  static const Mask radius_mask = ParseMask("######0.0############");
  std::vector<DxfLayerEntry> layers;
  // Slot 0 first: the holes before the first tool.
  std::vector<std::string> colour_texts = {ColourText(LayerColour(colours, 0))};
  for (std::size_t k = 0; k < drawing.tools.size(); ++k) {
    colour_texts.push_back(ColourText(LayerColour(colours, static_cast<int>(k + 1))));
    layers.push_back({drawing.tools[k].layer, colour_texts.back()});
  }
  // The records of a slot differ only in their centres.
  std::vector<DxfCircleWriter> circles = {
      DxfCircleWriter({kNoToolLayer, colour_texts[0]}, FormatMask(0.0f, radius_mask))};
  for (std::size_t k = 0; k < drawing.tools.size(); ++k) {
    circles.emplace_back(DxfEntityHead{drawing.tools[k].layer, colour_texts[k + 1]},
                         FormatMask(drawing.tools[k].radius, radius_mask));
  }
  std::string& out = output.text;
  AppendDxfStart(out, drawing.tools.empty() ? kNoToolLayer : std::string_view(drawing.tools.back().layer), layers);
  for (const HoleDrawing::Hole& hole : drawing.holes) {
    circles[static_cast<std::size_t>(hole.slot)].Write(out, Masked(hole.x, xy_mask), Masked(hole.y, xy_mask));
    output.Pass();
  }
  AppendDxfEnd(out);
}

std::string WriteHoleDxf(const HoleDrawing& drawing, const DxfColourOptions& colours) {
  TextOutput out;
  out.text.reserve(4096 + drawing.holes.size() * 160);
  WriteHoleDxf(drawing, colours, out);
  return std::move(out.text);
}

namespace {

// Both steps, writing the text with `write` (into a text of its own or an
// output).
template <typename Write>
ConversionResult HoleDataToDxfWith(std::string_view hole_data, const DxfColourChoice& choose, Write write) {
  const HoleDrawing drawing = ReadHoleDrawing(hole_data);
  if (!drawing.has_tool_table) return ConversionResult::NothingToConvert();
  const std::optional<DxfColourOptions> colours = choose(drawing.LayerNames());
  if (!colours) return ConversionResult::Stopped();
  return write(drawing, *colours);
}

}  // namespace

ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourChoice& choose) {
  return HoleDataToDxfWith(hole_data, choose, [](const HoleDrawing& drawing, const DxfColourOptions& colours) {
    return ConversionResult(WriteHoleDxf(drawing, colours));
  });
}

ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourOptions& colours) {
  return HoleDataToDxf(hole_data, [&colours](const std::vector<std::string>&) { return colours; });
}

ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourOptions& colours, TextOutput& out) {
  return HoleDataToDxfWith(
      hole_data, [&colours](const std::vector<std::string>&) { return colours; },
      [&out](const HoleDrawing& drawing, const DxfColourOptions& chosen) {
        WriteHoleDxf(drawing, chosen, out);
        return ConversionResult(std::string());
      });
}

}  // namespace kovrel
