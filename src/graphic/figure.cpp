// Loading the figure tables from drill data or G-code.
#include "graphic/figure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>
#include <vector>

#include "core/arc_geometry.h"
#include "core/byte_scan.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/ordered_pieces.h"
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

// The G-code a machine reads: every field in order, the modal motion word
// and the last point carried from one to the next.
void MachineGcodePass(FigureTables& figure, std::string_view text) {
  int layer = 0;
  int motion = -1;  // the modal motion word of the machine reading
  float last_x = 0, last_y = 0;
  ItemReader reader(text);
  std::string_view field;
  while (reader.Next(field)) {
    if (FindPartWords(field, false).star) continue;
    if (auto element = MachineElement(field, motion, last_x, last_y, layer)) {
      last_x = element->x;
      last_y = element->y;
      figure.FigElems.push_back(*element);
      continue;
    }
    // A blank line selects no layer and adds nothing.
    if (field.empty()) continue;
    bool added = false;
    if (const int slot = LayerSlot(figure, field, added); slot >= 0) layer = slot;
    figure.FigElems.push_back({last_x, last_y, 0, 0, 0, layer});  // the layer marker
  }
}

// A piece of G-code read by itself in the plain reading: its elements, the
// layer markers in their places, and what each element lacks until the
// pieces before it are known (the last point, the layer).
struct GcodePiece {
  static constexpr std::uint8_t kHasX = 1, kHasY = 2, kMarker = 4;
  std::vector<FigElem> elements;
  std::vector<std::uint8_t> kinds;       // kHasX and kHasY, or kMarker
  std::vector<std::string_view> labels;  // the field of each marker
  int machine_only_fields = 0;
  std::exception_ptr failure;  // the field that failed, after the elements before it
};

void ReadGcodePiece(std::string_view text, GcodePiece& piece) {
  piece.elements.clear();
  piece.kinds.clear();
  piece.labels.clear();
  piece.machine_only_fields = 0;
  piece.failure = nullptr;
  ItemReader reader(text);
  std::string_view field;
  try {
    while (reader.Next(field)) {
      // The words of the field in one pass: the values read are those after
      // the first of each letter, as HasLetter and SingleAfter find them.
      const PartWords words = FindPartWords(field, false);
      if (words.star) continue;
      const auto single_at = [field](std::size_t at) { return ToSingle(ReadNumber(field.substr(at + 1))); };
      if (words.motion != PartWords::kNone) {
        FigElem element;
        std::uint8_t kind = 0;
        element.g = single_at(words.g);
        if (words.x != PartWords::kNone) {
          element.x = single_at(words.x);
          kind |= GcodePiece::kHasX;
        }
        if (words.y != PartWords::kNone) {
          element.y = single_at(words.y);
          kind |= GcodePiece::kHasY;
        }
        if (words.i != PartWords::kNone) element.i = single_at(words.i);
        if (words.j != PartWords::kNone) element.j = single_at(words.j);
        piece.elements.push_back(element);
        piece.kinds.push_back(kind);
        continue;
      }
      if (words.x != PartWords::kNone || words.y != PartWords::kNone || MachineMotion(field) >= 0) {
        ++piece.machine_only_fields;
      }
      // A blank line selects no layer and adds nothing.
      if (field.empty()) continue;
      piece.elements.emplace_back();
      piece.kinds.push_back(GcodePiece::kMarker);
      piece.labels.push_back(field);
    }
  } catch (...) {
    piece.failure = std::current_exception();
  }
}

// What the plain reading carries from one piece to the next.
struct PlainState {
  int layer = 0;
  float last_x = 0, last_y = 0;
};

// Completes the piece's elements in place and adds them to the figure: an
// absent X or Y is the last one, the labels choose the layers in order.
void TakeGcodePiece(FigureTables& figure, GcodePiece& piece, PlainState& state, FigureReading& reading) {
  std::size_t label = 0;
  for (std::size_t k = 0; k < piece.elements.size(); ++k) {
    FigElem& element = piece.elements[k];
    const std::uint8_t kind = piece.kinds[k];
    if (kind == GcodePiece::kMarker) {
      bool added = false;
      if (const int slot = LayerSlot(figure, piece.labels[label++], added); slot >= 0) state.layer = slot;
      element = {state.last_x, state.last_y, 0, 0, 0, state.layer};
      continue;
    }
    if (kind & GcodePiece::kHasX) {
      state.last_x = element.x;
    } else {
      element.x = state.last_x;
    }
    if (kind & GcodePiece::kHasY) {
      state.last_y = element.y;
    } else {
      element.y = state.last_y;
    }
    element.layer = state.layer;
  }
  reading.machine_only_fields += piece.machine_only_fields;
  // The first piece's elements become the figure's (a text read in one
  // piece is not copied).
  if (figure.FigElems.empty()) {
    figure.FigElems.swap(piece.elements);
  } else {
    figure.FigElems.insert(figure.FigElems.end(), piece.elements.begin(), piece.elements.end());
  }
  if (piece.failure) std::rethrow_exception(piece.failure);
}

// The bytes of a text read as one piece.
constexpr std::size_t kReadPiece = std::size_t{1} << 20;

void GcodePass(FigureTables& figure, std::string_view text, FigureReading& reading) {
  if (reading.like_machine) {
    MachineGcodePass(figure, text);
    return;
  }
  // Each field is read by itself; only the last point and the layers carry
  // over. So the pieces of a long text are read at once and completed in
  // order. A double quote may run a field on past its line: a text with
  // one is read in one piece, as is every text on one processor.
  const std::vector<std::size_t> starts =
      text.find('"') == std::string_view::npos ? LinePiecesToRun(text, kReadPiece) : std::vector<std::size_t>();
  std::array<GcodePiece, kPieceSlots> pieces;
  pieces[0].elements.swap(figure.FigElems);  // the room of an earlier figure, for the first piece
  PlainState state;
  ForPiecesInOrder(
      starts.size() + 1, [&](std::size_t k) { ReadGcodePiece(LinePiece(text, starts, k), pieces[k % kPieceSlots]); },
      [&](std::size_t k) { TakeGcodePiece(figure, pieces[k % kPieceSlots], state, reading); });
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
