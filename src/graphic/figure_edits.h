// The edits of the whole figure: mirror in X or Y, exchange of the axes,
// move by an offset and scale by a factor. Each edit changes the figure
// tables and rewrites the document in one step; the rewrite changes only
// numbers, in place: the values after X, Y, I and J (and R under a scale)
// and the arc direction G02/G03 where the edit reverses it. Every other
// word and every line without a motion word stays as it was written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/named_choice.h"
#include "core/text_output.h"
#include "graphic/figure.h"

namespace kovrel {

enum class MirrorAxis { kX, kY, kSwap };

inline constexpr ChoiceTable<MirrorAxis, 3> kMirrorAxes = {{
    {MirrorAxis::kX, "x", "Xミラー"},
    {MirrorAxis::kY, "y", "Yミラー"},
    {MirrorAxis::kSwap, "swap", "軸交換"},
}};

/// One edit of the figure.
struct FigureEdit {
  enum class Kind { kMirror, kMove, kScale };
  Kind kind = Kind::kMirror;
  MirrorAxis axis = MirrorAxis::kX;
  float dx = 0, dy = 0;  ///< the move
  float factor = 1;      ///< the scale

  static FigureEdit Mirror(MirrorAxis axis) { return {Kind::kMirror, axis, 0, 0, 1}; }
  static FigureEdit Move(float dx, float dy) { return {Kind::kMove, MirrorAxis::kX, dx, dy, 1}; }
  static FigureEdit Scale(float factor) { return {Kind::kScale, MirrorAxis::kX, 0, 0, factor}; }
};

/// What a document holds as the view loaded it: holes (drill data), G-code
/// elements, or nothing to edit.
enum class FigureKind { kNone, kHoles, kGcode };
FigureKind KindOf(const FigureTables& figure);

/// Applies the edit to the tables: holes and element end points, the centre
/// offsets I and J, and the arc direction (G02 <-> G03) where it reverses.
void EditFigure(FigureTables& figure, const FigureEdit& edit);

/// Rewrites the document (lines ending in CR LF) as the edit says, with the
/// number forms of the edit:
/// - hole data: a line with X or Y gets its X and Y values changed in place;
/// - G-code: in a line with a motion word (G00..G03), each comma-separated
///   part with a motion word gets its X, Y, I and J values changed in place
///   (R too under a scale, for an arc) and G02/G03 exchanged under a mirror;
///   a letter without a number after it stays absent, and the axis exchange
///   renames a lone X to Y (a lone I to J) and back;
/// - every other line and part is copied as it stands.
/// A number written with an exponent keeps it ("5E1" mirrored is "-5.0E1").
/// Throws Failure 6 for a value beyond a float's range.
std::string EditDocument(std::string_view text, const FigureEdit& edit, FigureKind kind);
/// The same, written into `out` a line at a time. With `numbers_fit` (no
/// number of the text lies beyond a float's range: DocumentKind tells) a
/// mirror does not read the words it leaves as they are.
void EditDocument(std::string_view text, const FigureEdit& edit, FigureKind kind, TextOutput& out,
                  bool numbers_fit = false);

/// What LoadFigure and KindOf tell of a document (mixed, or its kind),
/// without the tables where they are not needed: when no number of the
/// text can lie beyond a float's range, the text is only looked through
/// for a hole or an element; otherwise it is loaded, and fails (Failure 6)
/// as LoadFigure fails. `numbers_fit` (when given) tells whether every
/// number of the text fits a float.
FigureLoad DocumentKind(std::string_view text, FigureKind& kind, bool* numbers_fit = nullptr);


/// The messages of a factor or an offset that is no number.
inline constexpr std::string_view kScaleFactorMessage = "倍率を数値で入力してください";
inline constexpr std::string_view kMoveOffsetMessage = "移動量を数値で入力してください";

/// A factor or offset typed by the user: the whole text one number (full-width
/// digits read as digits); std::nullopt otherwise. Throws Failure 6 beyond a
/// float's range.
std::optional<float> ReadEditNumber(std::string_view text);

}  // namespace kovrel
