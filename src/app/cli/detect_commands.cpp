// kovrel-cli detect: the format detection's report on a document, one
// conclusion a line or as JSON, and the unit warning the coordinate
// conversions print.
#include "app/cli/cli_command.h"
#include "detect/detect_report.h"
#include "detect/format_detect.h"

namespace kovrel::cli {

std::string UnitWarning(std::string_view input, bool inch) {
  const FormatDetection found = DetectFormat(input);
  if (found.Inch() && !inch) return UnitNotice(found) + "。mm に直すには --inch を付けてください";
  if (inch && found.unit == LengthUnit::kMillimetre && found.unit_from.confidence == Confidence::kHeader) {
    return UnitNotice(found) + "。--inch で座標を 25.4 倍しています";
  }
  return {};
}

std::vector<CliCommand> DetectCommands() {
  CliCommand detect;
  detect.name = "detect";
  detect.summary =
      "データの種類と数値の書式（単位・ゼロ省略・桁数）を調べ、各画面の単位の選択肢を示します（種類が不明なら終了コード 1）";
  detect.options = {{"--json", "", "", false, "JSON で出力する"}};
  detect.run_report = [](const Options& options, std::string_view input) {
    const FormatDetection found = DetectFormat(input);
    CliCommand::Report report;
    if (options.Has("--json")) {
      report.text = ReportJson(found) + "\n";
    } else {
      for (const std::string& line : ReportLines(found)) report.text += line + "\n";
    }
    if (found.Inch()) report.message = UnitNotice(found) + "。変換では --inch を付けてください";
    report.exit_code = found.kind == DataKind::kUnknown ? 1 : 0;
    return report;
  };
  return {detect};
}

}  // namespace kovrel::cli
