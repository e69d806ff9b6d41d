// The hand-off runner.
#include "core/hand_off.h"

#include <exception>
#include <new>

#include "core/cp932.h"
#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// Shows the busy pointer for its lifetime.
class BusyPointer {
 public:
  explicit BusyPointer(DocumentPort& document) : document_(document) { document_.SetBusy(true); }
  ~BusyPointer() { document_.SetBusy(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  DocumentPort& document_;
};

}  // namespace

CommandOutcome FailureOutcome(std::exception_ptr error) {
  CommandOutcome outcome;
  outcome.kind = CommandOutcome::Kind::kFailed;
  Failure failure(static_cast<int>(FailureKind::kInvalidArgument), "");
  try {
    std::rethrow_exception(error);
  } catch (const Failure& caught) {
    failure = caught;
  } catch (const std::bad_alloc&) {
    failure = MakeFailure(FailureKind::kOutOfMemory);
  } catch (const std::exception& other) {
    failure = MakeFailure(FailureKind::kInvalidArgument, other.what());
  } catch (...) {
    failure = MakeFailure(FailureKind::kInvalidArgument);
  }
  if (failure.IsCancel()) {
    outcome.kind = CommandOutcome::Kind::kCancelled;
    return outcome;
  }
  outcome.failure_number = failure.number();
  outcome.message = ErrorReportText(failure);
  return outcome;
}

std::string ConversionInput(std::string bytes, InputLineEnds line_ends) {
  DecodeCp932InPlace(bytes);
  if (line_ends == InputLineEnds::kAsLineBreaks && HasLoneLineEnds(bytes)) return WithCrLfLineEnds(bytes);
  return bytes;
}

ConversionRun RunConversion(std::string input, const Conversion& conversion, InputLineEnds line_ends) {
  ConversionRun run;
  CommandOutcome& outcome = run.outcome;
  try {
    ConversionResult result = conversion(ConversionInput(std::move(input), line_ends));
    if (result.nothing_to_convert) {
      outcome.kind = CommandOutcome::Kind::kNothingToConvert;
      if (!result.quiet) {
        outcome.message = result.message.empty() ? std::string(kNothingToConvertMessage) : std::move(result.message);
      }
      return run;
    }
    EncodeCp932InPlace(result.text);
    run.output = std::move(result.text);
    outcome.message = std::move(result.message);
  } catch (...) {
    run.outcome = FailureOutcome(std::current_exception());
    run.output.clear();
  }
  return run;
}

std::string HandOffRunner::InputPath() const { return WorkPath(module_.ProgDir, files_.input); }
std::string HandOffRunner::OutputPath() const { return WorkPath(module_.ProgDir, files_.output); }

CommandOutcome HandOffRunner::Run(std::optional<MacroStepRef> step, const Conversion& conversion) {
  if (auto failed = Begin(step)) return *failed;
  return Finish(conversion);
}

std::optional<CommandOutcome> HandOffRunner::Begin(std::optional<MacroStepRef> step) {
  if (step) RecordStep(module_, step->kind, step->item);
  BusyPointer busy(document_);
  try {
    // Encoding first: a character Shift-JIS cannot hold stops the command
    // before any file is written.
    std::string text = document_.Text();
    EncodeCp932InPlace(text);
    WriteFileBytes(InputPath(), text);
  } catch (...) {
    return FailureOutcome(std::current_exception());
  }
  return std::nullopt;
}

CommandOutcome HandOffRunner::FinishWithoutResult(const std::function<std::string(std::string_view input)>& action) {
  BusyPointer busy(document_);
  CommandOutcome outcome;
  try {
    outcome.message = action(ConversionInput(ReadFileBytes(InputPath()), files_.line_ends));
  } catch (...) {
    return FailureOutcome(std::current_exception());
  }
  RemoveFile(InputPath());
  RemoveFile(OutputPath());
  return outcome;
}

CommandOutcome HandOffRunner::Finish(const Conversion& conversion) {
  BusyPointer busy(document_);
  CommandOutcome outcome;
  try {
    module_.LineBuf.clear();
    module_.FieldBuf.clear();
    ConversionRun run = RunConversion(ReadFileBytes(InputPath()), conversion, files_.line_ends);
    // A failure keeps the work files for a look at what went wrong.
    if (run.outcome.kind == CommandOutcome::Kind::kFailed || run.outcome.kind == CommandOutcome::Kind::kCancelled) {
      return run.outcome;
    }
    if (run.outcome.kind == CommandOutcome::Kind::kConverted) {
      WriteFileBytes(OutputPath(), run.output);
      std::string loaded = ReadFileBytes(OutputPath());
      DecodeCp932InPlace(loaded);
      document_.Load(std::move(loaded));
    }
    outcome = std::move(run.outcome);
  } catch (...) {
    return FailureOutcome(std::current_exception());
  }
  RemoveFile(InputPath());
  RemoveFile(OutputPath());
  return outcome;
}

}  // namespace kovrel
