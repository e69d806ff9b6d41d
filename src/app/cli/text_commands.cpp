// kovrel-cli commands of the text tools: replace and control-chars. Both
// edit the bytes as they stand, line ends included.
#include "app/cli/cli_command.h"
#include "texttools/control_chars.h"
#include "texttools/replace_all.h"

namespace kovrel::cli {

std::vector<CliCommand> TextToolCommands() {
  std::vector<CliCommand> commands;

  CliCommand replace;
  replace.name = "replace";
  replace.summary = "文字列を全て置換します（置換ウィンドウの「置換」）。改行コードも文字として、そのまま扱います";
  replace.line_ends = InputLineEnds::kAsTheyStand;
  replace.options = {
      {"--find", "S", "", true, "検索する文字列"},
      {"--with", "R", "", true, "置換後の文字列"},
  };
  replace.conversion = [](const Options& options) -> Conversion {
    return [find = options.Get("--find"), with = options.Get("--with")](std::string_view input) {
      ReplaceResult replaced = ReplaceAll(input, find, with);
      return ConversionResult{std::move(replaced.text), ConvertedCountMessage(replaced.count)};
    };
  };
  commands.push_back(std::move(replace));

  CliCommand control;
  control.name = "control-chars";
  control.summary =
      "制御文字を置き換えまたは削除します（CrLf, Cr, Lf または任意の文字列）。入力の改行コードはそのまま扱います";
  control.line_ends = InputLineEnds::kAsTheyStand;
  control.options = {
      {"--replace", "T", "CrLf", false, "置き換える制御文字"},
      {"--with", "R", "CrLf", false, "置換える文字列"},
      {"--delete", "T", "CrLf", false, "削除する制御文字"},
  };
  control.check = [](const Options& options) -> std::string {
    if (options.Has("--replace") == options.Has("--delete")) return "--replace か --delete のどちらか一つを指定してください";
    if (options.Has("--delete") && options.Has("--with")) return "--with は --replace と共に指定します";
    return {};
  };
  control.conversion = [](const Options& options) -> Conversion {
    if (options.Has("--delete")) {
      return [target = MapControlName(options.Get("--delete"))](std::string_view input) {
        ReplaceResult deleted = ReplaceControl(input, target, "");
        return ConversionResult{std::move(deleted.text), DeletedCountMessage(deleted.count)};
      };
    }
    return [target = MapControlName(options.Get("--replace")),
            with = MapControlName(options.Get("--with"))](std::string_view input) {
      ReplaceResult replaced = ReplaceControl(input, target, with);
      return ConversionResult{std::move(replaced.text), ConvertedCountMessage(replaced.count)};
    };
  };
  commands.push_back(std::move(control));

  return commands;
}

}  // namespace kovrel::cli
