// kovrel-cli run-macro: plays the conversions of a recorded operation macro
// on a document without a window. A step whose command has a command of
// its own here runs it with its defaults (as its window opens); the saves
// give the document their saved form; every other step needs a window or
// a file dialog and is skipped with a message naming it.
#include <iostream>

#include "app/cli/cli_command.h"
#include "core/cp932.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/text_reader.h"
#include "shell/file_commands.h"
#include "shell/macro_file.h"

namespace kovrel::cli {
namespace {

// The command that plays the editor command `menu`, if kovrel-cli has one.
const CliCommand* CommandOfMenuItem(std::string_view menu) {
  for (const CliCommand& command : AllCommands()) {
    if (command.menu_item == menu) return &command;
  }
  return nullptr;
}

// The line ends of a save step (3 CR LF, 4 CR, 5 LF).
std::optional<LineEnd> SaveStep(int item) {
  if (item == 3) return LineEnd::kCrLf;
  if (item == 4) return LineEnd::kCr;
  if (item == 5) return LineEnd::kLf;
  return std::nullopt;
}

// Plays the steps on the document; messages go to `messages`. A save does
// not change the document (as in the window): the output is written in
// the saved form of the last save. A step that fails is reported and the
// next one runs on the document as it was; a macro with a failed step
// fails as a whole, and nothing is written.
// True when `text` is its own saved form with `end`: every line ends with
// `end` (the last one too), no other line end stands in it and no line is
// empty. Checked, the saved form of most results is not made as a copy.
bool InSavedForm(std::string_view text, LineEnd end) {
  const std::string_view line_end = end == LineEnd::kCrLf ? "\r\n" : end == LineEnd::kCr ? "\r" : "\n";
  std::size_t line_at = 0;
  for (std::size_t at = FindLineEnd(text, 0); at != std::string_view::npos; at = FindLineEnd(text, line_at)) {
    if (at == line_at || text.substr(at, line_end.size()) != line_end) return false;
    line_at = at + line_end.size();
  }
  return line_at == text.size();
}

ConversionResult PlaySteps(const std::vector<MacroStep>& steps, std::string_view input, std::string& messages) {
  // The bytes the work files hold: an ASCII input is its own bytes, read
  // where it stands until a step converts it.
  std::string converted = IsAscii(input) ? std::string() : EncodeCp932(input);
  std::string_view document = IsAscii(input) ? input : std::string_view(converted);
  std::optional<LineEnd> saved;
  bool failed = false;
  for (const MacroStep& step : steps) {
    if (step.kind != kEditMenu) continue;
    const auto item = MacroItemNumber(step.item);
    const auto command = item ? MacroCommandOf(*item) : std::nullopt;
    if (!command) continue;  // plays back as nothing
    const std::string name = std::to_string(*item) + " (" + std::string(command->caption) + ")";
    if (const auto end = SaveStep(*item)) {
      saved = end;
      continue;
    }
    const CliCommand* cli = CommandOfMenuItem(command->menu);
    if (cli == nullptr) {
      messages += "ステップ " + name + " はウィンドウが必要なため、飛ばしました\n";
      continue;
    }
    ConversionRun run = RunConversion(document, ParseArgs(*cli, {}).conversion, cli->line_ends);
    if (!run.outcome.message.empty()) messages += "ステップ " + name + ": " + run.outcome.message + "\n";
    if (run.outcome.kind == CommandOutcome::Kind::kConverted) {
      converted = std::move(run.output);
      document = converted;
    }
    failed = failed || run.outcome.kind == CommandOutcome::Kind::kFailed;
  }
  if (failed) {
    if (!messages.empty()) messages.pop_back();
    FailWithText(FailureKind::kInvalidValue, "操作マクロの途中で失敗したステップがあります\n" + messages);
  }
  std::string result;
  if (saved && !InSavedForm(document, *saved)) {
    result = SavedForm(document, *saved);
  } else if (document.data() == converted.data()) {
    result = std::move(converted);
  } else {
    result = document;
  }
  DecodeCp932InPlace(result);
  return ConversionResult(std::move(result));
}

}  // namespace

std::vector<CliCommand> MacroCommands() {
  CliCommand play;
  play.name = "run-macro";
  play.summary =
      "操作マクロ (MACRO.DAT) の変換を、ウィンドウを使わず順に実行します（ダイアログは既定値、出力は最後の保存の形式）";
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
