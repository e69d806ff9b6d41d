// kovrel-cli: runs any conversion without a window. Input and output are
// the CP932 bytes the work files would hold; messages go to standard error.
// Exit codes: 0 converted, 1 nothing to convert, 2 failure, 64 usage.
#include <unistd.h>

#include <filesystem>

#include <cstdio>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "app/cli/cli_command.h"
#include "core/failure.h"
#include "core/file_io.h"

namespace kovrel::cli {
namespace {

constexpr int kExitConverted = 0;
constexpr int kExitNothing = 1;
constexpr int kExitFailure = 2;
constexpr int kExitUsage = 64;

void PrintHelp(std::ostream& out) {
  out << "使い方: kovrel-cli COMMAND [OPTIONS] [INPUT] [-o OUTPUT]\n"
         "INPUT を省略するか - とすると標準入力から、OUTPUT を省略すると標準出力へ、\n"
         "Shift-JIS (CP932) のまま読み書きします。メッセージは標準エラーに出ます。\n"
         "終了コード: 0 変換した, 1 変換するものがない, 2 エラー, 64 使い方の誤り\n\n"
         "コマンド:\n";
  for (const CliCommand& command : AllCommands()) {
    out << "  " << command.name << "\n      " << command.summary << "\n      " << UsageLine(command) << "\n";
  }
}

void PrintCommandHelp(const CliCommand& command, std::ostream& out) {
  out << "使い方: " << UsageLine(command) << "\n" << command.summary << "\n";
  for (const OptionSpec& option : command.options) {
    out << "  " << option.name;
    if (!option.value_name.empty()) out << " " << option.value_name;
    out << "\t" << option.help;
    if (!option.default_value.empty()) out << "（既定: " << option.default_value << "）";
    out << "\n";
  }
}

std::string ReadStandardInput() {
  std::string bytes;
  char buffer[1 << 16];
  ssize_t got;
  while ((got = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<std::size_t>(got));
  if (got < 0) Fail(FailureKind::kFileNotFound, "標準入力");
  return bytes;
}

void WriteStandardOutput(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0) {
    Fail(FailureKind::kDiskFull, "標準出力");
  }
}

// Runs one step of a command: a usage error gives the usage message and
// exit 64, any failure the standard error report and exit 2.
int Reported(const CliCommand& command, const std::function<int()>& step) {
  try {
    return step();
  } catch (const UsageError& error) {
    std::cerr << "kovrel-cli " << command.name << ": " << error.message << "\n使い方: " << UsageLine(command)
              << "\n";
    return kExitUsage;
  } catch (...) {
    std::cerr << FailureOutcome(std::current_exception()).message << "\n";
    return kExitFailure;
  }
}

int ExitCode(CommandOutcome::Kind kind) {
  switch (kind) {
    case CommandOutcome::Kind::kConverted: return kExitConverted;
    case CommandOutcome::Kind::kNothingToConvert:
    case CommandOutcome::Kind::kCancelled: return kExitNothing;
    case CommandOutcome::Kind::kFailed: return kExitFailure;
  }
  return kExitFailure;
}

int RunCommand(const CliCommand& command, const std::vector<std::string>& args) {
  return Reported(command, [&] {
    const ParsedArgs parsed = ParseArgs(command, args);
    if (parsed.help) {
      PrintCommandHelp(command, std::cout);
      return kExitConverted;
    }
    const auto reported = [](const CliCommand::Report& report) {
      WriteStandardOutput(report.text);
      if (!report.message.empty()) std::cerr << report.message << "\n";
      return report.exit_code;
    };
    if (command.run_on_files) return reported(command.run_on_files(parsed.options, parsed.files));
    const bool from_stdin = parsed.input.empty() || parsed.input == "-";
    std::string input = from_stdin ? ReadStandardInput() : ReadFileBytes(parsed.input);
    if (command.run_report) {
      return reported(command.run_report(parsed.options, ConversionText(input, command.line_ends).text()));
    }
    if (command.run_effect || command.run_to_file) {
      const ConversionText text(input, command.line_ends);
      const std::string message = command.run_effect ? command.run_effect(parsed.options, text.text())
                                                     : command.run_to_file(parsed.options, text.text(), parsed.output);
      if (!message.empty()) std::cerr << message << "\n";
      return kExitConverted;
    }
    const bool to_stdout = parsed.output.empty() || parsed.output == "-";
    CommandOutcome outcome;
    if (to_stdout) {
      // Standard output gets the whole result at the end: a failure on the
      // way writes nothing.
      ConversionRun run = RunConversion(input, parsed.conversion, command.line_ends);
      if (run.outcome.kind == CommandOutcome::Kind::kConverted) WriteStandardOutput(run.output);
      outcome = std::move(run.outcome);
    } else {
      outcome = RunConversionToFile(input, parsed.streamed, command.line_ends, parsed.output, true,
                                    [&input] { std::string().swap(input); });
    }
    if (!outcome.message.empty()) std::cerr << outcome.message << "\n";
    return ExitCode(outcome.kind);
  });
}

// Runs kovrel-cli-render, beside this program, with the same arguments (the
// drawing commands need Qt, which kovrel-cli does not load).
int RenderElsewhere(char** argv) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::string program = (self.parent_path() / "kovrel-cli-render").string();
  if (ec || self.empty()) {
    // Never a program of that name from the current folder.
    std::cerr << ErrorReportText(MakeFailure(FailureKind::kFileNotFound, "kovrel-cli-render")) << "\n";
    return kExitFailure;
  }
  argv[0] = const_cast<char*>(program.c_str());
  ::execv(program.c_str(), argv);
  std::cerr << ErrorReportText(MakeFailure(FailureKind::kFileNotFound, program)) << "\n";
  return kExitFailure;
}

}  // namespace

const std::vector<CliCommand>& AllCommands() {
  static const std::vector<CliCommand> commands = [] {
    std::vector<CliCommand> all;
    for (auto&& group : {TextToolCommands(), HoleCommands(), DxfCommands(), ConvertCommands(), GraphicCommands(), WireCommands(),
                         DetectCommands(), MacroCommands()}) {
      all.insert(all.end(), std::make_move_iterator(group.begin()), std::make_move_iterator(group.end()));
    }
    return all;
  }();
  return commands;
}

}  // namespace kovrel::cli

int main(int argc, char** argv) {
  using namespace kovrel::cli;
  std::ios::sync_with_stdio(false);
  kovrel::RemoveTemporaryFileOnSignals();
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << "使い方: kovrel-cli COMMAND [OPTIONS] [INPUT] [-o OUTPUT]（一覧は kovrel-cli --help）\n";
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(std::cout);
    return kExitConverted;
  }
  for (const CliCommand& command : AllCommands()) {
    if (command.name != args[0]) continue;
    if (command.name == "render" && !kDrawsPictures) return RenderElsewhere(argv);
    return RunCommand(command, {args.begin() + 1, args.end()});
  }
  std::cerr << "kovrel-cli: 不明なコマンド " << args[0]
            << "\n使い方: kovrel-cli COMMAND [OPTIONS] [INPUT] [-o OUTPUT]（一覧は kovrel-cli --help）\n";
  return kExitUsage;
}
