// The wire-cut menu items of the editor: the conversion and wire to
// milling through the hand-off, and the custom-macro wire program shown in
// the graphic view while the document keeps its text.
#include <QApplication>
#include <QTest>

#include <filesystem>

#include "core/file_io.h"
#include "ui/graphic/graphic_view.h"
#include "ui_harness.h"

namespace kovrel {

class WireCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void WireCutDataIsConvertedAndRecorded() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G92X5.Y5.\nG01X6.Y5.\n");
    h.module.MacroCount = 0;
    h.Item("MnuWirFmt")->trigger();
    QCOMPARE(h.Text(), std::string("D10\r\nG00X0Y0\r\nG01X1.0Y0.0\r\nM30\r\n"));
    QCOMPARE(h.module.MacroSteps[0].kind, std::string("Edit.Menu"));
    QCOMPARE(h.module.MacroSteps[0].item, std::string("18"));
    QVERIFY(!FileExists(h.home / "BAK.DAT") && !FileExists(h.home / "BAK1.DAT"));
    QVERIFY(h.prompter.messages.empty());

    h.frm->editor()->LoadText("H251=5\r\n");
    h.Item("MnuWirFmt")->trigger();
    QCOMPARE(h.prompter.messages.back().text, QString("エラー番号 : 9\nインデックスが有効範囲にありません: H251"));
    QCOMPARE(h.prompter.messages.back().icon, Icon::kExclamation);
    QCOMPARE(h.Text(), std::string("H251=5\r\n"));
  }

  void WireToMillingRecordsNoStep() {
    Harness h;
    h.Start();
    QVERIFY(!h.Item("MnuWcMc")->isVisible());
    h.frm->editor()->LoadText("G41G01X10.Y0M60\r\n");
    h.module.MacroCount = 0;
    h.Item("MnuWcMc")->trigger();
    QVERIFY(h.Text().starts_with("#1=5.(KAKOU-FUKASA)\r\n"));
    QVERIFY(h.Text().ends_with("O1\r\n(DRL-XY)\r\nX10.Y0\r\nM99\r\nO2\r\n(ENDMILE-XY)\r\nG00Z3.\r\nG01Z-#26F50.\r\nM99\r\n"));
    QCOMPARE(h.module.MacroCount, std::int16_t{0});
  }

  void FanucWireShowsTheExpandedProgramInTheView() {
    Harness h;
    h.Start();
    QVERIFY(!h.Item("MnuFUNACfmt")->isVisible());
    std::filesystem::create_directory(h.home / "SUB");
    WriteFileBytes(h.home / "SUB/O100", "G01X#1Y0\nG01X#1Y#1\n");
    const std::string program = "#1=10.\r\nG00X0Y0\r\nM98P100\r\nM30\r\n";
    h.frm->editor()->LoadText(program);
    h.module.MacroCount = 0;
    h.Item("MnuFUNACfmt")->trigger();
    auto* view = qobject_cast<MdiKovrel*>(h.frm->GraphicWindow());
    QVERIFY(view != nullptr);
    QVERIFY(view->isVisible());
    QVERIFY(!h.frm->isVisible());
    // G40 (a layer), G00X0Y0, G00X0.0Y0.0, G01X10.0Y0.0, G01X10.0Y10.0.
    QCOMPARE(view->figure().LastElem(), 4);
    QCOMPARE(view->figure().FigElems[4].x, 10.0f);
    QCOMPARE(view->figure().FigElems[4].y, 10.0f);
    QCOMPARE(view->figure().FigElems[4].g, 1.0f);
    QCOMPARE(h.module.MacroCount, std::int16_t{0});
    QVERIFY(!FileExists(h.home / "BAK.DAT") && !FileExists(h.home / "BAK1.DAT"));
    view->close();
    QApplication::processEvents();
    QVERIFY(h.frm->isVisible());
    QCOMPARE(h.Text(), program);
    QVERIFY(h.prompter.messages.empty());
  }

  void FanucWireTellsWhatStoppedIt() {
    Harness h;
    h.Start();
    const std::pair<std::string, QString> cases[] = {
        {"G01X1.\r\nIF[#1EQ0]GOTO999\r\nG01X2.\r\n", "N999 が見つかりませんでした"},
        {"#1=5.\r\n(NO MOVE)\r\n", "Ｇコードが確認出来ませんでした"},
        {"M98P7\r\n", "O7が登録されていません"},
        {"#1=1./#2\r\n", "エラー番号 : 11\n0 で除算しました"},
    };
    for (const auto& [program, message] : cases) {
      h.frm->editor()->LoadText(program);
      h.Item("MnuFUNACfmt")->trigger();
      QVERIFY(h.frm->GraphicWindow() == nullptr);
      QVERIFY(h.frm->isVisible());
      QCOMPARE(h.Text(), program);
      QCOMPARE(h.prompter.messages.back().text, message);
    }
    QCOMPARE(h.prompter.messages.back().icon, Icon::kExclamation);  // the standard error report
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::WireCommandsTest)
#include "wire_commands_test.moc"
