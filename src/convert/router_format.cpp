// Router formatting: normalising, then translating item by item.
#include "convert/router_format.h"

#include "core/append.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

std::string Coordinate(float value) {
  static const Mask mask = ParseMask("######0.0###");
  return FormatMask(value, mask);
}

// "%" ends a line; every control character (code below 20) is a line end.
std::string NormaliseRouterBlocks(std::string_view router) {
  std::string blocks;
  blocks.reserve(router.size() * 2 + 16);  // a CR LF becomes two line ends
  for (const char c : router) {
    if (c == '%') {
      blocks += "%\r\n";
    } else if (static_cast<unsigned char>(c) < 20) {
      blocks += "\r\n";
    } else {
      blocks += c;
    }
  }
  blocks += "\r\n";
  return blocks;
}

// Calls `item` for every item of the normalised text. Without double
// quotes the items are read straight from the text: an item ends at a comma
// or a control character and after a "%", blanks before it are skipped
// (the empty items between line ends are skipped by the translation
// anyway); with quotes the text is normalised first.
template <typename Item>
void ForEachRouterItem(std::string_view router, Item&& item) {
  if (router.find('"') != std::string_view::npos) {
    const std::string blocks = NormaliseRouterBlocks(router);
    ItemReader reader(blocks);
    std::string text;
    while (reader.Next(text)) item(std::string_view(text));
    return;
  }
  std::size_t pos = 0;
  while (pos < router.size()) {
    while (pos < router.size() && router[pos] == ' ') ++pos;
    const std::size_t start = pos;
    while (pos < router.size()) {
      const char c = router[pos];
      if (c == ',' || static_cast<unsigned char>(c) < 20) break;
      ++pos;
      if (c == '%') break;
    }
    item(router.substr(start, pos - start));
    if (pos < router.size() && (router[pos] == ',' || static_cast<unsigned char>(router[pos]) < 20)) ++pos;
  }
}

}  // namespace

ConversionResult FormatRouter(std::string_view router, const RouterFormatOptions& options) {
  const double factor = options.unit == RouterUnit::kDecimal ? 1000 : options.unit == RouterUnit::kHundredths ? 10 : 1;
  const CoordinateUnit unit{factor, 0};
  static const Mask g_mask = ParseMask("00");
  std::string out = "D10\r\n";
  out.reserve(router.size() + router.size() / 2);
  std::string motion = "G00";
  float z = 1;
  bool incremental = options.incremental;
  std::string x_text = "X0", y_text = "Y0";
  ModalAxis x, y;
  float start_x = 0, start_y = 0;
  const auto read = [&unit](std::string_view text) { return ReadCoordinate(text, unit); };
  const auto translate = [&](std::string_view item) {
    std::string i_text, j_text;
    if (item.empty() || HasLetter(item, "%")) return;
    if (HasLetter(item, "G")) {
      const long g = IntegerAfter(item, 'G');
      motion = "G" + FormatMask(static_cast<float>(g), g_mask);
      if (g == 1) motion = z >= 0 ? "G00" : "G01";
    }
    if (HasLetter(item, "G90")) incremental = false;
    if (HasLetter(item, "G91")) incremental = true;
    if (HasLetter(item, "T")) x.sum = y.sum = 0;  // a tool change restarts the sums
    if (HasLetter(item, "Z")) {
      z = ReadCoordinate(TextAfter(item, "Z"), unit);
      motion = z > 0 ? "G00" : "G01";
    }
    const bool has_x = x.Take(item, "X", incremental, read), has_y = y.Take(item, "Y", incremental, read);
    if (has_x) x_text = "X" + Coordinate(x.value);
    if (has_y) y_text = "Y" + Coordinate(y.value);
    if (HasLetter(item, "I")) i_text = "I" + Coordinate(ReadCoordinate(TextAfter(item, "I"), unit));
    if (HasLetter(item, "J")) j_text = "J" + Coordinate(ReadCoordinate(TextAfter(item, "J"), unit));
    if (HasLetter(item, "R")) {
      AppendLine(out, RadiusArcLine(motion, start_x, start_y, x.value, y.value, ReadCoordinate(TextAfter(item, "R"), unit)));
      start_x = x.value;
      start_y = y.value;
    } else if (has_x || has_y) {
      start_x = x.value;
      start_y = y.value;
      AppendLine(out, motion, x_text, y_text, i_text, j_text);
    }
  };
  ForEachRouterItem(router, translate);
  return ConversionResult(std::move(out));
}

}  // namespace kovrel
