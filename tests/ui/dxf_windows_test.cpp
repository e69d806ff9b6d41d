// The window DxfOutFrm and the DXF commands MnuHolDxf, MnuNcDxf, MnuDxfNc
// and MnuDxsDlir, driven by objectName through their menu items.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "ui_harness.h"

namespace kovrel {
namespace {

QString Cell(QDialog& w, int row, int column) {
  QTableWidgetItem* item = Control<QTableWidget>(w, "MSFlexGrid1")->item(row, column);
  return item == nullptr ? QString("<none>") : item->text();
}

void ClickCell(QDialog& w, int row, int column) {
  auto* grid = Control<QTableWidget>(w, "MSFlexGrid1");
  const QRect cell = grid->visualRect(grid->model()->index(row, column));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

void Type(QDialog& w, const char* box, Qt::Key key) { QTest::keyClick(Control<QLineEdit>(w, box), key); }

// The colour numbers of group 62 in a written drawing, in order.
std::string Colours(const std::string& dxf) {
  std::string colours;
  for (std::size_t at = dxf.find(" 62\r\n"); at != std::string::npos; at = dxf.find(" 62\r\n", at + 1)) {
    const std::size_t start = dxf.find_first_not_of(' ', at + 5);
    colours += dxf.substr(start, dxf.find_first_of(" \r", start) - start) + ",";
  }
  return colours;
}

}  // namespace

class DxfWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void HolesToDxfWithTheColoursChosenInTheWindow() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("T01φ2.0\r\nT02φ1.0\r\nT01\r\nX10.0 Y5.0\r\nT02\r\nX1 Y2\r\n");
    h.module.MacroCount = 0;
    bool shown = false;
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("DXFの色設定"));
      QCOMPARE(Cell(w, 0, 0), QString("画層名"));
      QCOMPARE(Cell(w, 0, 1), QString("色番号"));
      QCOMPARE(Cell(w, 1, 0), QString("T 1"));
      QCOMPARE(Cell(w, 2, 0), QString("T 2"));
      QCOMPARE(Control<QTableWidget>(w, "MSFlexGrid1")->rowCount(), 3);
      // The defaults: every layer its own colour, the common colour 5.
      QVERIFY(Control<QRadioButton>(w, "Option1(0)")->isChecked());
      QCOMPARE(Control<QRadioButton>(w, "Option1(1)")->text(), QString("同一色"));
      QCOMPARE(Cell(w, 1, 1), QString(" 1"));
      QCOMPARE(Cell(w, 2, 1), QString(" 2"));
      QCOMPARE(Control<QLineEdit>(w, "Text1")->text(), QString("5"));
      QCOMPARE(Control<QLabel>(w, "Label1(1)")->text(), QString("色番号(1～7)"));
      QVERIFY(!Enabled(w, "Text1") && !Enabled(w, "Text2"));
      QCOMPARE(QApplication::overrideCursor(), nullptr);  // no busy pointer while the user chooses

      Click(w, "Option1(1)");  // one colour for all
      QVERIFY(Enabled(w, "Text1"));
      QCOMPARE(Cell(w, 1, 1), QString(" 5"));
      Type(w, "Text1", Qt::Key_3);
      QCOMPARE(Control<QLineEdit>(w, "Text1")->text(), QString("3"));
      QCOMPARE(Cell(w, 2, 1), QString(" 3"));
      ClickCell(w, 2, 1);  // the second layer gets a colour of its own
      QVERIFY(Enabled(w, "Text2"));
      QCOMPARE(Control<QLineEdit>(w, "Text2")->text(), QString("3"));
      Type(w, "Text2", Qt::Key_6);
      QCOMPARE(Cell(w, 2, 1), QString(" 6"));
      QCOMPARE(Cell(w, 1, 1), QString(" 3"));
      Click(w, "Command1(0)");
      shown = true;
    });
    h.Item("MnuHolDxf")->trigger();
    QVERIFY(shown);
    QCOMPARE(h.module.MacroSteps[0].item, std::string("21"));
    // Layer table T 1, T 2, then the circles on T 1 and T 2.
    QCOMPARE(Colours(h.Text()), std::string("3,6,3,6,"));
    QVERIFY(h.Text().find("  0\r\nCIRCLE\r\n  8\r\nT 1\r\n") != std::string::npos);
    QCOMPARE(h.Setting("DxfColor"), std::string("3"));
    QCOMPARE(h.Setting("DxfOption"), std::string("1"));
    QVERIFY(h.prompter.messages.empty());
    QVERIFY(!FileExists(h.home / "BAK.DAT") && !FileExists(h.home / "BAK1.DAT"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void ColourBoxesTakeOnlyOneDigitFromOneToSeven() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("A\r\nG01X1Y1\r\nB\r\nG01X2Y2\r\n");
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      auto* text1 = Control<QLineEdit>(w, "Text1");
      Click(w, "Option1(1)");
      for (const Qt::Key key : {Qt::Key_8, Qt::Key_0, Qt::Key_A, Qt::Key_Backspace, Qt::Key_Minus}) {
        QTest::keyClick(text1, key);
        QCOMPARE(text1->text(), QString("5"));
      }
      Type(w, "Text1", Qt::Key_7);
      QCOMPARE(text1->text(), QString("7"));
      // The common colour fills every cell; a cell emptied after it with
      // Delete writes 7.
      Type(w, "Text1", Qt::Key_2);
      QCOMPARE(Cell(w, 2, 1), QString(" 2"));
      ClickCell(w, 1, 1);
      auto* text2 = Control<QLineEdit>(w, "Text2");
      text2->selectAll();
      QTest::keyClick(text2, Qt::Key_Delete);
      QCOMPARE(Cell(w, 1, 1), QString());
      Click(w, "Command1(0)");
    });
    h.Item("MnuNcDxf")->trigger();
    // Layer table A (emptied: 7) and B (2); the lines on A and B.
    QCOMPARE(Colours(h.Text()), std::string("7,2,7,2,"));
  }

  void GcodeToDxfStartsFromTheSavedChoice() {
    Harness h;
    h.Start();
    SaveSetting(h.settings, "Kovrel", "DxfOption", "1");
    SaveSetting(h.settings, "Kovrel", "DxfColor", "4");
    h.frm->editor()->LoadText("G01X10Y0\r\n%\r\nG02X20Y0I5J0\r\n");
    h.module.MacroCount = 0;
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QVERIFY(Control<QRadioButton>(w, "Option1(1)")->isChecked());
      QCOMPARE(Control<QLineEdit>(w, "Text1")->text(), QString("4"));
      QCOMPARE(Cell(w, 1, 0), QString("%"));
      QCOMPARE(Cell(w, 1, 1), QString(" 4"));
      Click(w, "Option1(0)");
      QVERIFY(!Enabled(w, "Text1"));
      QCOMPARE(Cell(w, 1, 1), QString(" 1"));
      Click(w, "Command1(0)");
    });
    h.Item("MnuNcDxf")->trigger();
    QCOMPARE(h.module.MacroSteps[0].item, std::string("24"));
    // Layer "%" 1; the line before the first label on "10" in colour 7.
    QCOMPARE(Colours(h.Text()), std::string("1,7,1,"));
    QCOMPARE(h.Setting("DxfOption"), std::string("0"));
    QCOMPARE(h.Setting("DxfColor"), std::string("4"));
  }

  void CancelAndTheCloseBoxWriteNothing() {
    Harness h;
    h.Start();
    const std::string program = "G01X10Y0\r\n";
    h.frm->editor()->LoadText(program);
    h.prompter.dialog_scripts.push_back([](QDialog& w) { Click(w, "Command1(1)"); });
    h.Item("MnuNcDxf")->trigger();
    QCOMPARE(h.Text(), program);
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      Click(w, "Option1(1)");
      Type(w, "Text1", Qt::Key_6);
      w.close();
    });
    h.Item("MnuHolDxf")->trigger();  // nothing to convert: no window
    QCOMPARE(h.prompter.messages.back().text, QString("変換可能なコマンドが、見つかりませんでした"));
    QCOMPARE(h.prompter.dialogs.size(), std::size_t{1});
    h.prompter.messages.clear();
    h.Item("MnuNcDxf")->trigger();
    QCOMPARE(h.Text(), program);
    QVERIFY(h.prompter.messages.empty());
    QCOMPARE(h.Setting("DxfColor"), std::string("6"));
    QVERIFY(!FileExists(h.home / "BAK.DAT") && !FileExists(h.home / "BAK1.DAT"));
  }

  void DxfToGcodeAndToHoles() {
    Harness h;
    h.Start();
    // LF line ends, as most drawings have them.
    const std::string dxf =
        "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\nH\n10\n10\n20\n10\n40\n5\n0\nLINE\n8\nH\n10\n15\n20\n10\n11\n20\n21\n10\n"
        "0\nENDSEC\n0\nEOF\n";
    h.frm->editor()->LoadText(dxf);
    h.module.MacroCount = 0;
    h.Item("MnuDxfNc")->trigger();
    QCOMPARE(h.Text(), std::string("H\r\nG00X15.0Y10.0\r\nG02X15.0Y10.0I-5.0J0.0\r\nG01X20.0Y10.0\r\n"));
    h.frm->editor()->LoadText(dxf);
    h.Item("MnuDxsDlir")->trigger();
    QCOMPARE(h.Text(), std::string("T01φ10.0\r\nT01\r\nX10.0Y10.0\r\n"));
    QCOMPARE(h.module.MacroSteps[0].item, std::string("27"));
    QCOMPARE(h.module.MacroSteps[1].item, std::string("28"));
    QVERIFY(h.prompter.messages.empty());
    QVERIFY(!FileExists(h.home / "BAK.DAT") && !FileExists(h.home / "BAK1.DAT"));
  }

  void DrawingCutShortKeepsTheDocument() {
    Harness h;
    h.Start();
    const std::string cut = "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nA\n10\n1\n20\n";
    h.frm->editor()->LoadText(cut);
    h.Item("MnuDxfNc")->trigger();
    QCOMPARE(h.Text(), cut);
    QCOMPARE(h.prompter.messages.back().text, QString("エラー番号 : 62\nファイルの終わりを越えて入力しようとしました。"));
    h.Item("MnuDxsDlir")->trigger();
    QCOMPARE(h.Text(), cut);
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 62\n"));
    // A drawing with only an insert has nothing to trace.
    const std::string inserts = "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nB\n0\nENDSEC\n0\nEOF\n";
    h.frm->editor()->LoadText(inserts);
    h.Item("MnuDxfNc")->trigger();
    QCOMPARE(h.Text(), inserts);
    QCOMPARE(h.prompter.messages.back().text, QString("変換可能なコマンドが、見つかりませんでした"));
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::DxfWindowsTest)
#include "dxf_windows_test.moc"
