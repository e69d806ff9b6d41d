// DXF to hole data.
#include "dxf/dxf_holes.h"

#include <array>
#include <string>
#include <vector>

#include "core/append.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/slot_table.h"
#include "dxf/dxf_reader.h"

namespace kovrel {
namespace {

constexpr std::size_t kToolSlots = 100;

struct Circle {
  double x = 0, y = 0;
  int slot = 0;
};

}  // namespace

ConversionResult DxfToHoleData(std::string_view dxf) {
  std::array<std::string, kToolSlots> layers;
  std::array<float, kToolSlots> diameters{};
  std::vector<Circle> circles;
  int skipped = 0;
  DxfEntityReader reader(dxf);
  DxfEntity entity;
  while (reader.Next(entity)) {
    if (entity.name != "CIRCLE") continue;
    const DxfExtrusion extrusion = entity.Extrusion();
    if (extrusion == DxfExtrusion::kOther) {
      ++skipped;
      continue;
    }
    const DxfGroup* layer = entity.Find(8);
    const std::string_view name = layer == nullptr || layer->value.empty() ? std::string_view("0") : layer->value;
    const int slot = FirstEqualOrFree(layers, kToolSlots, name);
    if (slot < 0) Fail(FailureKind::kIndexOutOfRange, "円のある画層が 100 を超えています");
    layers[static_cast<std::size_t>(slot)] = name;
    diameters[static_cast<std::size_t>(slot)] = ToSingle(2 * entity.Number(40));
    const double x = InSingleRange(entity.Number(10));  // holes are single values
    circles.push_back({extrusion == DxfExtrusion::kDown ? -x : x, InSingleRange(entity.Number(20)), slot});
  }
  if (circles.empty()) return DrawingResult({}, false, skipped);

  static const Mask tool_mask = ParseMask("#00");
  static const Mask diameter_mask = ParseMask("###0.0###");
  static const Mask xy_mask = ParseMask("####0.0###");
  std::vector<std::string> tools;
  std::string out;
  out.reserve(circles.size() * 24 + 1024);
  for (std::size_t slot = 0; slot < kToolSlots && !layers[slot].empty(); ++slot) {
    std::string tool = "T";
    tool += FormatMask(static_cast<double>(slot + 1), tool_mask);
    tools.push_back(std::move(tool));
    AppendLine(out, tools.back(), "φ", FormatMask(diameters[slot], diameter_mask));
  }
  // Each tool's holes in file order: the circles sorted by slot, stably.
  std::vector<std::vector<const Circle*>> by_slot(tools.size());
  for (const Circle& circle : circles) by_slot[static_cast<std::size_t>(circle.slot)].push_back(&circle);
  for (std::size_t slot = 0; slot < tools.size(); ++slot) {
    AppendLine(out, tools[slot]);
    for (const Circle* circle : by_slot[slot]) {
      AppendLine(out, "X", FormatMask(circle->x, xy_mask), "Y", FormatMask(circle->y, xy_mask));
    }
  }
  return DrawingResult(std::move(out), true, skipped);
}

}  // namespace kovrel
