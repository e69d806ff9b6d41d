// kovrel-cli run-macro: plays the conversions of a recorded operation macro
// on a document without a window. A step whose command has a command of
// its own here runs it with its defaults (as its window opens); the saves
// give the document their saved form; every other step needs a window or
// a file dialog and is skipped with a message naming it.
#include <iostream>

#include "app/cli/cli_command.h"
#include "core/cp932.h"
#include "core/file_io.h"
#include "shell/file_commands.h"
#include "shell/macro_file.h"

namespace kovrel::cli {
namespace {

// The command a step plays, if kovrel-cli has one.
const CliCommand* CommandOfStep(int item) {
  for (const CliCommand& command : AllCommands()) {
    if (command.macro_step == item) return &command;
  }
  return nullptr;
}

// The saved form of a save step (3 CR LF, 4 CR, 5 LF).
std::optional<LineEnd> SaveStep(int item) {
  if (item == 3) return LineEnd::kCrLf;
  if (item == 4) return LineEnd::kCr;
  if (item == 5) return LineEnd::kLf;
  return std::nullopt;
}

// Plays the steps on the document; messages go to `messages`.
ConversionResult PlaySteps(const std::vector<MacroStep>& steps, std::string_view input, std::string& messages) {
  std::string document = EncodeCp932(input);  // the bytes the work files hold
  for (const MacroStep& step : steps) {
    if (step.kind != kEditMenu) continue;
    const auto item = MacroItemNumber(step.item);
    const auto command = item ? MacroCommandOf(*item) : std::nullopt;
    if (!command) continue;  // plays back as nothing
    const std::string name = std::to_string(*item) + " (" + std::string(command->caption) + ")";
    if (const auto end = SaveStep(*item)) {
      document = SavedForm(document, *end);
      continue;
    }
    const CliCommand* cli = CommandOfStep(*item);
    if (cli == nullptr) {
      messages += "ステップ " + name + " はウィンドウが必要なため、飛ばしました\n";
      continue;
    }
    const ParsedArgs defaults = ParseArgs(*cli, {});
    ConversionRun run = RunConversion(document, defaults.conversion, cli->line_ends);
    if (!run.outcome.message.empty()) messages += "ステップ " + name + ": " + run.outcome.message + "\n";
    if (run.outcome.kind == CommandOutcome::Kind::kConverted) document = std::move(run.output);
  }
  DecodeCp932InPlace(document);
  return ConversionResult(std::move(document));
}

}  // namespace

std::vector<CliCommand> MacroCommands() {
  CliCommand play;
  play.name = "run-macro";
  play.summary = "操作マクロ (MACRO.DAT) の変換を、ウィンドウを使わず順に実行します（ダイアログは既定値）";
  play.operand = "MACRO.DAT";
  play.line_ends = InputLineEnds::kAsTheyStand;  // each step reads the line ends as its command does
  play.conversion = [](const Options& options) -> Conversion {
    std::string text = ReadFileBytes(options.Get("MACRO.DAT"));
    DecodeCp932InPlace(text);
    std::string skipped;
    std::vector<MacroStep> steps = ReadMacroFile(text, [&skipped](int line, std::string_view why) {
      skipped += "MACRO.DAT " + std::to_string(line) + " 行目を飛ばしました: " + std::string(why) + "\n";
    });
    return [steps = std::move(steps), skipped](std::string_view input) {
      std::string messages = skipped;
      ConversionResult result = PlaySteps(steps, input, messages);
      if (!messages.empty()) messages.pop_back();
      result.message = std::move(messages);
      return result;
    };
  };
  return {play};
}

}  // namespace kovrel::cli
