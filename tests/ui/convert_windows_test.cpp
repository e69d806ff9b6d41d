// The conversion windows GB_FMT, GAI_FMT and Ruta_FMT and the HP-GL
// commands, driven by objectName through their menu items.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "convert/gcode_sort.h"
#include "ui_harness.h"

namespace kovrel {


class ConvertWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void GcodeToGerberWindow() {
    Harness h;
    h.Start();
    SaveSetting(h.settings, "Nc", "FmtLeft", "1500");
    SaveSetting(h.settings, "Nc", "FmtTop", "3000");
    h.frm->editor()->LoadText("T1\r\nG00X1.5Y2\r\nG01X10Y2\r\nT1\r\nM30\r\n");
    h.module.MacroCount = 0;
    h.module.IconCount = 5;
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("Ｇコードをガーバー形式へ変換"));
      QCOMPARE(w.pos(), QPoint(100, 200));
      QVERIFY(Control<QRadioButton>(w, "Option1(2)")->isChecked());
      QCOMPARE(Control<QRadioButton>(w, "Option1(2)")->text(), QString("1235   (1/1000)"));
      QVERIFY(Control<QRadioButton>(w, "Option5(2)")->isChecked());
      QCOMPARE(Control<QGroupBox>(w, "Frame6")->title(), QString("改行ｺｰﾄﾞ"));
      Click(w, "Option5(3)");  // CrLf
      w.move(30, 45);
      Click(w, "Command3");
    });
    h.Item("MnuNcGbr")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG01X1500Y2000D02\r\nG01X10000Y2000D01\r\nD10\r\nD11\r\nM30\r\n\r\n"));
    QCOMPARE(h.module.IconCount, 1);  // 5 wraps to 1
    QCOMPARE(h.module.MacroSteps[0].item, std::string("25"));
    QCOMPARE(GetSetting(h.settings, "Nc", "FmtLeft", ""), std::string("450"));
    QCOMPARE(GetSetting(h.settings, "Nc", "FmtTop", ""), std::string("675"));
  }

  void GcodeToGerberLineEndOptions() {
    // Each terminator option writes its own bytes (Cr and Lf must not swap).
    const struct {
      const char* option;
      const char* end;
    } cases[] = {{"Option5(0)", "\r"}, {"Option5(1)", "\n"}, {"Option5(2)", "*"}};
    for (const auto& c : cases) {
      Harness h;
      h.Start();
      h.frm->editor()->LoadText("G00X1Y2\r\n");
      const char* option = c.option;
      h.prompter.dialog_scripts.push_back([option](QDialog& w) {
        Click(w, option);
        Click(w, "Option1(0)");  // millimetres
        Click(w, "Command3");
      });
      h.Item("MnuNcGbr")->trigger();
      const std::string end = c.end;
      QCOMPARE(h.Text(), "G01X1.0Y2.0D02" + end + "M30" + end + "\r\n");
    }
  }

  void GcodeToGerberNeedsARapidMove() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G01X1Y1\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) { Click(w, "Command3"); });
    h.Item("MnuNcGbr")->trigger();
    QCOMPARE(h.prompter.messages.back().text, QString("変換可能なコマンドが、見つかりませんでした"));
    QCOMPARE(h.Text(), std::string("G01X1Y1\r\n"));
  }

  void GerberFormatWindow() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G01*X0Y0D02*D11*X1000Y0D01*X1000Y1000D01*M02*");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString(" ガーバーフォーマット"));
      QVERIFY(Control<QRadioButton>(w, "Option2(0)")->isChecked());
      QVERIFY(Control<QRadioButton>(w, "Option1(2)")->isChecked());
      QCOMPARE(Control<QRadioButton>(w, "Option1(6)")->text(), QString("123000"));
      Click(w, "Command1");
    });
    h.Item("MnuGbrFmt")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG00X0.0Y0.0\r\nD11\r\nG00X0.0Y0.0\r\nG01X1.0Y0.0\r\nG01X1.0Y1.0\r\n"));
    QCOMPARE(h.module.IconCount, 2);

    // A radius shorter than half the chord: the report, the text stays.
    h.frm->editor()->LoadText("D10*X0Y0D02*G02X3000Y0R1000D01*");
    h.prompter.dialog_scripts.push_back([](QDialog& w) { Click(w, "Command1"); });
    h.Item("MnuGbrFmt")->trigger();
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 380\n"));
    QCOMPARE(h.Text(), std::string("D10*X0Y0D02*G02X3000Y0R1000D01*"));
  }

  void RouterFormatWindow() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G00X1Y1\r\nZ-1\r\nG01X2Y1\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString(" ルーターフォーマット"));
      QVERIFY(Control<QRadioButton>(w, "Option1(2)")->isChecked());
      Click(w, "Option1(0)");  // 1.23
      Click(w, "Command3");
    });
    h.Item("MnuLuter")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG00X1.0Y1.0\r\nG01X2.0Y1.0\r\n"));
    // Cancelled: nothing changes.
    h.Item("MnuLuter")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG00X1.0Y1.0\r\nG01X2.0Y1.0\r\n"));
  }

  void GerberAndRouterWindowsOpenWithTheUnitTheHeaderStates() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G04 inch*\r\nG04 board*\r\n%FSLAX24Y24*%\r\n%MOIN*%\r\nD10*\r\nX10000Y5000D02*\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(3)")->isChecked());  // 12300
      QCOMPARE(Control<QLabel>(w, "Label2")->text(), QString("検出: 3行目 FSLAX24Y24, 4行目 MOIN → 12300"));
      QVERIFY(Control<QCheckBox>(w, "Check1")->isChecked());
      QVERIFY(!Control<QLabel>(w, "Label3")->isHidden());
      Click(w, "Command1");
    });
    h.Item("MnuGbrFmt")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG00X0Y0\r\nG00X25.4Y12.7\r\n"));

    // Digits stated, units not: the unit is chosen, the inch box is left
    // to the user, the warning says why.
    h.frm->editor()->LoadText("%FSTAX24Y24*%\r\n%ADD10C,0.004*%\r\nD10*\r\nX01Y005D02*\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(7)")->isChecked());  // X0123
      QCOMPARE(Control<QLabel>(w, "Label2")->text(), QString("検出: 1行目 FSTAX24Y24 → X0123"));
      QVERIFY(!Control<QCheckBox>(w, "Check1")->isChecked());
      QVERIFY(Control<QLabel>(w, "Label3")->text().endsWith("mm に直すには「インチ」にチェックしてください"));
      Click(w, "Command1");
    });
    h.Item("MnuGbrFmt")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG00X0Y0\r\nG00X1.0Y0.5\r\n"));

    // Router data states no digits: the default unit stays.
    h.frm->editor()->LoadText("%\r\nG21\r\nG00X1000Y1000\r\nZ-100\r\nG01X2500Y1000\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(2)")->isChecked());
      QCOMPARE(Control<QLabel>(w, "Label2")->text(),
               QString("検出: ヘッダーに数値の書式の記述がありません（座標からの推定: 1230）"));
      QVERIFY(Control<QLabel>(w, "Label3")->isHidden());
      Click(w, "Command2");
    });
    h.Item("MnuLuter")->trigger();
    // A drill header with two decimals: Ruta_FMT opens with 123.
    h.frm->editor()->LoadText("M48\r\nMETRIC,TZ,000.00\r\n%\r\nG00X150Y25\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(1)")->isChecked());
      QCOMPARE(Control<QLabel>(w, "Label2")->text(), QString("検出: 2行目 METRIC,TZ,000.00 → 123"));
      Click(w, "Command2");
    });
    h.Item("MnuLuter")->trigger();
    QVERIFY(h.prompter.dialog_scripts.empty());
  }

  void HpglCommandsAndTheSilentStop() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G00X10Y5\r\nG01X20Y5\r\nG03X20Y15I0J5\r\n");
    h.Item("MnuGHpgl")->trigger();
    QCOMPARE(h.Text(), std::string("CT,1;SP1;PU;PA400,200;PD;PA800,200;PD;AA800,400,180.0;PU;PA800,600;PU;PA0,0;SP0;\r\n"));
    h.Item("MnuHpgl")->trigger();
    QCOMPARE(h.Text(), std::string("SP1\r\nG00X10.0Y5.0\r\nG01X20.0Y5.0\r\nG03X20.0Y15.0I0.0J5.0\r\nG00X0.0Y0.0\r\nSP0\r\nM30\r\n"));
    h.frm->editor()->LoadText("G01X1Y1\r\nD02\r\n");
    h.Item("MnuGHpgl")->trigger();
    QCOMPARE(h.Text(), std::string("G01X1Y1\r\nD02\r\n"));
    QVERIFY(h.prompter.messages.empty());
    QVERIFY(!FileExists(h.home / "BAK.DAT"));
  }

  void GroupingAndTidying() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("D10\r\nG00X0Y0\r\nD11\r\nG00X5Y5\r\nD10\r\nG01X1Y0\r\n");
    h.Item("MnuGcodeSeiri")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG00X0Y0\r\nG01X1Y0\r\nD11\r\nG00X5Y5\r\n"));
    h.frm->editor()->LoadText("G00X1Y1\r\nG00X2Y2\r\nD11\r\nG01X3Y3\r\nG00X0Y0\r\n");
    h.frm->RunHandOff(std::nullopt, [](std::string_view input) { return ConversionResult(TidyRapidMoves(input)); });
    QCOMPARE(h.Text(), std::string("D11\r\nG00X2Y2\r\nG01X3Y3\r\n"));
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::ConvertWindowsTest)
#include "convert_windows_test.moc"
