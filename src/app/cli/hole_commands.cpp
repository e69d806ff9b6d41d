// kovrel-cli commands of the hole data: holes-format, holes-to-gcode and
// holes-to-xlsx.
#include "app/cli/cli_command.h"
#include "holes/hole_format.h"
#include "holes/hole_gcode.h"
#include "holes/hole_sheet.h"

namespace kovrel::cli {
namespace {

const std::vector<std::string> kUnits = {"X1.23", "X123", "X1230", "X12300", "X00123", "X000123"};
const std::vector<std::string> kHoleModes = {"all", "code", "cycle"};
const std::vector<std::string> kToolModes = {"blocks", "text"};
const std::vector<std::string> kLayouts = {"A", "B", "C"};

HoleFormatOptions FormatOptions(const Options& options) {
  HoleFormatOptions format;
  format.unit = static_cast<HoleUnit>(Choice(options, "--unit", kUnits));
  format.incremental = options.Has("--inc");
  format.hole_mode = static_cast<HoleMode>(Choice(options, "--holes", kHoleModes));
  format.hole_code = options.Get("--hole-code");
  format.cycle_code = options.Get("--cycle-code");
  format.cancel_code = options.Get("--cancel-code");
  format.tool_mode = static_cast<ToolMode>(Choice(options, "--tools", kToolModes));
  format.tool_text = options.Get("--tool-text");
  return format;
}

}  // namespace

std::vector<CliCommand> HoleCommands() {
  std::vector<CliCommand> commands;

  CliCommand format;
  format.name = "holes-format";
  format.summary = "穴データ（ドリルデータ）を穴データ形式に整えます（ＮＣフォーマット）";
  format.options = {
      {"--unit", "U", "X123", false, "1.23mm の書き方: X1.23, X123, X1230, X12300, X00123, X000123"},
      {"--inc", "", "", false, "座標を INC (G91) として読む（既定は ABS (G90)）"},
      {"--holes", "M", "all", false, "穴とするブロック: all 座標全て, code 指定コード, cycle サイクルモード"},
      {"--hole-code", "S", "D03", false, "穴とする指定コード（--holes code）"},
      {"--cycle-code", "S", "G81", false, "サイクルコード（--holes cycle）"},
      {"--cancel-code", "S", "G80", false, "キャンセルコード（--holes cycle）"},
      {"--tools", "M", "text", false, "Ｔコード: blocks 座標の無いデータ, text 指定文字"},
      {"--tool-text", "S", "T", false, "Ｔコードとする指定文字（--tools text）"},
  };
  format.check = [](const Options& options) -> std::string {
    const HoleFormatOptions chosen = FormatOptions(options);
    if (chosen.hole_mode == HoleMode::kDesignatedCode && chosen.hole_code.empty()) return "--hole-code が空です";
    if (chosen.tool_mode == ToolMode::kDesignatedText && chosen.tool_text.empty()) return "--tool-text が空です";
    return {};
  };
  format.run = [](const Options& options, std::string_view input) {
    return ConversionResult(FormatHoleData(input, FormatOptions(options)));
  };
  commands.push_back(std::move(format));

  CliCommand gcode;
  gcode.name = "holes-to-gcode";
  gcode.summary = "穴データを、穴ごとに全円を削る G コードにします";
  gcode.run = [](const Options&, std::string_view input) { return HoleDataToGcode(input); };
  commands.push_back(std::move(gcode));

  CliCommand sheet;
  sheet.name = "holes-to-xlsx";
  sheet.summary = "穴データを .xlsx のワークシートに書きます";
  sheet.options = {{"--layout", "L", "A", false, "列の並び: A (X, x, Y, y, 番号), B (X..., Y..., 番号), C (行, 番号)"}};
  sheet.run_to_file = [](const Options& options, std::string_view input, const std::string& output) {
    const auto layout = static_cast<SheetLayout>(Choice(options, "--layout", kLayouts));
    WriteWorkbook(HoleSheetCells(input, layout), output);
    return std::string();
  };
  commands.push_back(std::move(sheet));

  return commands;
}

}  // namespace kovrel::cli
