// kovrel-cli commands of the hole data: holes-format, holes-to-gcode and
// holes-to-xlsx. Their options and names come from the choice tables beside
// the hole conversions.
#include "app/cli/cli_command.h"
#include "holes/hole_format.h"
#include "holes/hole_gcode.h"
#include "holes/hole_sheet.h"

namespace kovrel::cli {

std::vector<CliCommand> HoleCommands() {
  std::vector<CliCommand> commands;

  CliCommand format;
  format.name = "holes-format";
  format.summary = "穴データ（ドリルデータ）を穴データ形式に整えます（ＮＣフォーマット）";
  const HoleFormatOptions defaults;
  format.options = {
      {"--unit", "U", NameOf(kHoleUnits, defaults.unit), false, "1.23mm の書き方: " + ChoiceNames(kHoleUnits)},
      {"--inc", "", "", false, "座標を INC (G91) として読む（既定は ABS (G90)）"},
      {"--holes", "M", NameOf(kHoleModes, defaults.hole_mode), false,
       "穴とするブロック: all 座標全て, code 指定コード, cycle サイクルモード"},
      {"--hole-code", "S", defaults.hole_code, false, "穴とする指定コード（--holes code）"},
      {"--cycle-code", "S", defaults.cycle_code, false, "サイクルコード（--holes cycle）"},
      {"--cancel-code", "S", defaults.cancel_code, false, "キャンセルコード（--holes cycle）"},
      {"--tools", "M", NameOf(kToolModes, defaults.tool_mode), false,
       "Ｔコード: blocks 座標の無いデータ, text 指定文字"},
      {"--tool-text", "S", defaults.tool_text, false, "Ｔコードとする指定文字（--tools text）"},
      InchOption(),
  };
  format.menu_item = "MnuHolFmt";
  format.conversion = [](const Options& options) -> Conversion {
    HoleFormatOptions chosen;
    chosen.unit = Choose(options, "--unit", kHoleUnits);
    chosen.incremental = options.Has("--inc");
    chosen.hole_mode = Choose(options, "--holes", kHoleModes);
    chosen.hole_code = options.Get("--hole-code");
    chosen.cycle_code = options.Get("--cycle-code");
    chosen.cancel_code = options.Get("--cancel-code");
    chosen.tool_mode = Choose(options, "--tools", kToolModes);
    chosen.tool_text = options.Get("--tool-text");
    chosen.inch = options.Has("--inch");
    Refuse(Validate(chosen));
    return [chosen](std::string_view input) {
      return ConversionResult(FormatHoleData(input, chosen), UnitWarning(input, chosen.inch));
    };
  };
  commands.push_back(std::move(format));

  commands.push_back(PlainCommand("holes-to-gcode", "穴データを、穴ごとに全円を削る G コードにします",
                                  StreamedConversion([](std::string_view holes, TextOutput& out) {
                                    return HoleDataToGcode(holes, out);
                                  })));
  commands.back().menu_item = "MnuHolGcode";

  CliCommand sheet;
  sheet.name = "holes-to-xlsx";
  sheet.summary = "穴データを .xlsx のワークシートに書きます";
  sheet.options = {{"--layout", "L", NameOf(kSheetLayouts, SheetLayout::kA), false,
                    "列の並び: A (X, x, Y, y, 番号), B (X..., Y..., 番号), C (行, 番号)"}};
  sheet.check = [](const Options& options) -> std::string {
    Choose(options, "--layout", kSheetLayouts);
    return {};
  };
  sheet.run_to_file = [](const Options& options, std::string_view input, const std::string& output) {
    WriteHoleWorkbook(input, Choose(options, "--layout", kSheetLayouts), output);
    return std::string();
  };
  commands.push_back(std::move(sheet));

  return commands;
}

}  // namespace kovrel::cli
