// The document hand-off that every command runs through: record the macro
// step, show the busy pointer, save the document to the input work file
// (BAK.DAT), run the conversion, write the output work file (BAK1.DAT), load
// it back as the document, restore the pointer and delete the work files.
// On a failure the document keeps its text, the work files stay, and the
// outcome carries the standard error report.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/text_output.h"

namespace kovrel {

struct EditModule;

/// What the runner needs of the editor; the editor window and the tests
/// implement it.
class DocumentPort {
 public:
  virtual ~DocumentPort() = default;
  /// The whole document with its line ends as they stand.
  virtual std::string Text() const = 0;
  /// Replaces the whole document.
  virtual void Load(std::string text) = 0;
  /// Shows the busy pointer (true) or the text pointer (false).
  virtual void SetBusy(bool busy) = 0;
};

/// The result of a conversion of the document text.
struct ConversionResult {
  ConversionResult() = default;
  explicit ConversionResult(std::string new_text, std::string shown = {})
      : text(std::move(new_text)), message(std::move(shown)) {}

  std::string text;             ///< the new document
  std::string message;          ///< shown after the load (a count); may be empty
  bool nothing_to_convert = false;
  bool quiet = false;           ///< with nothing_to_convert: no message at all

  /// The document stays as it is and the standard message is shown.
  static ConversionResult NothingToConvert() {
    ConversionResult result;
    result.nothing_to_convert = true;
    return result;
  }

  /// The command stopped on purpose: the document stays, nothing is shown.
  static ConversionResult Stopped() {
    ConversionResult result = NothingToConvert();
    result.quiet = true;
    return result;
  }
};

/// Adds a line to the message of `result` (a message it has stays first).
inline void AppendMessage(ConversionResult& result, std::string_view line) {
  if (line.empty()) return;
  if (!result.message.empty()) result.message += '\n';
  result.message.append(line);
}

/// A conversion: a pure function of the input text (UTF-8) that returns the
/// result or throws Failure.
using Conversion = std::function<ConversionResult(std::string_view input)>;

/// A conversion that writes its result into `out` as it goes (the
/// conversions whose result can be far larger than their input); its
/// result carries the message and nothing to convert, its text stays empty.
using StreamedConversion = std::function<ConversionResult(std::string_view input, TextOutput& out)>;

/// A conversion as a streamed one: its whole text goes out at its end.
StreamedConversion Streamed(Conversion conversion);

/// A streamed conversion as a plain one: its text gathered in memory.
Conversion Gathered(StreamedConversion conversion);

inline constexpr std::string_view kNothingToConvertMessage = "変換可能なコマンドが、見つかりませんでした";

/// How a command ended and what to show the user.
struct CommandOutcome {
  enum class Kind { kConverted, kNothingToConvert, kFailed, kCancelled };
  Kind kind = Kind::kConverted;
  std::string message;     ///< the text to show; empty shows nothing
  int failure_number = 0;  ///< for kFailed
};

/// How a command reads the line ends of its input. The conversions read
/// every CR LF, lone CR and lone LF as a line break (given to them as CR
/// LF), so a file gives the same result whatever system wrote it; the text
/// tools (replace, control characters) work on the characters as they
/// stand. A tape code conversion maps bytes to bytes whose result is no
/// text: it gets the file's own bytes, not decoded, and its result is
/// written as the bytes it made (kAsBytes).
enum class InputLineEnds { kAsLineBreaks, kAsTheyStand, kAsBytes };

/// The input of a command as its conversion reads it: the CP932 bytes
/// decoded, and the line ends read as `line_ends` says.
std::string ConversionInput(std::string bytes, InputLineEnds line_ends);

/// The same text as ConversionInput gives, without a copy when the bytes
/// already are that text (ASCII with CR LF line ends: most NC programs).
class ConversionText {
 public:
  ConversionText(std::string_view bytes, InputLineEnds line_ends);
  ConversionText(const ConversionText&) = delete;  // the view may point into owned_
  ConversionText& operator=(const ConversionText&) = delete;
  std::string_view text() const { return text_; }
  /// True when the text is a copy of its own (the bytes may go).
  bool Owned() const { return text_.data() == owned_.data(); }

 private:
  std::string owned_;
  std::string_view text_;
};

/// The outcome of a conversion run on some input, with its result.
struct ConversionRun {
  CommandOutcome outcome;
  std::string output;  ///< the result as CP932 bytes when converted
};

/// Runs `conversion` on the CP932 bytes `input` and decides its outcome,
/// for the editor's hand-off and the command line alike: converted (the
/// result encoded, and its message), nothing to convert (the conversion's
/// message or the standard one; none for a quiet stop), or failed (the
/// standard error report; a cancel is silent). Never throws.
ConversionRun RunConversion(std::string_view input, const Conversion& conversion,
                            InputLineEnds line_ends = InputLineEnds::kAsLineBreaks);

/// Runs `conversion` on the CP932 bytes `input` as RunConversion does, with
/// the result written to the file `path` as CP932 while it is made (the
/// file is replaced once the conversion converted; otherwise it stays as
/// it was). `durable`: see FileWriter. `release_input` is called once the
/// input bytes are decoded into a text of their own and no longer read.
/// Never throws.
CommandOutcome RunConversionToFile(std::string_view input, const StreamedConversion& conversion,
                                   InputLineEnds line_ends, const std::string& path, bool durable,
                                   const std::function<void()>& release_input = {});

/// A macro step recorded before the command runs.
struct MacroStepRef {
  std::string_view kind;
  int item = 0;
};

/// The names of a command's work files in ProgDir, and how the command
/// reads the line ends of its input.
struct WorkFiles {
  std::string_view input = "BAK.DAT";
  std::string_view output = "BAK1.DAT";
  InputLineEnds line_ends = InputLineEnds::kAsLineBreaks;
};

/// Runs commands on the document through the work files.
class HandOffRunner {
 public:
  HandOffRunner(EditModule& module, DocumentPort& document, WorkFiles files = {})
      : module_(module), document_(document), files_(files) {}

  /// The whole hand-off for a command without a parameter window.
  CommandOutcome Run(std::optional<MacroStepRef> step, const Conversion& conversion);

  /// The first part, for a command that asks for parameters in a window:
  /// records the step and saves the document to the input work file.
  /// Returns the outcome to show when the save failed.
  std::optional<CommandOutcome> Begin(std::optional<MacroStepRef> step);

  /// The second part, run by the parameter window: reads the input work
  /// file, converts, writes and loads the output work file.
  CommandOutcome Finish(const Conversion& conversion);

  /// The second part for a command that leaves the document as it is (an
  /// export): reads the input work file, runs `action` on its text and
  /// deletes the work files; the outcome carries the message `action`
  /// returns.
  CommandOutcome FinishWithoutResult(const std::function<std::string(std::string_view input)>& action);

  std::string InputPath() const;
  std::string OutputPath() const;

 private:
  EditModule& module_;
  DocumentPort& document_;
  WorkFiles files_;
};

/// The outcome of a failure caught while a command ran: cancel is silent,
/// every other failure (any exception) gives the standard error report.
CommandOutcome FailureOutcome(std::exception_ptr error);

}  // namespace kovrel
