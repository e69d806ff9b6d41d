// The report of a format detection in the program's language: one
// conclusion a line for the command line, the same as JSON for scripts, and
// the one line a parameter window shows under its options.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "detect/format_detect.h"

namespace kovrel {

/// The parameter windows that read coordinates with a unit option.
enum class FormatWindowKind {
  kNcFmt,    ///< NC_FMT, hole data formatting (holes-format)
  kGaiFmt,   ///< GAI_FMT, Gerber formatting (gerber-to-gcode)
  kRutaFmt,  ///< Ruta_FMT, router formatting (router-to-gcode)
};

/// The option of `window` the detection names (its name in the window's
/// choice table, as the command line takes it), if any.
std::optional<std::string_view> OptionName(const FormatDetection& found, FormatWindowKind window);

/// "RS-274X ガーバー", "Excellon ドリル", "不明"...
std::string_view KindName(DataKind kind);

/// The report, one conclusion a line: the kind, the units, the zeros, the
/// digits, how sure, and the option of each window with its command.
std::vector<std::string> ReportLines(const FormatDetection& found);

/// The report as one JSON object.
std::string ReportJson(const FormatDetection& found);

/// "インチのデータです（ヘッダー: 9行目 MOIN）", "ミリのデータです（…）":
/// the units found and what they rest on, for a warning; empty when the
/// units are unknown.
std::string UnitNotice(const FormatDetection& found);

/// The line under a window's options: what the header says and where, and
/// the option it gives ("検出: 3行目 FSLAX24Y24, 4行目 MOIN → X12300"), or
/// that the header says nothing of the number format.
std::string WindowLine(const FormatDetection& found, FormatWindowKind window);

}  // namespace kovrel
