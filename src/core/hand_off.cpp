// The hand-off runner.
#include "core/hand_off.h"

#include <exception>
#include <new>
#include <optional>

#include "core/background_writer.h"
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
  if (line_ends == InputLineEnds::kAsBytes) return bytes;
  DecodeCp932InPlace(bytes);
  if (line_ends == InputLineEnds::kAsLineBreaks && HasLoneLineEnds(bytes)) return WithCrLfLineEnds(bytes);
  return bytes;
}

ConversionText::ConversionText(std::string_view bytes, InputLineEnds line_ends) : text_(bytes) {
  if (line_ends == InputLineEnds::kAsBytes) return;
  if (!IsAscii(bytes)) {
    owned_ = DecodeCp932(bytes);
    text_ = owned_;
  }
  if (line_ends == InputLineEnds::kAsLineBreaks && HasLoneLineEnds(text_)) {
    owned_ = WithCrLfLineEnds(text_);
    text_ = owned_;
  }
}

StreamedConversion Streamed(Conversion conversion) {
  return [conversion = std::move(conversion)](std::string_view input, TextOutput& out) {
    ConversionResult result = conversion(input);
    out.text = std::move(result.text);
    result.text.clear();
    return result;
  };
}

Conversion Gathered(StreamedConversion conversion) {
  return [conversion = std::move(conversion)](std::string_view input) {
    // Room for a result half again the input's size at once: a text that
    // grows by doubling holds its old and its new copy while it moves
    // (pages reserved and never written cost no memory).
    TextOutput out;
    out.text.reserve(input.size() + input.size() / 2);
    ConversionResult result = conversion(input, out);
    if (!result.nothing_to_convert) result.text = std::move(out.text);
    return result;
  };
}

namespace {

// The outcome of a conversion that did not convert; std::nullopt when it did.
std::optional<CommandOutcome> NotConverted(ConversionResult& result) {
  if (!result.nothing_to_convert) return std::nullopt;
  CommandOutcome outcome;
  outcome.kind = CommandOutcome::Kind::kNothingToConvert;
  if (!result.quiet) {
    outcome.message = result.message.empty() ? std::string(kNothingToConvertMessage) : std::move(result.message);
  }
  return outcome;
}

}  // namespace

CommandOutcome RunConversionToFile(std::string_view input, const StreamedConversion& conversion,
                                   InputLineEnds line_ends, const std::string& path, bool durable,
                                   const std::function<void()>& release_input) {
  try {
    // The file is made with the first chunk of the result (or once the
    // conversion converted): a conversion that fails before it writes, or
    // has nothing to convert, gives its own outcome whatever the path.
    std::optional<FileWriter> file;
    // The chunks are encoded and written on a thread of their own while the
    // conversion goes on (the writer ends before the file is let go).
    BackgroundWriter writer([&file, &path, durable, line_ends](std::string& chunk) {
      if (line_ends != InputLineEnds::kAsBytes) {
        try {
          EncodeCp932InPlace(chunk);
        } catch (const Failure&) {
          // A character Shift-JIS cannot hold: named with its line in the
          // whole result, counted over what was written before.
          EncodeCp932InPlace(chunk, 1 + CountLineBreaks(file ? file->Written() : std::string()));
        }
      }
      if (!file) file.emplace(path, durable);
      file->Write(chunk);
    });
    TextOutput out([&writer](std::string& chunk) { writer.Hand(chunk); });
    ConversionResult result;
    {
      const ConversionText text(input, line_ends);
      if (text.Owned() && release_input) release_input();
      result = conversion(text.text(), out);
    }
    if (auto outcome = NotConverted(result)) return *outcome;
    out.Flush();
    writer.Finish();
    if (!file) file.emplace(path, durable);  // an empty result
    file->Commit();
    CommandOutcome outcome;
    outcome.message = std::move(result.message);
    return outcome;
  } catch (...) {
    return FailureOutcome(std::current_exception());
  }
}

ConversionRun RunConversion(std::string_view input, const Conversion& conversion, InputLineEnds line_ends) {
  ConversionRun run;
  CommandOutcome& outcome = run.outcome;
  try {
    ConversionResult result;
    {
      const ConversionText text(input, line_ends);  // no copy of ASCII with CR LF
      result = conversion(text.text());
    }
    if (auto not_converted = NotConverted(result)) {
      outcome = std::move(*not_converted);
      return run;
    }
    if (line_ends != InputLineEnds::kAsBytes) EncodeCp932InPlace(result.text);
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
    const std::string input = ReadFileBytes(InputPath());
    outcome.message = action(ConversionText(input, files_.line_ends).text());
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
    const std::string input = ReadFileBytes(InputPath());
    outcome = RunConversionToFile(input, Streamed(conversion), files_.line_ends, OutputPath(), false);
    // A failure keeps the work files for a look at what went wrong.
    if (outcome.kind == CommandOutcome::Kind::kFailed || outcome.kind == CommandOutcome::Kind::kCancelled) {
      return outcome;
    }
    if (outcome.kind == CommandOutcome::Kind::kConverted) {
      std::string loaded = ReadFileBytes(OutputPath());
      DecodeCp932InPlace(loaded);
      document_.Load(std::move(loaded));
    }
  } catch (...) {
    return FailureOutcome(std::current_exception());
  }
  RemoveFile(InputPath());
  RemoveFile(OutputPath());
  return outcome;
}

}  // namespace kovrel
