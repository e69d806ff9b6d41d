// The document hand-off through BAK.DAT and BAK1.DAT.
#include "core/hand_off.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "support/temp_folder.h"

namespace kovrel {
namespace {

using testing_support::TempFolder;

// A document that records what the runner does to it.
class FakeDocument : public DocumentPort {
 public:
  explicit FakeDocument(std::string text) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void Load(std::string text) override {
    text_ = std::move(text);
    ++loads;
  }
  void SetBusy(bool busy) override { pointer.push_back(busy); }

  std::string text_;
  int loads = 0;
  std::vector<bool> pointer;
};

class HandOffTest : public ::testing::Test {
 protected:
  HandOffTest() { module.ProgDir = folder.path(); }
  TempFolder folder;
  EditModule module;
};

TEST_F(HandOffTest, ConvertsThroughTheWorkFilesAndDeletesThem) {
  FakeDocument document("(穴あけ)\r\nX1\r\nX2");
  HandOffRunner runner(module, document);
  std::string seen_input, bak_bytes;
  const auto outcome = runner.Run(MacroStepRef{kEditMenu, 20}, [&](std::string_view input) {
    seen_input = input;
    bak_bytes = ReadFileBytes(folder / "BAK.DAT");
    return ConversionResult{"G00\r\n(穴)\r\n", "[ 2 ]個を変換しました。"};
  });
  EXPECT_EQ(outcome.kind, CommandOutcome::Kind::kConverted);
  EXPECT_EQ(outcome.message, "[ 2 ]個を変換しました。");
  EXPECT_EQ(seen_input, "(穴あけ)\r\nX1\r\nX2");
  EXPECT_EQ(bak_bytes, "(\x8c\x8a\x82\xa0\x82\xaf)\r\nX1\r\nX2");  // Shift-JIS on disk
  EXPECT_EQ(document.text_, "G00\r\n(穴)\r\n");
  EXPECT_EQ(document.pointer.front(), true);
  EXPECT_EQ(document.pointer.back(), false);
  EXPECT_FALSE(FileExists(folder / "BAK.DAT"));
  EXPECT_FALSE(FileExists(folder / "BAK1.DAT"));
  EXPECT_EQ(module.MacroCount, -1);  // not recording: no step stored
}

TEST_F(HandOffTest, EmptyDocumentGivesAnEmptyWorkFileAndAnEmptyResult) {
  FakeDocument document("");
  HandOffRunner runner(module, document);
  bool existed_empty = false;
  const auto outcome = runner.Run(std::nullopt, [&](std::string_view input) {
    existed_empty = input.empty() && FileExists(folder / "BAK.DAT") && ReadFileBytes(folder / "BAK.DAT").empty();
    return ConversionResult{};
  });
  EXPECT_EQ(outcome.kind, CommandOutcome::Kind::kConverted);
  EXPECT_TRUE(existed_empty);
  EXPECT_EQ(document.text_, "");
  EXPECT_EQ(document.loads, 1);
}

TEST_F(HandOffTest, FailureKeepsTheTextAndTheWorkFilesAndGivesTheReport) {
  FakeDocument document("X1\r\n");
  HandOffRunner runner(module, document);
  module.MacroCount = 0;
  const auto outcome = runner.Run(MacroStepRef{kEditMenu, 17}, [&](std::string_view) -> ConversionResult {
    WriteFileBytes(folder / "BAK1.DAT", "partial");
    Fail(FailureKind::kIndexOutOfRange);
  });
  EXPECT_EQ(outcome.kind, CommandOutcome::Kind::kFailed);
  EXPECT_EQ(outcome.failure_number, 9);
  EXPECT_EQ(outcome.message, "エラー番号 : 9\nインデックスが有効範囲にありません");
  EXPECT_EQ(document.text_, "X1\r\n");
  EXPECT_EQ(document.loads, 0);
  EXPECT_TRUE(FileExists(folder / "BAK.DAT"));
  EXPECT_TRUE(FileExists(folder / "BAK1.DAT"));
  EXPECT_EQ(document.pointer.back(), false);
  EXPECT_EQ(module.MacroCount, 1);  // the step is recorded before anything else
  EXPECT_EQ(module.MacroSteps[0].item, "17");
}

TEST_F(HandOffTest, CancelIsSilentAndOtherErrorsAreReported) {
  FakeDocument document("A");
  HandOffRunner runner(module, document);
  const auto cancelled = runner.Run(std::nullopt, [](std::string_view) -> ConversionResult { Fail(FailureKind::kCancel); });
  EXPECT_EQ(cancelled.kind, CommandOutcome::Kind::kCancelled);
  EXPECT_EQ(cancelled.message, "");
  const auto odd = runner.Run(std::nullopt, [](std::string_view) -> ConversionResult { throw std::runtime_error("x"); });
  EXPECT_EQ(odd.kind, CommandOutcome::Kind::kFailed);
  EXPECT_TRUE(odd.message.starts_with("エラー番号 : 5\n")) << odd.message;
  EXPECT_EQ(document.text_, "A");
}

TEST_F(HandOffTest, UnencodableTextStopsBeforeAnyFileIsWritten) {
  FakeDocument document("X1\r\n€\r\n");
  HandOffRunner runner(module, document);
  bool ran = false;
  const auto outcome = runner.Run(std::nullopt, [&](std::string_view) {
    ran = true;
    return ConversionResult{};
  });
  EXPECT_FALSE(ran);
  EXPECT_EQ(outcome.failure_number, 5);
  EXPECT_NE(outcome.message.find("2 行目"), std::string::npos);
  EXPECT_FALSE(FileExists(folder / "BAK.DAT"));

  // A result Shift-JIS cannot hold is refused too, and the document stays.
  FakeDocument plain("X1");
  HandOffRunner second(module, plain);
  const auto bad_result = second.Run(std::nullopt, [](std::string_view) { return ConversionResult{"€"}; });
  EXPECT_EQ(bad_result.kind, CommandOutcome::Kind::kFailed);
  EXPECT_EQ(plain.text_, "X1");
}

TEST_F(HandOffTest, NothingToConvertLeavesTheDocument) {
  FakeDocument document("abc");
  HandOffRunner runner(module, document);
  const auto outcome = runner.Run(std::nullopt, [](std::string_view) { return ConversionResult::NothingToConvert(); });
  EXPECT_EQ(outcome.kind, CommandOutcome::Kind::kNothingToConvert);
  EXPECT_EQ(outcome.message, "変換可能なコマンドが、見つかりませんでした");
  EXPECT_EQ(document.loads, 0);
}

TEST_F(HandOffTest, SplitFormSavesBeforeTheParameterWindowAndOwnWorkFileNames) {
  FakeDocument document("A\r\nB");
  HandOffRunner runner(module, document, WorkFiles{"bak.rtf", "bak1.rtf"});
  ASSERT_FALSE(runner.Begin(MacroStepRef{kEditMenu, 14}).has_value());
  EXPECT_TRUE(FileExists(folder / "bak.rtf"));
  document.text_ = "changed meanwhile";  // the window converts what was saved
  const auto outcome = runner.Finish([](std::string_view input) { return ConversionResult{std::string(input) + "C"}; });
  EXPECT_EQ(outcome.kind, CommandOutcome::Kind::kConverted);
  EXPECT_EQ(document.text_, "A\r\nBC");
  EXPECT_FALSE(FileExists(folder / "bak.rtf"));
  EXPECT_FALSE(FileExists(folder / "bak1.rtf"));
}

TEST_F(HandOffTest, ConversionsReadEveryLineEndAsALineBreakTextToolsAsItStands) {
  FakeDocument document("A\nB\rC\r\n");
  std::string seen;
  const auto capture = [&seen](std::string_view input) {
    seen = input;
    return ConversionResult(std::string(input));
  };
  HandOffRunner(module, document).Run(std::nullopt, capture);
  EXPECT_EQ(seen, "A\r\nB\r\nC\r\n");
  document.text_ = "A\nB\rC\r\n";
  HandOffRunner(module, document, WorkFiles{"bak.$$$", "bak1.$$$", InputLineEnds::kAsTheyStand}).Run(std::nullopt, capture);
  EXPECT_EQ(seen, "A\nB\rC\r\n");
  EXPECT_EQ(document.text_, "A\nB\rC\r\n");
}

TEST(RunConversion, DecidesTheOutcomeOnce) {
  const auto converted = RunConversion("X1\n\x8c\x8a", [](std::string_view input) {
    return ConversionResult(std::string(input) + "!", "done");
  });
  EXPECT_EQ(converted.outcome.kind, CommandOutcome::Kind::kConverted);
  EXPECT_EQ(converted.output, "X1\r\n\x8c\x8a!");  // encoded back to Shift-JIS
  EXPECT_EQ(converted.outcome.message, "done");

  const auto nothing = RunConversion("", [](std::string_view) { return ConversionResult::NothingToConvert(); });
  EXPECT_EQ(nothing.outcome.kind, CommandOutcome::Kind::kNothingToConvert);
  EXPECT_EQ(nothing.outcome.message, kNothingToConvertMessage);
  const auto quiet = RunConversion("", [](std::string_view) { return ConversionResult::Stopped(); });
  EXPECT_EQ(quiet.outcome.kind, CommandOutcome::Kind::kNothingToConvert);
  EXPECT_EQ(quiet.outcome.message, "");

  const auto unencodable = RunConversion("", [](std::string_view) { return ConversionResult("€"); });
  EXPECT_EQ(unencodable.outcome.failure_number, 5);
  EXPECT_EQ(unencodable.output, "");
  const auto memory = RunConversion("", [](std::string_view) -> ConversionResult { throw std::bad_alloc(); });
  EXPECT_EQ(memory.outcome.failure_number, 7);
  const auto odd = RunConversion("", [](std::string_view) -> ConversionResult { throw 42; });
  EXPECT_EQ(odd.outcome.kind, CommandOutcome::Kind::kFailed);
  const auto past_end = RunConversion("", [](std::string_view) -> ConversionResult {
    Fail(FailureKind::kInputPastEnd);
  });
  EXPECT_EQ(past_end.outcome.message, "エラー番号 : 62\nファイルの終わりを越えて入力しようとしました。");
  const auto cancel = RunConversion("", [](std::string_view) -> ConversionResult { Fail(FailureKind::kCancel); });
  EXPECT_EQ(cancel.outcome.kind, CommandOutcome::Kind::kCancelled);
}

TEST(RunConversion, ByteConversionsSeeAndWriteTheFilesOwnBytes) {
  // A lone lead byte, a byte no code page maps and a bare LF: bytes that a
  // decode and encode would change or refuse.
  const std::string bytes("\x81\xff\nA\xa0", 5);
  std::string seen;
  const auto echo = [&seen](std::string_view input) {
    seen = input;
    return ConversionResult(std::string(input) + "\xfd");
  };
  const auto run = RunConversion(bytes, echo, InputLineEnds::kAsBytes);
  EXPECT_EQ(seen, bytes);
  EXPECT_EQ(run.output, bytes + "\xfd");

  const std::string path = (std::filesystem::temp_directory_path() / "kovrel-bytes-test.out").string();
  const auto to_file = RunConversionToFile(bytes, Streamed(echo), InputLineEnds::kAsBytes, path, false);
  EXPECT_EQ(to_file.kind, CommandOutcome::Kind::kConverted);
  EXPECT_EQ(ReadFileBytes(path), bytes + "\xfd");
  RemoveFile(path);

  // The output file is made only for a result: a conversion's own outcome
  // comes first, whatever the path, and no temporary file stays.
  const std::string nowhere = (std::filesystem::temp_directory_path() / "kovrel-missing-folder/out.nc").string();
  const auto nothing = RunConversionToFile(
      "X1", Streamed([](std::string_view) { return ConversionResult::NothingToConvert(); }),
      InputLineEnds::kAsLineBreaks, nowhere, false);
  EXPECT_EQ(nothing.kind, CommandOutcome::Kind::kNothingToConvert);
  const auto failed = RunConversion("X1", [](std::string_view) -> ConversionResult { Fail(FailureKind::kOverflow); });
  const auto failed_to_file = RunConversionToFile(
      "X1", Streamed([](std::string_view) -> ConversionResult { Fail(FailureKind::kOverflow); }),
      InputLineEnds::kAsLineBreaks, path, false);
  EXPECT_EQ(failed_to_file.failure_number, 6);
  EXPECT_EQ(failed_to_file.message, failed.outcome.message);
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(FileExists(path + ".kovrel-tmp"));
}

TEST_F(HandOffTest, MissingProgramFolderIsReported) {
  module.ProgDir = folder / "missing/";
  FakeDocument document("A");
  HandOffRunner runner(module, document);
  const auto outcome = runner.Run(std::nullopt, [](std::string_view) { return ConversionResult{}; });
  EXPECT_EQ(outcome.failure_number, 76);
  EXPECT_EQ(document.text_, "A");
}

}  // namespace
}  // namespace kovrel
