// Hole data to DXF.
#include "dxf/hole_dxf.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/append.h"
#include "core/decimal_digits.h"
#include "core/failure.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "dxf/dxf_writer.h"

namespace kovrel {
namespace {

constexpr std::size_t kToolSlots = 99;

// DXF's own layer, for the holes before the first tool select line.
constexpr std::string_view kNoToolLayer = "0";

// The slot index of the tool numbered `number` among the first `known`
// tools, or -1.
int FindTool(const HoleDrawing& drawing, double number, std::size_t known) {
  for (std::size_t k = 0; k < known; ++k) {
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

namespace {

// A hole's coordinate: `value`, or the value of its digits where the line
// gave them.
float Coordinate(float value, const DecimalDigits* digits) {
  return digits == nullptr ? value : ToSingle(DigitsValue(*digits));
}

// A tool line with "φ": a known tool keeps its slot; a new one takes the
// next free slot. A tool number 0 never gets one: it is the number of an
// empty slot.
void ReadToolLine(HoleDrawing& drawing, std::string_view line) {
  drawing.has_tool_table = true;
  const double number = ValueAfterFirstCharacter(line);
  if (number != 0 && FindTool(drawing, number, drawing.tools.size()) < 0 && drawing.tools.size() < kToolSlots) {
    drawing.tools.push_back({number, ToolLayer(number), ToSingle(ValueAfter(line, "φ") * 0.5)});
  }
}

// The tool table alone: only the lines with "φ" are read, found by a
// search of the whole text (each line as LineReader gives it: from after
// the CR, and the LF of a CR LF, before it to the next CR).
HoleDrawing ReadHoleTools(std::string_view hole_data) {
  HoleDrawing drawing;
  std::size_t from = 0;
  while (true) {
    const std::size_t at = hole_data.find("φ", from);
    if (at == std::string_view::npos) break;
    const std::size_t cr = hole_data.rfind('\r', at);
    std::size_t start = cr == std::string_view::npos ? 0 : cr + 1;
    if (cr != std::string_view::npos && start < hole_data.size() && hole_data[start] == '\n') ++start;
    const std::size_t end = std::min(hole_data.find('\r', at), hole_data.size());
    ReadToolLine(drawing, hole_data.substr(start, end - start));
    from = end;
  }
  return drawing;
}

// The hole data read a line at a time: the tools become known in the
// order of their lines, a tool select line makes its known tool current,
// and every line with X or Y is a hole on the current tool's slot. With
// `tools_read`, the drawing already holds the whole tool table and a tool
// line only makes the next of its tools known; otherwise it is read here.
class HoleLines {
 public:
  HoleLines(HoleDrawing& drawing, bool tools_read) : drawing_(drawing), tools_read_(tools_read) {}

  // Reads `line`; a hole is handed to `hole` as (slot, x, y, digits of x
  // and y), the digits null where the line is no plain "X.. Y..", else x
  // and y left for XOf and YOf to give.
  template <typename Hole>
  void Read(std::string_view line, Hole&& hole) {
    if (ReadHoleLine(line, x_, y_)) {
      hole(current_, 0.0f, 0.0f, &x_, &y_);
      return;
    }
    if (HasLetter(line, "φ")) {
      if (!tools_read_) {
        ReadToolLine(drawing_, line);
      } else if (const double number = ValueAfterFirstCharacter(line);
                 number != 0 && known_ < drawing_.tools.size() && FindTool(drawing_, number, known_) < 0) {
        ++known_;
      }
    }
    if (HasLetter(line, "T")) {
      const int slot = FindTool(drawing_, ValueAfterFirstCharacter(line), Known());
      if (slot >= 0) current_ = slot + 1;
    }
    // Each letter found once: its position gives the value after it.
    const std::size_t x = line.find('X');
    const std::size_t y = line.find('Y');
    if (x != std::string_view::npos || y != std::string_view::npos) {
      hole(current_, x == std::string_view::npos ? 0.0f : ToSingle(ReadNumber(NumberTextAfter(line, x, y))),
           y == std::string_view::npos ? 0.0f : ToSingle(ReadNumber(line.substr(y + 1))), nullptr, nullptr);
    }
  }

 private:
  std::size_t Known() const { return tools_read_ ? known_ : drawing_.tools.size(); }

  HoleDrawing& drawing_;
  bool tools_read_;
  std::size_t known_ = 0;
  int current_ = 0;
  DecimalDigits x_, y_;
};

// The CIRCLE records of a drawing's slots (slot 0: the holes before the
// first tool), each hole's record put together in one piece where its
// coordinates are written from their digits.
class HoleCircles {
 public:
  HoleCircles(const HoleDrawing& drawing, const DxfColourOptions& colours) {
    // Slot 0 first: the holes before the first tool.
    colour_texts_.push_back(ColourText(LayerColour(colours, 0)));
    for (std::size_t k = 0; k < drawing.tools.size(); ++k) {
      colour_texts_.push_back(ColourText(LayerColour(colours, static_cast<int>(k + 1))));
      layers_.push_back({drawing.tools[k].layer, colour_texts_.back()});
    }
    // The records of a slot differ only in their centres.
    circles_.emplace_back(DxfEntityHead{kNoToolLayer, colour_texts_[0]}, FormatMask(0.0f, RadiusMask()));
    for (std::size_t k = 0; k < drawing.tools.size(); ++k) {
      circles_.emplace_back(DxfEntityHead{drawing.tools[k].layer, colour_texts_[k + 1]},
                            FormatMask(drawing.tools[k].radius, RadiusMask()));
    }
    for (const DxfCircleWriter& circle : circles_) around_.push_back(AroundOf(circle));
    current_layer_ = drawing.tools.empty() ? kNoToolLayer : std::string_view(drawing.tools.back().layer);
  }

  void Start(std::string& out) const { AppendDxfStart(out, current_layer_, layers_); }

  void Hole(std::string& out, int slot, float x, float y, const DecimalDigits* x_digits, const DecimalDigits* y_digits) const {
    const DxfCircleWriter& circle = circles_[static_cast<std::size_t>(slot)];
    if (x_digits != nullptr && FromDigits(out, around_[static_cast<std::size_t>(slot)], *x_digits, *y_digits)) return;
    circle.Write(out, Masked(Coordinate(x, x_digits), XyMask()), Masked(Coordinate(y, y_digits), XyMask()));
  }

 private:
  static const Mask& XyMask() {
    static const Mask mask = ParseMask("#####0.0#######");
    return mask;
  }
  static const Mask& RadiusMask() {
    static const Mask mask = ParseMask("######0.0############");
    return mask;
  }

  // The record from the digits of its centre; false (nothing written)
  // where they do not reach.
  // The text of a slot's records around their centres in rooms of fixed
  // size, copied whole (their sizes count) where they fit.
  struct Around {
    static constexpr std::size_t kBeforeRoom = 96, kAfterRoom = 48;
    bool fits = false;
    std::size_t before_size = 0, after_size = 0;
    char before[kBeforeRoom] = {};
    char after[kAfterRoom] = {};
  };

  static Around AroundOf(const DxfCircleWriter& circle) {
    Around around;
    const std::string_view before = circle.BeforeX(), after = circle.AfterY();
    around.fits = before.size() <= Around::kBeforeRoom && after.size() <= Around::kAfterRoom;
    if (!around.fits) return around;
    around.before_size = before.size();
    around.after_size = after.size();
    std::copy(before.begin(), before.end(), around.before);
    std::copy(after.begin(), after.end(), around.after);
    return around;
  }

  // The record from the digits of its centre; false (nothing written)
  // where they do not reach. Pieces of a known most size are copied whole,
  // the next piece written over what they bring past their end.
  static bool FromDigits(std::string& out, const Around& around, const DecimalDigits& x, const DecimalDigits& y) {
    constexpr std::string_view kBetween = "\r\n 20\r\n";
    if (!around.fits) return false;
    char record[Around::kBeforeRoom + 2 * kDigitsMaskedRoom + kBetween.size() + Around::kAfterRoom];
    std::memcpy(record, around.before, Around::kBeforeRoom);
    char* p = WriteDigitsMasked(record + around.before_size, x, XyMask());
    if (p == nullptr) return false;
    p = std::copy(kBetween.begin(), kBetween.end(), p);
    p = WriteDigitsMasked(p, y, XyMask());
    if (p == nullptr) return false;
    std::memcpy(p, around.after, Around::kAfterRoom);
    p += around.after_size;
    out.append(record, static_cast<std::size_t>(p - record));
    return true;
  }

  std::vector<std::string> colour_texts_;
  std::vector<DxfLayerEntry> layers_;
  std::vector<DxfCircleWriter> circles_;
  std::vector<Around> around_;  // by slot, as circles_
  std::string_view current_layer_;
};

}  // namespace

HoleDrawing ReadHoleDrawing(std::string_view hole_data) {
  HoleDrawing drawing;
  HoleLines lines(drawing, false);
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    lines.Read(line, [&drawing](int slot, float x, float y, const DecimalDigits* x_digits, const DecimalDigits* y_digits) {
      drawing.holes.push_back({Coordinate(x, x_digits), Coordinate(y, y_digits), slot});
    });
  }
  return drawing;
}

void WriteHoleDxf(const HoleDrawing& drawing, const DxfColourOptions& colours, TextOutput& output) {
  const HoleCircles circles(drawing, colours);
  std::string& out = output.text;
  circles.Start(out);
  for (const HoleDrawing::Hole& hole : drawing.holes) {
    circles.Hole(out, hole.slot, hole.x, hole.y, nullptr, nullptr);
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

// The tool table of the hole data. A failure is the one the reading of
// every line in order meets first, and it comes before the finding that
// there is no tool table, as when every line is read first.
HoleDrawing ReadHoleToolsInOrder(std::string_view hole_data) {
  HoleDrawing tools;
  try {
    tools = ReadHoleTools(hole_data);
  } catch (const Failure&) {
    ReadHoleDrawing(hole_data);
    throw;
  }
  if (!tools.has_tool_table) ReadHoleDrawing(hole_data);
  return tools;
}

// The drawing of the hole data written into `output` a hole at a time as
// the second pass over the lines reads it: the tool table, read first,
// gives the layers, so the holes are never gathered.
void WriteHoleDxf(std::string_view hole_data, HoleDrawing& tools, const DxfColourOptions& colours, TextOutput& output) {
  const HoleCircles circles(tools, colours);
  std::string& out = output.text;
  circles.Start(out);
  HoleLines lines(tools, true);
  LineReader reader(hole_data);
  std::string_view line;
  while (reader.Next(line)) {
    lines.Read(line, [&](int slot, float x, float y, const DecimalDigits* x_digits, const DecimalDigits* y_digits) {
      circles.Hole(out, slot, x, y, x_digits, y_digits);
      output.Pass();
    });
  }
  AppendDxfEnd(out);
}

// Both steps with the colours given: the tool table, then the drawing
// into `output`.
ConversionResult HoleDataToDxfWith(std::string_view hole_data, const DxfColourOptions& colours, TextOutput& output) {
  HoleDrawing tools = ReadHoleToolsInOrder(hole_data);
  if (!tools.has_tool_table) return ConversionResult::NothingToConvert();
  WriteHoleDxf(hole_data, tools, colours, output);
  return ConversionResult(std::string());
}

}  // namespace

ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourChoice& choose) {
  // The colours are asked for once every line has been read: a failing
  // line is reported before the window shows.
  const HoleDrawing drawing = ReadHoleDrawing(hole_data);
  if (!drawing.has_tool_table) return ConversionResult::NothingToConvert();
  const std::optional<DxfColourOptions> colours = choose(drawing.LayerNames());
  if (!colours) return ConversionResult::Stopped();
  return ConversionResult(WriteHoleDxf(drawing, *colours));
}

ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourOptions& colours) {
  TextOutput out;
  // The drawing is some five times as long as the hole data.
  out.text.reserve(4096 + hole_data.size() * 5);
  ConversionResult result = HoleDataToDxfWith(hole_data, colours, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

ConversionResult HoleDataToDxf(std::string_view hole_data, const DxfColourOptions& colours, TextOutput& out) {
  return HoleDataToDxfWith(hole_data, colours, out);
}

}  // namespace kovrel
