// kovrel-cli commands of the G-code, HP-GL, Gerber and router conversions.
// Their options and names come from each conversion's choice tables.
#include "app/cli/cli_command.h"
#include "convert/gcode_gerber.h"
#include "convert/gcode_hpgl.h"
#include "convert/gcode_sort.h"
#include "convert/gerber_format.h"
#include "convert/hpgl_gcode.h"
#include "convert/router_format.h"

namespace kovrel::cli {

std::vector<CliCommand> ConvertCommands() {
  std::vector<CliCommand> commands;
  commands.push_back(PlainCommand("gcode-to-hpgl", "G コードを HPGL（40 単位/mm、一行）にします",
                                  StreamedConversion([](std::string_view input, TextOutput& out) {
                                    return GcodeToHpgl(input, out);
                                  })));
  commands.back().menu_item = "MnuGHpgl";
  commands.push_back(PlainCommand("hpgl-to-gcode", "HPGL を G コード（0.025 mm/単位）にします",
                                  StreamedConversion([](std::string_view hpgl, TextOutput& out) {
                                    return HpglToGcode(hpgl, out);
                                  })));
  commands.back().menu_item = "MnuHpgl";
  // HP-GL drops every CR and LF between its instructions, so the line ends
  // need no reading as line breaks first (the same result, without a copy
  // of a plot file whose lines end in LF).
  commands.back().line_ends = InputLineEnds::kAsTheyStand;

  CliCommand gerber;
  gerber.name = "gcode-to-gerber";
  gerber.summary = "G コードをガーバーデータにします（Ｇコードをガーバー形式へ変換）";
  const GcodeToGerberOptions gerber_defaults;
  gerber.options = {
      {"--unit", "U", NameOf(kGerberOutputUnits, gerber_defaults.unit), false,
       "出力単位: " + ChoiceNames(kGerberOutputUnits)},
      {"--end", "E", NameOf(kGerberTerminators, std::string_view(gerber_defaults.terminator)), false,
       "ブロックの終わり: " + ChoiceNames(kGerberTerminators)},
  };
  gerber.menu_item = "MnuNcGbr";
  gerber.streamed = [](const Options& options) -> StreamedConversion {
    GcodeToGerberOptions chosen;
    chosen.unit = Choose(options, "--unit", kGerberOutputUnits);
    chosen.terminator = Choose(options, "--end", kGerberTerminators);
    return [chosen](std::string_view input, TextOutput& out) { return GcodeToGerber(input, chosen, out); };
  };
  commands.push_back(std::move(gerber));

  CliCommand gerber_format;
  gerber_format.name = "gerber-to-gcode";
  gerber_format.summary = "ガーバーデータを G コードにします（ガーバーフォーマット）";
  gerber_format.options = {
      {"--inc", "", "", false, "座標を INC として読む（既定は ABS）"},
      {"--unit", "U", NameOf(kGerberUnits, GerberFormatOptions{}.unit), false,
       "1.23mm の書き方: " + ChoiceNames(kGerberUnits)},
      InchOption(),
  };
  gerber_format.menu_item = "MnuGbrFmt";
  gerber_format.streamed = [](const Options& options) -> StreamedConversion {
    GerberFormatOptions chosen;
    chosen.incremental = options.Has("--inc");
    chosen.unit = Choose(options, "--unit", kGerberUnits);
    chosen.inch = options.Has("--inch");
    return [chosen](std::string_view input, TextOutput& out) {
      ConversionResult result = FormatGerber(input, chosen, out);
      AppendMessage(result, UnitWarning(input, chosen.inch));
      return result;
    };
  };
  // Gerber data ends its blocks with "*" and drops its line ends: read as
  // they stand, and made CR LF only when they do end blocks.
  gerber_format.line_ends = InputLineEnds::kAsTheyStand;
  commands.push_back(std::move(gerber_format));

  CliCommand router;
  router.name = "router-to-gcode";
  router.summary = "ルーターデータを G コードにします（ルーターフォーマット）";
  router.options = {
      {"--unit", "U", NameOf(kRouterUnits, RouterFormatOptions{}.unit), false,
       "1.23mm の書き方: " + ChoiceNames(kRouterUnits)},
      {"--inc", "", "", false, "座標を INC として読む（既定は ABS）"},
      InchOption(),
  };
  router.menu_item = "MnuLuter";
  router.streamed = [](const Options& options) -> StreamedConversion {
    RouterFormatOptions chosen;
    chosen.unit = Choose(options, "--unit", kRouterUnits);
    chosen.incremental = options.Has("--inc");
    chosen.inch = options.Has("--inch");
    return [chosen](std::string_view input, TextOutput& out) {
      ConversionResult result = FormatRouter(input, chosen, out);
      AppendMessage(result, UnitWarning(input, chosen.inch));
      return result;
    };
  };
  commands.push_back(std::move(router));

  commands.push_back(
      PlainCommand("gcode-group", "G コードの移動を工具・アパーチャごとにまとめます（Gコードの並べ替え）",
                   StreamedConversion([](std::string_view gcode, TextOutput& out) { return GroupGcode(gcode, out); })));
  commands.push_back(PlainCommand("gcode-tidy", "続く早送りを最後の一つにまとめます",
                                  [](std::string_view input) { return ConversionResult(TidyRapidMoves(input)); }));
  return commands;
}

}  // namespace kovrel::cli
