// kovrel-cli commands of the text tools: replace, control-chars and
// tape-convert edit the bytes as they stand, line ends included; compare
// tells where two files first differ.
#include <cstdio>
#include <filesystem>

#include "app/cli/cli_command.h"
#include "core/cp932.h"
#include "core/utf8.h"
#include "core/append.h"
#include "core/data_folder.h"
#include "core/file_io.h"
#include "texttools/control_chars.h"
#include "texttools/file_compare.h"
#include "texttools/replace_all.h"
#include "texttools/tape_code.h"

namespace kovrel::cli {
namespace {

// The folders whose CVTBL a table name is looked up in: ProgDir as the
// program finds it, then the shipped data (for a user who has not started
// the program yet).
std::vector<std::string> TableFolders() {
  const EnvLookup env = ProcessEnvironment();
  std::error_code ec;
  const std::string exe_dir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
  return {ResolveProgDir(env), FindShippedData(env, exe_dir)};
}

// "41" for a byte, "EOF" past the end.
std::string ByteAt(std::string_view bytes, std::size_t offset) {
  if (offset >= bytes.size()) return "EOF";
  return HexByte(static_cast<unsigned char>(bytes[offset]));
}

}  // namespace

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
  replace.conversion = [](const Options& options) {
    return ReplaceAllConversion(options.Get("--find"), options.Get("--with"));
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
  control.conversion = [](const Options& options) {
    if (options.Has("--delete")) return DeleteControlConversion(options.Get("--delete"));
    return ReplaceControlConversion(options.Get("--replace"), options.Get("--with"));
  };
  commands.push_back(std::move(control));

  CliCommand tape;
  tape.name = "tape-convert";
  tape.summary =
      "変換テーブルでバイトごとにコードを変換します（コード変換）。名前はデータフォルダの CVTBL から探します。"
      "入力の改行コードもそのままテーブルで変換します";
  tape.line_ends = InputLineEnds::kAsBytes;
  tape.options = {{"--table", "NAME|FILE", "", true, "変換テーブル: CVTBL のテーブル名かファイル"}};
  tape.conversion = [](const Options& options) -> Conversion {
    // The table is read before the input: a bad table writes nothing. The
    // table sees the file's own bytes and makes the output's bytes.
    const std::string path = FindTableFile(options.Get("--table"), TableFolders());
    return [table = LoadTapeTable(path, std::filesystem::path(path).filename().string())](std::string_view bytes) {
      return ConversionResult(ConvertTape(bytes, table));
    };
  };
  commands.push_back(std::move(tape));

  CliCommand compare;
  compare.name = "compare";
  compare.summary =
      "二つのファイルをバイトごとに比較します。違いがあれば最初の違いの位置（0 から数えたバイト位置）と"
      "両方のバイトを出力し、終了コード 1 で終わります。同じなら 0 です";
  compare.file_names = {"A", "B"};
  compare.run_on_files = [](const Options&, const std::vector<std::string>& paths) {
    const std::string a = ReadFileBytes(paths[0]);
    const std::string b = ReadFileBytes(paths[1]);
    const auto offset = FirstDifference(a, b);
    if (!offset) return CliCommand::Report{"", "比較を完了しました。", 0};
    return CliCommand::Report{Joined(std::to_string(*offset), ": ", ByteAt(a, *offset), " ", ByteAt(b, *offset), "\n"),
                              "ファイルに違いが確認されました。", 1};
  };
  commands.push_back(std::move(compare));

  return commands;
}

}  // namespace kovrel::cli
