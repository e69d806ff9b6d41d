// kovrel-cli commands of the G-code, HP-GL, Gerber and router conversions.
#include "app/cli/cli_command.h"
#include "convert/gcode_gerber.h"
#include "convert/gcode_hpgl.h"
#include "convert/gcode_sort.h"
#include "convert/gerber_format.h"
#include "convert/hpgl_gcode.h"
#include "convert/router_format.h"
#include "texttools/control_chars.h"

namespace kovrel::cli {

std::vector<CliCommand> ConvertCommands() {
  std::vector<CliCommand> commands;
  const auto simple = [&commands](std::string name, std::string summary,
                                  std::function<ConversionResult(std::string_view)> run) {
    CliCommand command;
    command.name = std::move(name);
    command.summary = std::move(summary);
    command.run = [run = std::move(run)](const Options&, std::string_view input) { return run(input); };
    commands.push_back(std::move(command));
  };
  simple("gcode-to-hpgl", "G コードを HPGL（40 単位/mm、一行）にします", GcodeToHpgl);
  simple("hpgl-to-gcode", "HPGL を G コード（0.025 mm/単位）にします", HpglToGcode);

  CliCommand gerber;
  gerber.name = "gcode-to-gerber";
  gerber.summary = "G コードをガーバーデータにします（Ｇコードをガーバー形式へ変換）";
  gerber.options = {
      {"--unit", "U", "1/1000", false, "出力単位: mm (1.2345), 1/100, 1/1000, 1/10000"},
      {"--end", "E", "*", false, "ブロックの終わり: Cr, Lf, *, CrLf"},
  };
  gerber.run = [](const Options& options, std::string_view input) {
    GcodeToGerberOptions chosen;
    chosen.unit = static_cast<GerberOutputUnit>(Choice(options, "--unit", {"mm", "1/100", "1/1000", "1/10000"}));
    Choice(options, "--end", {"Cr", "Lf", "*", "CrLf"});
    chosen.terminator = MapControlName(options.Get("--end"));
    return GcodeToGerber(input, chosen);
  };
  commands.push_back(std::move(gerber));

  CliCommand gerber_format;
  gerber_format.name = "gerber-to-gcode";
  gerber_format.summary = "ガーバーデータを G コードにします（ガーバーフォーマット）";
  gerber_format.options = {
      {"--inc", "", "", false, "座標を INC として読む（既定は ABS）"},
      {"--unit", "U", "1230", false, "1.23mm の書き方: 1.23, 123, 1230, 12300, X00123, X000123, 123000"},
  };
  gerber_format.run = [](const Options& options, std::string_view input) {
    GerberFormatOptions chosen;
    chosen.incremental = options.Has("--inc");
    chosen.unit = static_cast<GerberUnit>(
        Choice(options, "--unit", {"1.23", "123", "1230", "12300", "X00123", "X000123", "123000"}));
    return FormatGerber(input, chosen);
  };
  commands.push_back(std::move(gerber_format));

  CliCommand router;
  router.name = "router-to-gcode";
  router.summary = "ルーターデータを G コードにします（ルーターフォーマット）";
  router.options = {
      {"--unit", "U", "1230", false, "1.23mm の書き方: 1.23, 123, 1230"},
      {"--inc", "", "", false, "座標を INC として読む（既定は ABS）"},
  };
  router.run = [](const Options& options, std::string_view input) {
    RouterFormatOptions chosen;
    chosen.unit = static_cast<RouterUnit>(Choice(options, "--unit", {"1.23", "123", "1230"}));
    chosen.incremental = options.Has("--inc");
    return FormatRouter(input, chosen);
  };
  commands.push_back(std::move(router));

  simple("gcode-group", "G コードの移動を工具・アパーチャごとにまとめます（Gコードの並べ替え）", GroupGcode);
  simple("gcode-tidy", "続く早送りを最後の一つにまとめます", [](std::string_view input) {
    return ConversionResult(TidyRapidMoves(input));
  });
  return commands;
}

}  // namespace kovrel::cli
