// The playback table and MACRO.DAT.
#include "shell/macro_file.h"

#include <array>
#include <cmath>

#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

constexpr std::array<MacroCommand, 32> kCommands = {{
    {1, "MnuLoad", "ファイルの読み込み"},
    {2, "MnuTuikaLoad", "ファイルの追加読み込み"},
    {3, "MnuSave", "ファイルの保存"},
    {4, "MnuCRsave", "改行コードを ＣＲ で保存"},
    {5, "MnuLFsave", "改行コードを ＬＦ で保存"},
    {6, "MnuPrintSet", "プリンターの設定"},
    {7, "MnuPrint", "印刷"},
    {8, "MnuCrear", "クリア"},
    {9, "MnuCv", "コード変換"},
    {10, "MnuCvED", "コード変集"},
    {11, "MnuFileIs", "ファイル比較"},
    {12, "MnuKensaku", "検索"},
    {13, "MnuHenkan", "置換"},
    {14, "MnuSeigyo", "制御文字編集"},
    {15, "MnuFont", "フォント"},
    {16, "MnuHolFmt", "穴データ"},
    {17, "MnuGbrFmt", "ガーバーデータ"},
    {18, "MnuWirFmt", "ワイヤーカットデータ"},
    {19, "MnuLuter", "ルーターデータ"},
    {20, "MnuHolGcode", "穴データをGコードへ"},
    {21, "MnuHolDxf", "穴データをDXFへ"},
    {22, "MnuDlrExcel", "穴データをエクセルへ"},
    {24, "MnuNcDxf", "GコードをDXFへ"},
    {25, "MnuNcGbr", "Gコードをガーバーへ"},
    {26, "MnuGHpgl", "GコードをHPGLへ"},
    {27, "MnuDxfNc", "DXFをGコードへ"},
    {28, "MnuDxsDlir", "DXFを穴データへ"},
    {29, "MnuHpgl", "HPGLをGコードへ"},
    {30, "MnuGrph", "グラフィック"},
    {31, "MnuWWW", "ブラウザの選択"},
    {32, "MnuAppSet", "外部アプリの設定"},
    {33, "MnuTavrin", "Tavrin"},
}};  // 34 + i: MnuApp(i), below

constexpr std::array<std::string_view, 10> kAppItems = {"MnuApp(0)", "MnuApp(1)", "MnuApp(2)", "MnuApp(3)",
                                                        "MnuApp(4)", "MnuApp(5)", "MnuApp(6)", "MnuApp(7)",
                                                        "MnuApp(8)", "MnuApp(9)"};

// The two quoted fields of a record line, or std::nullopt.
std::optional<std::pair<std::string, std::string>> Fields(std::string_view line) {
  const auto quoted = [&line]() -> std::optional<std::string> {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    if (line.empty() || line.front() != '"') return std::nullopt;
    const std::size_t close = line.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    std::string field(line.substr(1, close - 1));
    line.remove_prefix(close + 1);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    return field;
  };
  auto kind = quoted();
  if (!kind || line.empty() || line.front() != ',') return std::nullopt;
  line.remove_prefix(1);
  auto item = quoted();
  if (!item || !line.empty()) return std::nullopt;
  return std::pair{std::move(*kind), std::move(*item)};
}

}  // namespace

std::optional<MacroCommand> MacroCommandOf(int item) {
  if (item >= 34 && item <= 43) {
    return MacroCommand{item, kAppItems[static_cast<std::size_t>(item - 34)], "外部アプリ"};
  }
  for (const MacroCommand& command : kCommands) {
    if (command.item == item) return command;
  }
  return std::nullopt;
}

std::optional<int> MacroItemNumber(std::string_view item) {
  try {
    const double value = ReadNumber(item);
    if (!(std::fabs(value) < 1e9)) return std::nullopt;
    return ToInteger(value);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::vector<MacroStep> ReadMacroFile(std::string_view text, const MacroReporter& report) {
  std::vector<MacroStep> steps;
  LineReader reader(text, true);
  std::string_view line;
  for (int number = 1; reader.Next(line) && steps.size() < EditModule::kMacroCapacity; ++number) {
    if (line.empty()) continue;
    auto fields = Fields(line);
    if (!fields) {
      report(number, "二つの \"...\" 欄でない行です");
      continue;
    }
    if (fields->first != kEditMenu && fields->first != kGraphicMenu) {
      report(number, "知らない種類です: " + fields->first);
      continue;
    }
    if (fields->first == kEditMenu) {
      const auto item = MacroItemNumber(fields->second);
      if (!item) {
        report(number, "番号でない項目です: " + fields->second);
        continue;
      }
      if (!MacroCommandOf(*item) && *item != 23 && *item != 90 && *item != 91) {
        report(number, "知らない番号です: " + fields->second);
        continue;
      }
    }
    steps.push_back(MacroStep{std::move(fields->first), std::move(fields->second)});
  }
  return steps;
}

std::string MacroFileText(const std::vector<MacroStep>& steps) {
  std::string text;
  for (const MacroStep& step : steps) text += "\"" + step.kind + "\",\"" + step.item + "\"\r\n";
  return text;
}

}  // namespace kovrel
