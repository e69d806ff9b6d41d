// The texts of a format detection.
#include "detect/detect_report.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "core/append.h"

namespace kovrel {
namespace {

struct WindowNames {
  FormatWindowKind window;
  std::string_view name;     // the window's objectName
  std::string_view command;  // its kovrel-cli command
};

constexpr std::array<WindowNames, 3> kWindows = {{
    {FormatWindowKind::kNcFmt, "NC_FMT", "holes-format"},
    {FormatWindowKind::kGaiFmt, "GAI_FMT", "gerber-to-gcode"},
    {FormatWindowKind::kRutaFmt, "Ruta_FMT", "router-to-gcode"},
}};

template <typename T, std::size_t N>
std::optional<std::string_view> NameIn(const ChoiceTable<T, N>& table, const std::optional<T>& value) {
  if (!value) return std::nullopt;
  return table[static_cast<std::size_t>(ChoiceIndex(table, *value))].name;
}

std::string_view KindKey(DataKind kind) {
  switch (kind) {
    case DataKind::kExcellon: return "excellon";
    case DataKind::kGerberX: return "gerber-rs274x";
    case DataKind::kGerberD: return "gerber-rs274d";
    case DataKind::kRouter: return "router";
    case DataKind::kHpgl: return "hpgl";
    case DataKind::kDxf: return "dxf";
    case DataKind::kGcode: return "gcode";
    case DataKind::kHoleData: return "hole-data";
    case DataKind::kUnknown: break;
  }
  return "unknown";
}

std::string_view ConfidenceKey(Confidence confidence) {
  switch (confidence) {
    case Confidence::kHeader: return "header";
    case Confidence::kGuessed: return "guessed";
    case Confidence::kUnknown: break;
  }
  return "unknown";
}

std::string_view ConfidenceName(Confidence confidence) {
  switch (confidence) {
    case Confidence::kHeader: return "ヘッダーの記述";
    case Confidence::kGuessed: return "推定（ヘッダーに記述なし）";
    case Confidence::kUnknown: break;
  }
  return "不明";
}

std::string_view UnitName(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::kMillimetre: return "ミリ";
    case LengthUnit::kInch: return "インチ";
    case LengthUnit::kUnknown: break;
  }
  return "不明";
}

std::string_view ZerosName(ZeroSuppression zeros) {
  switch (zeros) {
    case ZeroSuppression::kLeading: return "先頭のゼロを省略";
    case ZeroSuppression::kTrailing: return "末尾のゼロを省略";
    case ZeroSuppression::kNone: return "省略なし（全桁）";
    case ZeroSuppression::kDecimalPoint: return "小数点つき";
    case ZeroSuppression::kUnknown: break;
  }
  return "不明";
}

std::string_view ZerosKey(ZeroSuppression zeros) {
  switch (zeros) {
    case ZeroSuppression::kLeading: return "leading";
    case ZeroSuppression::kTrailing: return "trailing";
    case ZeroSuppression::kNone: return "none";
    case ZeroSuppression::kDecimalPoint: return "decimal-point";
    case ZeroSuppression::kUnknown: break;
  }
  return "";
}

// "3行目 FSLAX24Y24"; a line beyond the counted start has no number.
std::string Place(const Evidence& evidence) {
  if (evidence.line == 0) return "後方の行 " + evidence.text;
  return std::to_string(evidence.line) + "行目 " + evidence.text;
}

std::string Places(const std::vector<Evidence>& evidence) {
  std::string text;
  for (const Evidence& e : evidence) {
    if (!text.empty()) text += ", ";
    text += Place(e);
  }
  return text;
}

// "topic: value（basis: 3行目 ...）", or "topic: 不明".
std::string ConclusionLine(std::string_view topic, std::string_view value, const Conclusion& from) {
  std::string line(topic);
  Append(line, ": ", value);
  if (from.confidence == Confidence::kUnknown) return line;
  Append(line, "（", from.basis);
  if (!from.evidence.empty()) Append(line, ": ", Places(from.evidence));
  return line + "）";
}

std::string DigitsText(const NumberFormat& format) {
  if (format.zeros == ZeroSuppression::kDecimalPoint) return "小数点の位置のまま";
  if (format.integer_digits == 0) return "不明";
  return "整数 " + std::to_string(format.integer_digits) + " 桁、小数 " + std::to_string(format.decimal_digits) + " 桁";
}

void JsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

void JsonEvidence(std::string& out, const std::vector<Evidence>& evidence) {
  out += '[';
  for (std::size_t i = 0; i < evidence.size(); ++i) {
    if (i > 0) out += ',';
    Append(out, "{\"line\":", evidence[i].line == 0 ? std::string("null") : std::to_string(evidence[i].line),
           ",\"text\":");
    JsonString(out, evidence[i].text);
    out += '}';
  }
  out += ']';
}

void JsonConclusion(std::string& out, std::string_view key, const Conclusion& from) {
  JsonString(out, key);
  Append(out, ":{\"confidence\":\"", ConfidenceKey(from.confidence), "\",\"basis\":");
  JsonString(out, from.basis);
  out += ",\"evidence\":";
  JsonEvidence(out, from.evidence);
  out += '}';
}

void JsonOptional(std::string& out, const std::optional<std::string_view>& text) {
  if (text) {
    JsonString(out, *text);
  } else {
    out += "null";
  }
}

std::string JsonDigits(int digits) { return digits == 0 ? "null" : std::to_string(digits); }

}  // namespace

std::optional<std::string_view> OptionName(const FormatDetection& found, FormatWindowKind window) {
  switch (window) {
    case FormatWindowKind::kNcFmt: return NameIn(kHoleUnits, found.hole_unit);
    case FormatWindowKind::kGaiFmt: return NameIn(kGerberUnits, found.gerber_unit);
    case FormatWindowKind::kRutaFmt: return NameIn(kRouterUnits, found.router_unit);
  }
  return std::nullopt;
}

std::string_view KindName(DataKind kind) {
  switch (kind) {
    case DataKind::kExcellon: return "Excellon ドリル";
    case DataKind::kGerberX: return "RS-274X ガーバー";
    case DataKind::kGerberD: return "RS-274D ガーバー";
    case DataKind::kRouter: return "ルーター";
    case DataKind::kHpgl: return "HP-GL";
    case DataKind::kDxf: return "DXF";
    case DataKind::kGcode: return "G コード";
    case DataKind::kHoleData: return "穴データ";
    case DataKind::kUnknown: break;
  }
  return "不明";
}

std::vector<std::string> ReportLines(const FormatDetection& found) {
  std::vector<std::string> lines;
  lines.push_back(ConclusionLine("種類", KindName(found.kind), found.kind_from));
  if (found.kind == DataKind::kUnknown) return lines;
  lines.push_back(ConclusionLine("単位", UnitName(found.unit), found.unit_from));
  lines.push_back(ConclusionLine("ゼロ省略", ZerosName(found.format.zeros), found.zeros_from));
  if (found.format.zeros != ZeroSuppression::kDecimalPoint) {
    lines.push_back(ConclusionLine("桁数", DigitsText(found.format), found.digits_from));
  }
  lines.push_back("確かさ: " + std::string(ConfidenceName(found.confidence)));
  for (const WindowNames& window : kWindows) {
    std::string line;
    Append(line, window.name, " (", window.command, "): ");
    if (const auto option = OptionName(found, window.window)) {
      Append(line, "--unit ", *option, found.Inch() ? " --inch" : "");
    } else {
      line += "合う単位がありません";
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string ReportJson(const FormatDetection& found) {
  std::string out = "{\"kind\":";
  JsonString(out, KindKey(found.kind));
  out += ",\"kind_name\":";
  JsonString(out, KindName(found.kind));
  Append(out, ",\"confidence\":\"", ConfidenceKey(found.confidence), "\",\"units\":");
  out += found.unit == LengthUnit::kUnknown ? "null" : found.Inch() ? "\"inch\"" : "\"mm\"";
  out += ",\"zeros\":";
  if (found.format.zeros == ZeroSuppression::kUnknown) {
    out += "null";
  } else {
    JsonString(out, ZerosKey(found.format.zeros));
  }
  Append(out, ",\"integer_digits\":", JsonDigits(found.format.integer_digits),
         ",\"decimal_digits\":", JsonDigits(found.format.decimal_digits), ",\"inch\":",
         found.Inch() ? "true" : "false", ",\"options\":{");
  for (std::size_t i = 0; i < kWindows.size(); ++i) {
    if (i > 0) out += ',';
    JsonString(out, kWindows[i].name);
    out += ':';
    JsonOptional(out, OptionName(found, kWindows[i].window));
  }
  out += "},\"option_evidence\":";
  JsonEvidence(out, found.OptionEvidence());
  out += ",\"conclusions\":{";
  JsonConclusion(out, "kind", found.kind_from);
  out += ',';
  JsonConclusion(out, "units", found.unit_from);
  out += ',';
  JsonConclusion(out, "zeros", found.zeros_from);
  out += ',';
  JsonConclusion(out, "digits", found.digits_from);
  return out + "}}";
}

std::string UnitNotice(const FormatDetection& found) {
  if (found.unit == LengthUnit::kUnknown) return {};
  std::string notice = found.Inch() ? "インチのデータです（" : "ミリのデータです（";
  notice += found.unit_from.basis;
  if (!found.unit_from.evidence.empty()) Append(notice, ": ", Places(found.unit_from.evidence));
  return notice + "）";
}

std::string WindowLine(const FormatDetection& found, FormatWindowKind window) {
  const auto option = OptionName(found, window);
  if (found.confidence != Confidence::kHeader) {
    std::string line = "検出: ヘッダーに数値の書式の記述がありません";
    if (option && found.confidence == Confidence::kGuessed) Append(line, "（座標からの推定: ", *option, "）");
    return line;
  }
  // The statements the option rests on, and the unit statement that ticks
  // the inch box, in the order of the text.
  std::vector<Evidence> evidence = found.OptionEvidence();
  if (found.unit_from.confidence == Confidence::kHeader) {
    for (const Evidence& e : found.unit_from.evidence) {
      const auto same = [&e](const Evidence& other) { return other.line == e.line && other.text == e.text; };
      if (std::none_of(evidence.begin(), evidence.end(), same)) evidence.push_back(e);
    }
    std::stable_sort(evidence.begin(), evidence.end(),
                     [](const Evidence& a, const Evidence& b) { return a.line < b.line; });
  }
  std::string line = "検出: " + Places(evidence) + " → ";
  if (option) return line + std::string(*option);
  return line + "この画面に合う単位はありません";
}

}  // namespace kovrel
