// kovrel-cli commands of the DXF conversions: holes-to-dxf and gcode-to-dxf
// (their colour options stand in for the window "DXFの色設定" and come from
// its choice table), dxf-to-gcode and dxf-to-holes.
#include <charconv>

#include "app/cli/cli_command.h"
#include "dxf/dxf_colours.h"
#include "dxf/dxf_gcode.h"
#include "dxf/dxf_holes.h"
#include "dxf/gcode_dxf.h"
#include "dxf/hole_dxf.h"

namespace kovrel::cli {
namespace {

// The colours the options choose (UsageError for a wrong one).
DxfColourOptions ChosenColours(const Options& options) {
  DxfColourOptions chosen;
  chosen.mode = Choose(options, "--colours", kDxfColourModes);
  const std::string& colour = options.Get("--colour");
  const auto [end, error] = std::from_chars(colour.data(), colour.data() + colour.size(), chosen.colour);
  if (error != std::errc() || end != colour.data() + colour.size()) {
    throw UsageError{"--colour は 1 から 7 の整数です: " + colour};
  }
  Refuse(Validate(chosen));
  return chosen;
}

// A command that writes a DXF drawing with the colour options, without
// its conversion yet.
CliCommand DrawingCommand(std::string name, std::string summary, std::string_view menu_item) {
  CliCommand command;
  command.name = std::move(name);
  command.summary = std::move(summary);
  command.menu_item = menu_item;
  const DxfColourOptions defaults;
  command.options = {
      {"--colours", "M", NameOf(kDxfColourModes, defaults.mode), false,
       "画層の色: all 画層ごとに 1～7 (全色出力), same 全画層を --colour の色 (同一色)"},
      {"--colour", "N", std::to_string(defaults.colour), false, "同一色の色番号 (1～7)"},
  };
  return command;
}

// A drawing command whose drawing is written to the output as it is made.
CliCommand DrawingCommand(std::string name, std::string summary, std::string_view menu_item,
                          ConversionResult (*convert)(std::string_view, const DxfColourOptions&, TextOutput&)) {
  CliCommand command = DrawingCommand(std::move(name), std::move(summary), menu_item);
  command.streamed = [convert](const Options& options) -> StreamedConversion {
    const DxfColourOptions chosen = ChosenColours(options);
    return [convert, chosen](std::string_view input, TextOutput& out) { return convert(input, chosen, out); };
  };
  return command;
}

}  // namespace

std::vector<CliCommand> DxfCommands() {
  std::vector<CliCommand> commands;
  commands.push_back(DrawingCommand(
      "holes-to-dxf", "穴データを DXF（工具ごとの画層に穴の円）にします", "MnuHolDxf",
      static_cast<ConversionResult (*)(std::string_view, const DxfColourOptions&, TextOutput&)>(HoleDataToDxf)));
  // The drawings are some four times as long as their input: they go to
  // the file an entity at a time.
  commands.push_back(DrawingCommand(
      "gcode-to-dxf", "G コードを DXF（ラベル行ごとの画層に線・円弧・円・点）にします", "MnuNcDxf",
      static_cast<ConversionResult (*)(std::string_view, const DxfColourOptions&, TextOutput&)>(GcodeToDxf)));
  commands.push_back(PlainCommand("dxf-to-gcode", "DXF の線・点・円・円弧・ポリラインを G コードにします",
                                  StreamedConversion(TraceDxfToGcode)));
  commands.back().menu_item = "MnuDxfNc";
  commands.push_back(PlainCommand("dxf-to-holes", "DXF の円を穴データ（画層ごとの工具）にします", DxfToHoleData));
  commands.back().menu_item = "MnuDxsDlir";
  return commands;
}

}  // namespace kovrel::cli
