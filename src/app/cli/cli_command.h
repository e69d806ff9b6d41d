// A command of kovrel-cli: its name, its options with the parameter
// window's defaults, and the conversion it runs on the input text.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/hand_off.h"
#include "core/named_choice.h"

namespace kovrel {
struct FigureTables;
struct ViewBox;
struct DrawOptions;
}  // namespace kovrel

namespace kovrel::cli {

struct OptionSpec {
  std::string name;           ///< "--find"
  std::string value_name;     ///< "S"; empty for a flag without a value
  std::string default_value;  ///< used when the option is not given
  bool required = false;
  std::string help;           ///< one line
};

/// Options as given on the command line, with the defaults filled in.
class Options {
 public:
  bool Has(std::string_view name) const { return given_.count(std::string(name)) > 0; }
  const std::string& Get(std::string_view name) const;
  void Set(std::string name, std::string value, bool given);

 private:
  std::map<std::string, std::string, std::less<>> values_;
  std::map<std::string, bool, std::less<>> given_;
};

struct CliCommand {
  std::string name;
  std::string summary;  ///< one line, in the program's language
  std::vector<OptionSpec> options;
  /// Extra check of the options (a choice between two modes); returns an
  /// error text for the usage message, or empty when the options are fine.
  std::function<std::string(const Options&)> check;
  /// How the input's line ends are read: the conversions read every line
  /// end as a line break, as the editor hands a document over; the text
  /// tools edit the bytes as they stand.
  InputLineEnds line_ends = InputLineEnds::kAsLineBreaks;
  /// The conversion the options describe. Called before the input is read;
  /// throws UsageError for an option value the conversion refuses.
  std::function<Conversion(const Options&)> conversion;
  /// Instead of `conversion`, for a conversion that writes its result as it
  /// goes (those whose result can be far larger than their input): the
  /// result reaches the output file a chunk at a time.
  std::function<StreamedConversion(const Options&)> streamed;
  /// The menu item of the editor command this command does (its step in
  /// the playback table of operation macros); run-macro plays that step
  /// with this command and its defaults.
  std::string_view menu_item;
  /// The name of an operand that comes before INPUT ("MACRO.DAT"); its value
  /// is the option of that name. Empty for the commands without one.
  std::string operand;
  /// For a command whose output is a file of its own kind (a workbook, a
  /// picture) instead of text: writes it to the -o path, which is required,
  /// and returns the message to show (may be empty).
  std::function<std::string(const Options&, std::string_view input, const std::string& output)> run_to_file;
  /// For a command that names its own output files in its options: runs it
  /// and returns the message to show.
  std::function<std::string(const Options&, std::string_view input)> run_effect;
  /// For a command that reports on its input instead of converting it:
  /// the report for standard output, a message for standard error and the
  /// exit code.
  struct Report {
    std::string text;
    std::string message;
    int exit_code = 0;
  };
  std::function<Report(const Options&, std::string_view input)> run_report;
  /// For a command that reads the files it is given itself (compare A B):
  /// their names in the usage line, and the run, which gets their paths and
  /// reports like run_report.
  std::vector<std::string> file_names;
  std::function<Report(const Options&, const std::vector<std::string>& paths)> run_on_files;
};

/// Thrown for a usage error; main prints it with the usage line, exit 64.
struct UsageError {
  std::string message;
};

/// "kovrel-cli NAME --find S --with R [INPUT] [-o OUTPUT]".
std::string UsageLine(const CliCommand& command);

/// Parses the arguments after the command name. Throws UsageError.
struct ParsedArgs {
  Options options;
  std::string input;   ///< empty or "-" for standard input
  std::string output;  ///< empty or "-" for standard output
  bool help = false;
  std::vector<std::string> files;  ///< the files of a command that reads them itself
  Conversion conversion;  ///< the command's conversion with its options read
  StreamedConversion streamed;  ///< the same conversion, writing as it goes
};
ParsedArgs ParseArgs(const CliCommand& command, const std::vector<std::string>& args);

/// Every command, in the order --help lists them.
const std::vector<CliCommand>& AllCommands();

/// The commands of the text tools.
std::vector<CliCommand> TextToolCommands();

/// The commands of the hole data.
std::vector<CliCommand> HoleCommands();

/// The commands of the DXF conversions.
std::vector<CliCommand> DxfCommands();

/// The commands of the G-code, HP-GL, Gerber and router conversions.
std::vector<CliCommand> ConvertCommands();

/// The commands of the graphic view.
std::vector<CliCommand> GraphicCommands();

/// The operation-macro command run-macro.
std::vector<CliCommand> MacroCommands();

/// The format detection command.
std::vector<CliCommand> DetectCommands();

/// The warning for a conversion of `input`: inch data read without
/// --inch, or --inch given for data whose header says millimetres; empty
/// otherwise.
std::string UnitWarning(std::string_view input, bool inch);

/// The commands of the wire-cut data.
std::vector<CliCommand> WireCommands();

/// The value an option names in a conversion's choice table; throws
/// UsageError listing the names otherwise.
template <typename T, std::size_t N>
T Choose(const Options& options, std::string_view option, const ChoiceTable<T, N>& table) {
  if (auto value = ChoiceNamed(table, options.Get(option))) return *value;
  throw UsageError{std::string(option) + " は " + ChoiceNames(table) + " のいずれかです: " + options.Get(option)};
}

/// The command-line name of `value`, for an option's default.
template <typename T, std::size_t N>
std::string NameOf(const ChoiceTable<T, N>& table, const T& value) {
  return std::string(table[static_cast<std::size_t>(ChoiceIndex(table, value))].name);
}

/// Throws UsageError for a problem a conversion's Validate found.
void Refuse(const std::optional<OptionProblem>& problem);

/// A command whose conversion takes no options.
CliCommand PlainCommand(std::string name, std::string summary, Conversion conversion);
CliCommand PlainCommand(std::string name, std::string summary, StreamedConversion conversion);

/// Draws the figure as the view draws it into a PNG picture of width x
/// height pixels at `path`; false when it cannot be written. Only
/// kovrel-cli-render, which links Qt, draws: kovrel-cli starts without
/// loading Qt (a few milliseconds of every conversion) and hands `render`
/// over to kovrel-cli-render beside it.
bool WritePng(const FigureTables& figure, const ViewBox& box, const DrawOptions& draw, int width, int height,
              const std::string& path);

/// True in the program that draws (kovrel-cli-render).
extern const bool kDrawsPictures;

/// The --inch flag of the conversions that read coordinates: the data is in
/// inches and every coordinate is multiplied by 25.4.
OptionSpec InchOption();

}  // namespace kovrel::cli
