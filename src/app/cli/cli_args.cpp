// Option parsing of kovrel-cli commands.
#include "app/cli/cli_command.h"
#include "core/append.h"

namespace kovrel::cli {

const std::string& Options::Get(std::string_view name) const {
  static const std::string empty;
  const auto it = values_.find(name);
  return it == values_.end() ? empty : it->second;
}

void Options::Set(std::string name, std::string value, bool given) {
  if (given) given_[name] = true;
  values_[std::move(name)] = std::move(value);
}

void Refuse(const std::optional<OptionProblem>& problem) {
  if (problem) throw UsageError{"--" + std::string(problem->option) + ": " + problem->message};
}

CliCommand PlainCommand(std::string name, std::string summary, Conversion conversion) {
  CliCommand command;
  command.name = std::move(name);
  command.summary = std::move(summary);
  command.conversion = [conversion = std::move(conversion)](const Options&) { return conversion; };
  return command;
}

CliCommand PlainCommand(std::string name, std::string summary, StreamedConversion conversion) {
  CliCommand command;
  command.name = std::move(name);
  command.summary = std::move(summary);
  command.streamed = [conversion = std::move(conversion)](const Options&) { return conversion; };
  return command;
}

OptionSpec InchOption() {
  return {"--inch", "", "", false, "インチのデータとして読み、座標を 25.4 倍して mm にする"};
}

std::string UsageLine(const CliCommand& command) {
  std::string line = "kovrel-cli " + command.name;
  if (!command.operand.empty()) line += " " + command.operand;
  for (const OptionSpec& option : command.options) {
    std::string text = option.name;
    if (!option.value_name.empty()) text += " " + option.value_name;
    line += option.required ? " " + text : " [" + text + "]";
  }
  if (command.run_on_files) {
    for (const std::string& name : command.file_names) Append(line, " ", name);
    return line;
  }
  if (command.run_effect || command.run_report) return line + " [INPUT]";
  return line + (command.run_to_file ? " [INPUT] -o OUTPUT" : " [INPUT] [-o OUTPUT]");
}

ParsedArgs ParseArgs(const CliCommand& command, const std::vector<std::string>& args) {
  ParsedArgs parsed;
  for (const OptionSpec& option : command.options) parsed.options.Set(option.name, option.default_value, false);
  bool positional_only = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!positional_only && (arg == "--help" || arg == "-h")) {
      parsed.help = true;
      return parsed;
    }
    if (!positional_only && arg == "--") {
      positional_only = true;
      continue;
    }
    if (!positional_only && (arg == "-o" || arg == "--output")) {
      if (i + 1 >= args.size()) throw UsageError{arg + " には出力ファイルが必要です"};
      if (!parsed.output.empty()) throw UsageError{"出力ファイルは一つだけ指定できます"};
      parsed.output = args[++i];
      continue;
    }
    if (!positional_only && arg.size() > 2 && arg.starts_with("--")) {
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(0, equals);
      const OptionSpec* known = nullptr;
      for (const OptionSpec& option : command.options) {
        if (option.name == name) known = &option;
      }
      if (known == nullptr) throw UsageError{"不明なオプション " + name};
      if (parsed.options.Has(name)) throw UsageError{name + " が二度指定されました"};
      std::string value;
      if (known->value_name.empty()) {
        if (equals != std::string::npos) throw UsageError{name + " は値を取りません"};
        value.push_back('1');  // a flag: present
      } else if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else {
        if (i + 1 >= args.size()) throw UsageError{name + " には値 " + known->value_name + " が必要です"};
        value = args[++i];
      }
      parsed.options.Set(name, std::move(value), true);
      continue;
    }
    if (!positional_only && arg.size() > 1 && arg[0] == '-') throw UsageError{"不明なオプション " + arg};
    if (!command.operand.empty() && !parsed.options.Has(command.operand)) {
      parsed.options.Set(command.operand, arg, true);
      continue;
    }
    if (command.run_on_files) {
      parsed.files.push_back(arg);
      continue;
    }
    if (!parsed.input.empty()) throw UsageError{"入力ファイルは一つだけ指定できます"};
    parsed.input = arg;
  }
  for (const OptionSpec& option : command.options) {
    if (option.required && !parsed.options.Has(option.name)) throw UsageError{option.name + " が必要です"};
  }
  if (!command.operand.empty() && !parsed.options.Has(command.operand)) throw UsageError{command.operand + " が必要です"};
  if (command.run_on_files && (parsed.files.size() != command.file_names.size() || !parsed.output.empty())) {
    throw UsageError{Joined("ファイルを ", std::to_string(command.file_names.size()), " つ指定してください（-o はありません）")};
  }
  if (command.run_to_file && (parsed.output.empty() || parsed.output == "-")) throw UsageError{"-o OUTPUT が必要です"};
  if (command.check) {
    if (std::string problem = command.check(parsed.options); !problem.empty()) throw UsageError{problem};
  }
  if (command.streamed) {
    parsed.streamed = command.streamed(parsed.options);
    parsed.conversion = Gathered(parsed.streamed);
  } else if (command.conversion) {
    parsed.conversion = command.conversion(parsed.options);
    parsed.streamed = Streamed(parsed.conversion);
  }
  return parsed;
}

}  // namespace kovrel::cli
