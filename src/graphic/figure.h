// The figure of the graphic view: the holes of drill data and the elements
// of a G-code program, with the layer (tool) tables, as the view, its edits
// and the return to the editor share them; and the loading that fills them
// from the document text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kovrel {

/// One hole: its point and its tool (layer) index 0..99.
struct HolePoint {
  float x = 0, y = 0;
  int tool = 0;
};

/// One element: end point, centre offset (I, J) from its start point, G
/// number (0..3 for the motion codes, other numbers as read) and layer.
struct FigElem {
  float x = 0, y = 0, i = 0, j = 0;
  float g = 0;
  int layer = 0;
};

inline constexpr int kLayerCount = 100;
inline constexpr std::int16_t kLayerShown = -1;
inline constexpr double kDefaultLayerColor = 16711680;  // blue

/// The figure tables. They survive from one opening of the view to the
/// next; only LoadFigure resets the holes, elements, names and widths.
struct FigureTables {
  std::vector<HolePoint> HolePoints;
  std::vector<FigElem> FigElems;
  std::array<std::string, 1000> LayerNames{};
  std::array<std::int16_t, 101> LayerVisible{};  ///< -1 shown, else hidden
  std::array<float, 101> LayerWidth{};           ///< line width, or hole diameter
  std::array<double, 102> LayerColor{};          ///< 0: background; k+1: layer k

  FigureTables();
  int LastHole() const { return static_cast<int>(HolePoints.size()) - 1; }
  int LastElem() const { return static_cast<int>(FigElems.size()) - 1; }
  bool Shown(int layer) const { return LayerVisible[static_cast<std::size_t>(layer)] == kLayerShown; }
};

enum class FigureLoad { kLoaded, kMixed };

/// The message when a text holds both drill data and G-code.
inline constexpr std::string_view kMixedFigureMessage = "ドリルコードとGコードが混合している為、表示できません";

/// Parses the document into the tables: drill data (a field with "φ"
/// outside a comment) by the hole pass, G-code (a field with "G") by the
/// G-code pass; a text with both is refused and the tables stay cleared.
/// Throws Failure 6 for a coordinate beyond a float's range.
/// How the G-code pass reads the program. The plain reading draws only
/// fields with a two-digit motion word (G00 to G03) and takes every other
/// field for a layer name. Reading like a machine, a field with X or Y and
/// no motion word moves with the modal motion word, "G0" to "G3" count as
/// G00 to G03, and an arc with R gets its centre by the radius-arc rule;
/// fields without coordinates stay layer names.
struct FigureReading {
  bool like_machine = false;
  /// Filled by the plain reading: the fields a machine would move on that
  /// the plain reading took for layer names.
  int machine_only_fields = 0;
};

FigureLoad LoadFigure(FigureTables& figure, std::string_view text);
FigureLoad LoadFigure(FigureTables& figure, std::string_view text, FigureReading& reading);

/// The words of a field or of a part of a line that the loading and the
/// edits read, found in one pass up to the first comma (`end`, the part's
/// length; a whole field with `to_comma` false): the first G, X, Y, I, J
/// and R, the first motion word G00..G03, and whether a "*" stands in it
/// (kNone: absent).
struct PartWords {
  static constexpr std::size_t kNone = std::string_view::npos;
  std::size_t g = kNone, x = kNone, y = kNone, i = kNone, j = kNone, r = kNone;
  std::size_t motion = kNone;
  bool star = false;
  std::size_t end = 0;
};
PartWords FindPartWords(std::string_view text, bool to_comma = true);

/// What LoadFigure finds in a text: drill data (its hole pass runs), G-code
/// (its G-code pass runs); both make a mixed text.
struct FigureContent {
  bool drill = false;
  bool gcode = false;
};
FigureContent DetectFigureContent(std::string_view text);

/// Reads LAYER.RGB (one colour a line: background, then layers 0..99);
/// missing lines keep the colours the tables hold.
void ReadLayerColors(FigureTables& figure, std::string_view text);

/// The text of LAYER.RGB: 101 lines, a blank before each non-negative number.
std::string LayerColorsText(const FigureTables& figure);

/// Sets the colours the view starts with: background black, layers blue.
void ResetLayerColors(FigureTables& figure);

}  // namespace kovrel
