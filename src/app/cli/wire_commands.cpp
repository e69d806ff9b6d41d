// kovrel-cli commands of the wire-cut data: wire-to-gcode, fanuc-wire
// (with the folder of its subprograms) and wire-to-milling.
#include "app/cli/cli_command.h"
#include "core/data_folder.h"
#include "core/file_io.h"
#include "wire/wire_gcode.h"
#include "wire/wire_macro.h"
#include "wire/wire_milling.h"

namespace kovrel::cli {

std::vector<CliCommand> WireCommands() {
  std::vector<CliCommand> commands;
  commands.push_back(PlainCommand("wire-to-gcode", "ワイヤーカットデータを G コードにします（ワイヤーカットデータ）",
                                  StreamedConversion([](std::string_view program, TextOutput& out) {
                                    return WireToGcode(program, out, ProgramForm::kCp932);
                                  })));
  commands.back().menu_item = "MnuWirFmt";
  commands.back().line_ends = InputLineEnds::kAsBytes;  // lines decoded one at a time where they need it

  CliCommand fanuc;
  fanuc.name = "fanuc-wire";
  fanuc.summary = "カスタムマクロのワイヤープログラムを展開して G コードにします（ワイヤーFUNAC）";
  fanuc.options = {{"--sub-dir", "DIR", "", false, "サブプログラム O<番号> のフォルダー（既定: データフォルダーの SUB）"}};
  fanuc.streamed = [](const Options& options) -> StreamedConversion {
    std::string folder = options.Get("--sub-dir");
    if (folder.empty()) folder = WorkPath(ResolveProgDir(ProcessEnvironment()), kSubprogramFolder);
    return [source = SubprogramFolder(folder)](std::string_view input, TextOutput& out) {
      WireMacroOptions bytes;
      bytes.form = ProgramForm::kCp932;
      return FanucWire(input, source, bytes, out);
    };
  };
  fanuc.line_ends = InputLineEnds::kAsBytes;  // lines decoded one at a time where they need it
  commands.push_back(std::move(fanuc));

  commands.push_back(PlainCommand("wire-to-milling",
                                  "ワイヤーカットデータを、下穴とエンドミル加工のマクロプログラムにします（ワイヤーをミーリングへ）",
                                  StreamedConversion([](std::string_view program, TextOutput& out) {
                                    return WireToMilling(program, out, ProgramForm::kCp932);
                                  })));
  commands.back().line_ends = InputLineEnds::kAsBytes;  // lines decoded one at a time where they need it
  return commands;
}

}  // namespace kovrel::cli
