// Loading the figure tables from drill data or G-code.
#include "graphic/figure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/arc_geometry.h"
#include "core/byte_scan.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/settings_store.h"
#include "core/slot_table.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// The slot of `name` among the first 100 layer names: the first equal
// entry, or the first free one, which gets the name; -1 when all are taken.
int LayerSlot(FigureTables& figure, std::string_view name, bool& added) {
  const int slot = FirstEqualOrFree(figure.LayerNames, kLayerCount, name);
  // An empty name matches the first free slot without taking it.
  added = slot >= 0 && !name.empty() && figure.LayerNames[static_cast<std::size_t>(slot)].empty();
  if (added) {
    figure.LayerNames[static_cast<std::size_t>(slot)] = name;
    figure.LayerVisible[static_cast<std::size_t>(slot)] = kLayerShown;
  }
  return slot;
}

// True when "φ" stands outside every comment: a program's comment such as
// "(T01 φ10 エンドミル)" names a cutter, it is no drill data. A comment runs
// from "(" to ")" or to the end of its line; `comment` carries the state
// from one field of a line to the next.
bool HasDiameterOutsideComments(std::string_view text, bool& comment) {
  constexpr std::string_view kPhi = "φ";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') {
      comment = true;
    } else if (c == ')' || c == '\r' || c == '\n') {
      comment = false;
    } else if (!comment && c == kPhi[0] && text.substr(i, kPhi.size()) == kPhi) {
      return true;
    }
  }
  return false;
}

void HolePass(FigureTables& figure, std::string_view text) {
  int tool = 0;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) {
    if (HasLetter(line, "X") || HasLetter(line, "Y")) {
      figure.HolePoints.push_back(
          {SingleAfter(line, "X"), SingleAfter(line, "Y"), tool});
    } else if (const std::size_t phi = line.find("φ"); phi != std::string_view::npos) {
      bool added = false;
      const int slot = LayerSlot(figure, line.substr(0, phi), added);
      if (slot < 0) continue;
      if (added) figure.LayerWidth[static_cast<std::size_t>(slot)] = SingleAfter(line, "φ");
      tool = slot;
    } else if (HasLetter(line, "T")) {
      for (int k = 0; k < kLayerCount; ++k) {
        if (figure.LayerNames[static_cast<std::size_t>(k)].find(line) != std::string::npos &&
            !figure.LayerNames[static_cast<std::size_t>(k)].empty()) {
          tool = k;
          break;
        }
      }
    }
  }
}

// The motion word of a field as a machine reads it: the last G word whose
// number is 0 to 3 ("G1" and "G01" alike); -1 when the field has none.
int MachineMotion(std::string_view field) {
  int motion = -1;
  for (std::size_t at = field.find('G'); at != std::string_view::npos; at = field.find('G', at + 1)) {
    std::size_t end = at + 1;
    int number = 0, digits = 0;
    while (end < field.size() && field[end] >= '0' && field[end] <= '9' && digits < 4) {
      number = number * 10 + (field[end++] - '0');
      ++digits;
    }
    if (digits > 0 && number <= 3 && (end >= field.size() || field[end] != '.')) motion = number;
  }
  return motion;
}

// A field as a machine moves on it: an element, or nothing when the field
// has no coordinates (it stays a layer name). `motion` is the modal word.
std::optional<FigElem> MachineElement(std::string_view field, int& motion, float last_x, float last_y, int layer) {
  const int word = MachineMotion(field);
  const bool has_x = HasLetter(field, "X"), has_y = HasLetter(field, "Y");
  if (!has_x && !has_y) {
    if (word >= 0) motion = word;  // "G01" alone sets the modal word
    return std::nullopt;
  }
  if (word >= 0) motion = word;
  FigElem element;
  element.g = static_cast<float>(motion < 0 ? 0 : motion);
  element.layer = layer;
  element.x = has_x ? SingleAfter(field, "X") : last_x;
  element.y = has_y ? SingleAfter(field, "Y") : last_y;
  if (HasLetter(field, "I")) element.i = SingleAfter(field, "I");
  if (HasLetter(field, "J")) element.j = SingleAfter(field, "J");
  if ((element.g == 2 || element.g == 3) && HasLetter(field, "R") && !HasLetter(field, "I") && !HasLetter(field, "J")) {
    const ArcOffsets offsets =
        RadiusArcOffsets(last_x, last_y, element.x, element.y, SingleAfter(field, "R"), element.g == 3);
    element.i = ToSingle(offsets.i);
    element.j = ToSingle(offsets.j);
  }
  return element;
}

void GcodePass(FigureTables& figure, std::string_view text, FigureReading& reading) {
  int layer = 0;
  int motion = -1;  // the modal motion word of the machine reading
  float last_x = 0, last_y = 0;
  ItemReader reader(text);
  std::string_view field;
  while (reader.Next(field)) {
    // The words of the field in one pass: the values read are those after
    // the first of each letter, as HasLetter and SingleAfter find them.
    const PartWords words = FindPartWords(field, false);
    if (words.star) continue;
    const auto single_at = [field](std::size_t at) { return ToSingle(ReadNumber(field.substr(at + 1))); };
    if (reading.like_machine) {
      if (auto element = MachineElement(field, motion, last_x, last_y, layer)) {
        last_x = element->x;
        last_y = element->y;
        figure.FigElems.push_back(*element);
        continue;
      }
    } else if (words.motion != PartWords::kNone) {
      FigElem element;
      element.g = single_at(words.g);
      element.layer = layer;
      if (words.x != PartWords::kNone) last_x = single_at(words.x);
      if (words.y != PartWords::kNone) last_y = single_at(words.y);
      element.x = last_x;
      element.y = last_y;
      if (words.i != PartWords::kNone) element.i = single_at(words.i);
      if (words.j != PartWords::kNone) element.j = single_at(words.j);
      figure.FigElems.push_back(element);
      continue;
    } else if (words.x != PartWords::kNone || words.y != PartWords::kNone || MachineMotion(field) >= 0) {
      ++reading.machine_only_fields;
    }
    // A blank line selects no layer and adds nothing.
    if (field.empty()) continue;
    bool added = false;
    if (const int slot = LayerSlot(figure, field, added); slot >= 0) layer = slot;
    figure.FigElems.push_back({last_x, last_y, 0, 0, 0, layer});  // the layer marker
  }
}

}  // namespace

namespace {

// The place in FindPartWords' table of each letter it notes (0: none).
constexpr std::array<std::uint8_t, 256> kWordSlot = [] {
  std::array<std::uint8_t, 256> slots{};
  slots['G'] = 1;
  slots['X'] = 2;
  slots['Y'] = 3;
  slots['I'] = 4;
  slots['J'] = 5;
  slots['R'] = 6;
  return slots;
}();

}  // namespace

PartWords FindPartWords(std::string_view text, bool to_comma) {
  PartWords words;
  words.end = text.size();
  // The first place of each letter goes to its slot by a table, not by a
  // branch on the letter, which no processor predicts among digits.
  std::array<std::size_t, 7> first;
  first.fill(PartWords::kNone);
  // The digits and the rest of a part (most of its characters) are passed
  // over sixteen bytes at a time.
  VisitEachOf<',', 'X', 'Y', 'I', 'J', 'R', '*', 'G'>(text, [&](std::size_t k) {
    const char c = text[k];
    if (c == ',' && to_comma) {
      words.end = k;
      return false;
    }
    words.star |= c == '*';
    std::size_t& at = first[kWordSlot[static_cast<unsigned char>(c)]];
    at = std::min(at, k);
    if (c == 'G' && words.motion == PartWords::kNone && MotionWordAt(text, k) != 0) words.motion = k;
    return true;
  });
  words.g = first[1];
  words.x = first[2];
  words.y = first[3];
  words.i = first[4];
  words.j = first[5];
  words.r = first[6];
  return words;
}

FigureTables::FigureTables() {
  LayerVisible.fill(kLayerShown);
  ResetLayerColors(*this);
}

void ResetLayerColors(FigureTables& figure) {
  figure.LayerColor.fill(kDefaultLayerColor);
  figure.LayerColor[0] = 0;
}

FigureLoad LoadFigure(FigureTables& figure, std::string_view text) {
  FigureReading reading;
  return LoadFigure(figure, text, reading);
}

FigureLoad LoadFigure(FigureTables& figure, std::string_view text, FigureReading& reading) {
  reading.machine_only_fields = 0;
  figure.HolePoints.clear();
  figure.FigElems.clear();
  for (int k = 0; k < kLayerCount; ++k) {
    figure.LayerNames[static_cast<std::size_t>(k)].clear();
    figure.LayerWidth[static_cast<std::size_t>(k)] = 0;
  }
  const FigureContent content = DetectFigureContent(text);
  if (content.drill && content.gcode) return FigureLoad::kMixed;
  if (content.drill) HolePass(figure, text);
  if (content.gcode) GcodePass(figure, text, reading);
  return FigureLoad::kLoaded;
}

FigureContent DetectFigureContent(std::string_view text) {
  FigureContent content;
  bool comment = false;
  if (text.find('"') == std::string_view::npos) {
    // Without quotes every character stands in some field. A text without
    // the first byte of "φ" has none to look for outside the comments.
    content.drill = text.find("φ"[0]) != std::string_view::npos && HasDiameterOutsideComments(text, comment);
    content.gcode = HasLetter(text, "G");
  } else {
    // With quotes only the fields count (text after a closing quote is
    // dropped); a comment still runs on over the commas of its line.
    LineReader lines(text, true);
    std::string_view line;
    while (lines.Next(line)) {
      comment = false;
      ItemReader detect(line);
      std::string_view field;
      while (detect.Next(field)) {
        content.drill = HasDiameterOutsideComments(field, comment) || content.drill;
        content.gcode = content.gcode || HasLetter(field, "G");
      }
    }
  }
  return content;
}

void ReadLayerColors(FigureTables& figure, std::string_view text) {
  LineReader reader(text);
  std::string_view line;
  for (std::size_t k = 0; k <= 100 && reader.Next(line); ++k) {
    if (const auto value = ParseSettingNumber(line)) figure.LayerColor[k] = *value;
  }
}

std::string LayerColorsText(const FigureTables& figure) {
  std::string text;
  for (std::size_t k = 0; k <= 100; ++k) {
    const double colour = figure.LayerColor[k];
    if (colour >= 0) text += ' ';
    text += FormatGeneral(colour);
    text += "\r\n";
  }
  return text;
}

}  // namespace kovrel
