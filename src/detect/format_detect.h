// Format detection: what kind of NC data a document holds and how its
// numbers are written (units, the zeros left out, the digits before and
// after the point), with the unit option of each parameter window that
// reads those numbers right. Every conclusion names the lines it rests on
// and how sure it is: stated in the file's header, guessed from the
// coordinates, or unknown. Only the first 64 KiB and a sample of the rest
// are read, so a document of any size answers at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/gerber_format.h"
#include "convert/router_format.h"
#include "holes/hole_format.h"

namespace kovrel {

enum class DataKind {
  kUnknown,
  kExcellon,  ///< drill data (Excellon and its relatives)
  kGerberX,   ///< RS-274X Gerber (format in "%" parameter blocks)
  kGerberD,   ///< RS-274D Gerber (no parameters)
  kRouter,    ///< router data (digits in units, Z for the tool)
  kHpgl,
  kDxf,
  kGcode,
  kHoleData,  ///< the program's own normalised hole data
};

/// How sure a conclusion is, weakest first.
enum class Confidence { kUnknown, kGuessed, kHeader };

enum class LengthUnit { kUnknown, kMillimetre, kInch };

/// Which zeros the coordinates leave out.
enum class ZeroSuppression {
  kUnknown,
  kLeading,       ///< leading zeros left out: the digits count from the right
  kTrailing,      ///< trailing zeros left out: the digits count from the left
  kNone,          ///< every digit written
  kDecimalPoint,  ///< the numbers carry their decimal point
};

/// A line a conclusion rests on: its number (from 1; 0 for a line beyond
/// the counted start of the text) and its text (the statement, shortened).
struct Evidence {
  int line = 0;
  std::string text;
};

/// How a conclusion was reached.
struct Conclusion {
  Confidence confidence = Confidence::kUnknown;
  std::string basis;               ///< a short phrase: "ヘッダー", "座標の桁から推定"...
  std::vector<Evidence> evidence;  ///< in the order of the text
};

/// How the coordinates are written.
struct NumberFormat {
  ZeroSuppression zeros = ZeroSuppression::kUnknown;
  int integer_digits = 0;  ///< 0: unknown
  int decimal_digits = 0;  ///< 0: unknown
};

struct FormatDetection {
  DataKind kind = DataKind::kUnknown;
  Conclusion kind_from;
  LengthUnit unit = LengthUnit::kUnknown;
  Conclusion unit_from;
  NumberFormat format;
  Conclusion zeros_from;
  Conclusion digits_from;
  /// The option of each window that reads the numbers right; none when the
  /// format is unknown or the window has no such option.
  std::optional<HoleUnit> hole_unit;
  std::optional<GerberUnit> gerber_unit;
  std::optional<RouterUnit> router_unit;
  /// How sure the options are: the weaker of the zeros and the digits.
  Confidence confidence = Confidence::kUnknown;

  bool Inch() const { return unit == LengthUnit::kInch; }
  /// The lines the options rest on (zeros and digits), in text order.
  std::vector<Evidence> OptionEvidence() const;
};

/// How much of the start of a document is read whole.
inline constexpr std::size_t kDetectHeadBytes = 64 * 1024;

/// Detects the format of `text` (the document, any line ends).
FormatDetection DetectFormat(std::string_view text);

/// The unit option of each window for a number format, if it has one.
std::optional<HoleUnit> HoleUnitFor(const NumberFormat& format);
std::optional<GerberUnit> GerberUnitFor(const NumberFormat& format);
std::optional<RouterUnit> RouterUnitFor(const NumberFormat& format);

}  // namespace kovrel
