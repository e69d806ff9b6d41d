// The texts of a format detection: the report lines, the JSON, the line of
// each window and the unit notice.
#include "detect/detect_report.h"

#include <gtest/gtest.h>

namespace kovrel {
namespace {

constexpr const char* kGerber = "G04 a*\nG04 b*\n%FSLAX24Y24*%\n%MOIN*%\nD10*X12300Y0D02*\n";

TEST(DetectReport, OneConclusionALine) {
  const std::vector<std::string> expected = {
      "種類: RS-274X ガーバー（ヘッダー: 3行目 FSLAX24Y24）",
      "単位: インチ（ヘッダー: 4行目 MOIN）",
      "ゼロ省略: 先頭のゼロを省略（ヘッダー: 3行目 FSLAX24Y24）",
      "桁数: 整数 2 桁、小数 4 桁（ヘッダー: 3行目 FSLAX24Y24）",
      "確かさ: ヘッダーの記述",
      "NC_FMT (holes-format): --unit X12300 --inch",
      "GAI_FMT (gerber-to-gcode): --unit 12300 --inch",
      "Ruta_FMT (router-to-gcode): 合う単位がありません",
  };
  EXPECT_EQ(ReportLines(DetectFormat(kGerber)), expected);
  // A guess says what it rests on; an unknown kind ends the report.
  const std::vector<std::string> guessed = {
      "種類: Excellon ドリル（座標だけの行（ドリルデータと推定）: 1行目 X12500Y5000）",
      "単位: ミリ（ヘッダー: 4行目 M71）",
      "ゼロ省略: 先頭のゼロを省略（座標の桁から推定: 1行目 X12500Y5000）",
      "桁数: 整数 3 桁、小数 3 桁（ミリの標準の桁数 3.3: 4行目 M71）",
      "確かさ: 推定（ヘッダーに記述なし）",
      "NC_FMT (holes-format): --unit X1230",
      "GAI_FMT (gerber-to-gcode): --unit 1230",
      "Ruta_FMT (router-to-gcode): --unit 1230",
  };
  EXPECT_EQ(ReportLines(DetectFormat("X12500Y5000\nX25000Y5000\nX37500Y-2500\nM71\n")), guessed);
  EXPECT_EQ(ReportLines(DetectFormat("hello\n")), std::vector<std::string>{"種類: 不明"});
}

TEST(DetectReport, Json) {
  EXPECT_EQ(ReportJson(DetectFormat(kGerber)),
            "{\"kind\":\"gerber-rs274x\",\"kind_name\":\"RS-274X ガーバー\",\"confidence\":\"header\","
            "\"units\":\"inch\",\"zeros\":\"leading\",\"integer_digits\":2,\"decimal_digits\":4,\"inch\":true,"
            "\"options\":{\"NC_FMT\":\"X12300\",\"GAI_FMT\":\"12300\",\"Ruta_FMT\":null},"
            "\"option_evidence\":[{\"line\":3,\"text\":\"FSLAX24Y24\"}],\"conclusions\":{"
            "\"kind\":{\"confidence\":\"header\",\"basis\":\"ヘッダー\",\"evidence\":[{\"line\":3,\"text\":\"FSLAX24Y24\"}]},"
            "\"units\":{\"confidence\":\"header\",\"basis\":\"ヘッダー\",\"evidence\":[{\"line\":4,\"text\":\"MOIN\"}]},"
            "\"zeros\":{\"confidence\":\"header\",\"basis\":\"ヘッダー\",\"evidence\":[{\"line\":3,\"text\":\"FSLAX24Y24\"}]},"
            "\"digits\":{\"confidence\":\"header\",\"basis\":\"ヘッダー\",\"evidence\":[{\"line\":3,\"text\":\"FSLAX24Y24\"}]}}}");
  EXPECT_EQ(ReportJson(DetectFormat("")),
            "{\"kind\":\"unknown\",\"kind_name\":\"不明\",\"confidence\":\"unknown\",\"units\":null,\"zeros\":null,"
            "\"integer_digits\":null,\"decimal_digits\":null,\"inch\":false,"
            "\"options\":{\"NC_FMT\":null,\"GAI_FMT\":null,\"Ruta_FMT\":null},\"option_evidence\":[],\"conclusions\":{"
            "\"kind\":{\"confidence\":\"unknown\",\"basis\":\"\",\"evidence\":[]},"
            "\"units\":{\"confidence\":\"unknown\",\"basis\":\"\",\"evidence\":[]},"
            "\"zeros\":{\"confidence\":\"unknown\",\"basis\":\"\",\"evidence\":[]},"
            "\"digits\":{\"confidence\":\"unknown\",\"basis\":\"\",\"evidence\":[]}}}");
  // Quotes, backslashes and control characters of the file are escaped.
  const std::string json = ReportJson(DetectFormat("M48\n;FILE_FORMAT=2:4\t\"x\\y\"\nINCH,LZ\n"));
  EXPECT_NE(json.find("{\"line\":2,\"text\":\";FILE_FORMAT=2:4\\u0009\\\"x\\\\y\\\"\"}"), std::string::npos) << json;
}

TEST(DetectReport, WindowLines) {
  const FormatDetection gerber = DetectFormat(kGerber);
  EXPECT_EQ(WindowLine(gerber, FormatWindowKind::kNcFmt), "検出: 3行目 FSLAX24Y24, 4行目 MOIN → X12300");
  EXPECT_EQ(WindowLine(gerber, FormatWindowKind::kGaiFmt), "検出: 3行目 FSLAX24Y24, 4行目 MOIN → 12300");
  EXPECT_EQ(WindowLine(gerber, FormatWindowKind::kRutaFmt),
            "検出: 3行目 FSLAX24Y24, 4行目 MOIN → この画面に合う単位はありません");
  // A unit the header does not state is not shown as found there.
  EXPECT_EQ(WindowLine(DetectFormat("%FSLAX13Y13*%\n%ADD10C,0.004*%\n"), FormatWindowKind::kGaiFmt),
            "検出: 1行目 FSLAX13Y13 → 1230");
  EXPECT_EQ(WindowLine(DetectFormat("X12500Y5000\nX25000Y5000\nX37500Y-2500\nM71\n"), FormatWindowKind::kNcFmt),
            "検出: ヘッダーに数値の書式の記述がありません（座標からの推定: X1230）");
  EXPECT_EQ(WindowLine(DetectFormat("hello\n"), FormatWindowKind::kNcFmt), "検出: ヘッダーに数値の書式の記述がありません");
}

TEST(DetectReport, UnitNotice) {
  EXPECT_EQ(UnitNotice(DetectFormat(kGerber)), "インチのデータです（ヘッダー: 4行目 MOIN）");
  EXPECT_EQ(UnitNotice(DetectFormat("M48\nMETRIC,TZ\n")), "ミリのデータです（ヘッダー: 2行目 METRIC,TZ）");
  EXPECT_EQ(UnitNotice(DetectFormat("%FSLAX13Y13*%\n")), "インチのデータです（単位の記述がなく、ガーバーの既定のインチと推定）");
  EXPECT_EQ(UnitNotice(DetectFormat("hello\n")), "");
}

}  // namespace
}  // namespace kovrel
