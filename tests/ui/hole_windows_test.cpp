// The hole data windows NC_FMT and HolOutExlFrm and the G-code command,
// driven by objectName through their menu items.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "core/cp932.h"
#include "ui/dialogs/hole_windows.h"
#include "ui_harness.h"

namespace kovrel {


class HoleWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void FormatWindowStartsFromItsDefaultsAndFollowsTheEnablingRules() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("X100Y200\r\n");
    bool checked = false;
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("ＮＣフォーマット"));
      QVERIFY(Control<QRadioButton>(w, "Option1(1)")->isChecked());
      QCOMPARE(Control<QRadioButton>(w, "Option1(4)")->text(), QString("X00123"));
      QVERIFY(Control<QRadioButton>(w, "Option2(0)")->isChecked());
      QVERIFY(Control<QRadioButton>(w, "Option3(0)")->isChecked());
      QVERIFY(Control<QRadioButton>(w, "Option4(1)")->isChecked());
      QVERIFY(Control<QRadioButton>(w, "Option5(0)")->isChecked());
      QCOMPARE(Control<QLineEdit>(w, "Text1")->text(), QString("D03"));
      QCOMPARE(Control<QLineEdit>(w, "Text3(0)")->text(), QString("G81"));
      QCOMPARE(Control<QLineEdit>(w, "Text3(1)")->text(), QString("G80"));
      QVERIFY(!Enabled(w, "Text1") && !Enabled(w, "Text3(0)") && !Enabled(w, "Text3(1)") && Enabled(w, "Text2"));

      Click(w, "Option3(1)");  // D03: the D codes number the tools
      QVERIFY(Enabled(w, "Text1") && !Enabled(w, "Text3(0)"));
      QVERIFY(!Enabled(w, "Option4(0)") && !Enabled(w, "Option4(1)") && !Enabled(w, "Text2"));
      Control<QLineEdit>(w, "Text1")->setText("M15");
      QVERIFY(Enabled(w, "Option4(0)") && Enabled(w, "Text2"));
      Click(w, "Option3(2)");
      QVERIFY(!Enabled(w, "Text1") && Enabled(w, "Text3(0)") && Enabled(w, "Text3(1)") && Enabled(w, "Text2"));
      Click(w, "Option4(0)");
      QVERIFY(!Enabled(w, "Text2"));
      Click(w, "Option4(1)");
      QVERIFY(Enabled(w, "Text2"));
      Click(w, "Command2");
      checked = true;
    });
    h.Item("MnuHolFmt")->trigger();
    QVERIFY(checked);
    QCOMPARE(h.Text(), std::string("X100Y200\r\n"));  // cancelled: unchanged
    QVERIFY(h.prompter.messages.empty());
  }

  void FormatWindowRunsTheConversion() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText(
        DecodeCp932(ReadFileBytes(std::string(KOVREL_TEST_DATA_DIR) + "/drill/cad-a-metric-tz.drl")));
    h.module.MacroCount = 0;
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      Click(w, "Option1(2)");  // X1230
      Click(w, "Option4(0)");
      Click(w, "Command1");
    });
    h.Item("MnuHolFmt")->trigger();
    QCOMPARE(h.Text(), std::string("T01φ1.000\r\nT02φ1.000\r\nT03φ1.000\r\nT01\r\nX12.5 Y5.0\r\nX25.0 Y5.0\r\n"
                                   "X37.5 Y-2.5\r\nT02\r\nX50.0 Y40.0\r\nX62.0 Y40.0\r\nT03\r\n"));
    QCOMPARE(h.module.MacroSteps[0].item, std::string("16"));
    QVERIFY(!FileExists(h.home / "BAK.DAT"));
    QVERIFY(h.prompter.messages.empty());
  }

  void FormatWindowOpensWithTheUnitTheHeaderStates() {
    // Inch drill data, leading zeros written: X0123 and the inch box, with
    // the lines they come from; the run converts to millimetres.
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("M48\r\n;FILE_FORMAT=2:4\r\nINCH,LZ\r\nT1C0.028\r\n%\r\nX0125Y005\r\nX01505Y0203\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(6)")->isChecked());
      QCOMPARE(Control<QRadioButton>(w, "Option1(6)")->text(), QString("X0123"));
      QCOMPARE(Control<QLabel>(w, "Label2")->text(), QString("検出: 2行目 ;FILE_FORMAT=2:4, 3行目 INCH,LZ → X0123"));
      QVERIFY(Control<QCheckBox>(w, "Check1")->isChecked());
      QVERIFY(!Control<QLabel>(w, "Label3")->isHidden());
      QVERIFY(Control<QLabel>(w, "Label3")->text().startsWith("インチのデータです（ヘッダー: 3行目 INCH,LZ）"));
      Click(w, "Option4(0)");
      Click(w, "Command1");
    });
    h.Item("MnuHolFmt")->trigger();
    QCOMPARE(h.Text(), std::string("T01φ1.000\r\nT01\r\nX31.75 Y12.7\r\nX38.227 Y51.562\r\n"));

    // The user can always choose otherwise: another unit, no inch.
    h.frm->editor()->LoadText("M48\r\nINCH,TZ\r\n%\r\nX12500Y5000\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(3)")->isChecked());  // X12300
      Click(w, "Option1(2)");
      Control<QCheckBox>(w, "Check1")->click();
      Click(w, "Option4(0)");
      Click(w, "Command1");
    });
    h.Item("MnuHolFmt")->trigger();
    QCOMPARE(h.Text(), std::string("T01φ1.000\r\nT01\r\nX12.5 Y5.0\r\n"));
  }

  void FormatWindowWithoutAHeaderKeepsItsDefaults() {
    // Inch tool sizes and bare coordinates: a guess, so the defaults stay,
    // the line says nothing was found, the box is not ticked but the
    // warning shows.
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("%\r\nT1C0.028\r\nX002250Y002300\r\nX002400Y003850\r\nX003100Y004100\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(1)")->isChecked());
      QCOMPARE(Control<QLabel>(w, "Label2")->text(),
               QString("検出: ヘッダーに数値の書式の記述がありません（座標からの推定: X12300）"));
      QVERIFY(!Control<QCheckBox>(w, "Check1")->isChecked());
      QVERIFY(Control<QLabel>(w, "Label3")->text().startsWith("インチのデータです（工具径から推定"));
      Click(w, "Command2");
    });
    h.Item("MnuHolFmt")->trigger();
    // Millimetre data shows no warning.
    h.frm->editor()->LoadText("X100Y200\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QCOMPARE(Control<QLabel>(w, "Label2")->text(), QString("検出: ヘッダーに数値の書式の記述がありません"));
      QVERIFY(Control<QLabel>(w, "Label3")->isHidden());
      Click(w, "Command2");
    });
    h.Item("MnuHolFmt")->trigger();
    QVERIFY(h.prompter.dialog_scripts.empty());
  }

  void FormatWindowWaitsForAnEmptyDesignatedText() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("T1\r\nX1Y1\r\n");
    bool still_open = false;
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      Control<QLineEdit>(w, "Text2")->clear();
      Click(w, "Command1");
      still_open = w.isVisible() && Enabled(w, "Command1");
      Control<QLineEdit>(w, "Text2")->setText("T");
      Click(w, "Command1");
    });
    h.Item("MnuHolFmt")->trigger();
    QVERIFY(still_open);
    QCOMPARE(h.Text(), std::string("T1φ1.000\r\nT1\r\nX0.01 Y0.01\r\n"));
  }

  void HoleDataToGcodeCommand() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("T01φ2.000\r\nT01\r\nX10.0 Y5.0\r\n");
    h.Item("MnuHolGcode")->trigger();
    QCOMPARE(h.Text(), std::string("D901\r\nG00X11.0Y5.0\r\nG02X11.0Y5I-1.0J0.0\r\n"));
    h.frm->editor()->LoadText("X1.0 Y1.0\r\n");
    h.Item("MnuHolGcode")->trigger();
    QCOMPARE(h.prompter.messages.back().text, QString("変換可能なコマンドが、見つかりませんでした"));
    QCOMPARE(h.Text(), std::string("X1.0 Y1.0\r\n"));
  }

  void SpreadsheetWindowPreviewsAndExports() {
    Harness h;
    h.Start();
    const std::string data = "T01φ1.000\r\nT01\r\nX12.5 Y3.0\r\n";
    h.frm->editor()->LoadText(data);
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("穴データをエクセルへ"));
      auto* grid = Control<QTableWidget>(w, "MSFlexGrid1");
      const auto cell = [grid](int row, int column) {
        return grid->item(row, column) ? grid->item(row, column)->text() : QString();
      };
      QCOMPARE(cell(0, 1), QString("A"));
      QCOMPARE(cell(4, 0), QString("4"));
      QCOMPARE(cell(1, 2), QString("φ1.0"));
      QCOMPARE(cell(2, 4), QString("123.456"));
      Click(w, "Option1(1)");
      QCOMPARE(cell(2, 3), QString("X123.456"));
      QCOMPARE(cell(2, 5), QString());
      Click(w, "Option1(2)");
      QCOMPARE(cell(2, 3), QString("X123.456Y123.456"));
      Click(w, "Command1(0)");
      QVERIFY(!Control<QGroupBox>(w, "Frame1")->isEnabled());
    });
    h.Item("MnuDlrExcel")->trigger();
    QCOMPARE(h.launcher.opened.size(), std::size_t{1});
    const QString workbook = h.launcher.opened[0];
    QVERIFY(workbook.startsWith(QString::fromStdString(h.module.SysDir)));
    QVERIFY(workbook.endsWith(".xlsx"));
    QVERIFY(ReadFileBytes(workbook.toStdString()).starts_with("PK"));
    QCOMPARE(h.Text(), data);  // the document stays
    QVERIFY(h.prompter.messages.empty());
    QVERIFY(!FileExists(h.home / "BAK.DAT"));

    // Nothing to open it with: the user is told where the workbook is.
    h.launcher.succeed = false;
    h.prompter.dialog_scripts.push_back([](QDialog& w) { Click(w, "Command1(0)"); });
    h.Item("MnuDlrExcel")->trigger();
    QVERIFY(h.prompter.messages.back().text.contains(h.launcher.opened.back()));
  }

  void SpreadsheetFailureIsReported() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("T1000\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) { Click(w, "Command1(0)"); });
    h.Item("MnuDlrExcel")->trigger();
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 9\n"));
    QVERIFY(h.launcher.opened.empty());
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::HoleWindowsTest)
#include "hole_windows_test.moc"
