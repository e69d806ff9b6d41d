// The graphic view opened from the editor: buttons and keys by objectName,
// the modes, the menus, and the return to the editor.
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <cmath>

#include "core/failure.h"
#include "core/file_io.h"
#include "ui/graphic/graphic_view.h"
#include "ui/platform/window_guard.h"
#include "ui_harness.h"

namespace kovrel {

MdiKovrel* OpenView(Harness& h) {
  h.Item("MnuGrph")->trigger();
  return qobject_cast<MdiKovrel*>(h.frm->GraphicWindow());
}

void Press(MdiKovrel* view, int index) {
  QTest::mouseClick(view->findChild<QPushButton*>(QString("Command4(%1)").arg(index)), Qt::LeftButton);
}

class GraphicViewTest : public QObject {
  Q_OBJECT

 private slots:
  void OpensDrawsAndReturnsTheProgramAsItWas() {
    Harness h;
    h.Start();
    // A rapid path through a point clear of a clamp, LF line ends.
    const std::string program = "D10\nG00X0Y0\nG00X5Y5\nG01X100Y0\nG01X100Y50\nG00X0Y0\nM30\nG00X9Y9\n";
    h.frm->editor()->LoadText(program);
    h.module.MacroCount = 0;
    MdiKovrel* view = OpenView(h);
    QVERIFY(view != nullptr);
    QVERIFY(view->isVisible());
    QVERIFY(!h.frm->isVisible());
    QCOMPARE(view->windowTitle(), QString("Kovrel"));
    QCOMPARE(h.module.MacroSteps[0].item, std::string("30"));
    QCOMPARE(view->figure().LastElem(), 7);

    Press(view, 1);  // Home
    QCOMPARE(view->box().ViewLeft, -10.0f);
    QCOMPARE(view->box().ViewRight, 110.0f);
    const float width = view->box().ViewWidth;
    Press(view, 2);  // PgUp
    QCOMPARE(view->box().ViewWidth, width / 2);
    QTest::keyClick(view->picture(), Qt::Key_PageDown);
    QCOMPARE(view->box().ViewWidth, width);
    const float centre = view->box().ViewCenterX;
    Press(view, 7);  // →
    QCOMPARE(view->box().ViewCenterX, centre + 0.3f * width);
    QTest::keyClick(view->picture(), Qt::Key_Left);
    QCOMPARE(view->box().ViewCenterX, centre);
    QTest::keyClick(view->picture(), Qt::Key_Up);
    QTest::keyClick(view->picture(), Qt::Key_8, Qt::KeypadModifier);  // pad 8 is ↑
    QCOMPARE(view->box().ViewCenterY, 25 + 0.6f * view->box().ViewHeight);
    QTest::keyClick(view->picture(), Qt::Key_Home);
    QCOMPARE(view->box().ViewCenterY, 25.0f);

    Press(view, 8);  // Zoom mode: a click zooms in about the point
    QCOMPARE(view->GraphMode(), 708);
    const QPoint at = view->picture()->rect().center();
    const QPointF world = view->picture()->ToWorld(at);
    QTest::mouseClick(view->picture(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(view->box().ViewWidth, width / 2);
    QVERIFY(std::fabs(view->box().ViewCenterX - world.x()) < 1e-3);
    QTest::keyClick(view->picture(), Qt::Key_Escape);
    QCOMPARE(view->GraphMode(), 0);
    Press(view, 9);
    QCOMPARE(view->GraphMode(), 709);
    Press(view, 0);
    QCOMPARE(view->GraphMode(), 0);

    QTest::mouseMove(view->picture(), at);
    QVERIFY(view->findChild<QLabel*>("Label1")->text().startsWith("X"));

    view->MenuItem("MnuXYLine")->trigger();
    view->MenuItem("MnuExit")->trigger();
    QApplication::processEvents();
    QVERIFY(h.frm->isVisible());
    QVERIFY(h.prompter.messages.empty());  // no layer has a width: no question
    QCOMPARE(h.Text(), program);  // looking changed nothing, not even a line end
    QCOMPARE(GetSetting(h.settings, "Kovrel", "PzERo", ""), std::string("True"));
    QVERIFY(ReadFileBytes(h.home / "LAYER.RGB").starts_with(" 0\r\n 16711680\r\n"));
    QCOMPARE(h.module.MacroSteps[h.module.MacroCount - 1].item, std::string("999"));
    QCOMPARE(h.module.MacroSteps[h.module.MacroCount - 1].kind, std::string("Graphic.Menu"));
  }

  void MixedTextIsRefusedAndTheEditorStays() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("(DRILLING)\r\nT1φ0.8\r\nX1Y1\r\n");
    QVERIFY(OpenView(h) == nullptr);
    QCOMPARE(h.prompter.messages.back().text, QString("ドリルコードとGコードが混合している為、表示できません"));
    QCOMPARE(h.prompter.messages.back().icon, Icon::kNone);
    QVERIFY(h.frm->isVisible());
  }

  void DrillFigureComesBackGroupedByTool() {
    Harness h;
    h.Start();
    WriteFileBytes(h.home / "LAYER.RGB", " 16777215\r\n 255\r\n");
    h.frm->editor()->LoadText("T01φ0.8\r\nT02φ1.25\r\nT02\r\nX1Y1\r\nT01\r\nX2Y2\r\n");
    MdiKovrel* view = OpenView(h);
    QVERIFY(view != nullptr);
    QCOMPARE(view->figure().LayerColor[0], 16777215.0);  // colours from LAYER.RGB
    QCOMPARE(view->figure().LayerColor[1], 255.0);
    QCOMPARE(view->picks().PickCount(), 2);
    h.prompter.color_answers.push_back(QColor(0, 0, 128));
    view->MenuItem("MnuBackColor")->trigger();
    QCOMPARE(view->figure().LayerColor[0], 128.0 * 65536);
    view->close();
    QCOMPARE(h.Text(), std::string("T01φ0.8\r\nT02φ1.25\r\nT02\r\nX1Y1\r\nT01\r\nX2Y2\r\n"));  // only looked at
    QCOMPARE(h.frm->figure().LastHole(), -1);
    QVERIFY(ReadFileBytes(h.home / "LAYER.RGB").starts_with(" 8388608\r\n 255\r\n"));

    // Hole data the edits rewrote stays as they wrote it, line for line.
    view = OpenView(h);
    view->FigureChanged();
    view->close();
    QCOMPARE(h.Text(), std::string("T01φ0.8\r\nT02φ1.25\r\nT02\r\nX1Y1\r\nT01\r\nX2Y2\r\n"));
  }

  void LongSessionsOfZoomAndMouseMovesStayWithinTheLimits() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("(T01 φ10 エンドミル)\r\nG00X0Y0\r\nG02X0Y0I1e30J0\r\nG01X10Y10\r\n");
    MdiKovrel* view = OpenView(h);
    QVERIFY(view != nullptr);  // a diameter in a comment is no drill data
    view->MenuItem("MnuCircleOrLine(1)")->trigger();  // arcs as lines: the huge arc must not hang
    const QPoint at = view->picture()->rect().center();
    for (int k = 0; k < 300; ++k) {
      QTest::keyClick(view->picture(), Qt::Key_PageDown);
      QTest::mouseMove(view->picture(), at + QPoint(k % 7, k % 5));
    }
    QVERIFY(view->box().ViewWidth <= kWidestView);
    QVERIFY(std::isfinite(view->box().ArcStep));
    QVERIFY(view->findChild<QLabel*>("Label1")->text().startsWith("X"));
    for (int k = 0; k < 300; ++k) QTest::keyClick(view->picture(), Qt::Key_PageUp);
    QVERIFY(view->box().ArcStep > 0.001f);
    QVERIFY(h.prompter.messages.empty());
    view->close();
  }

  void AFailureInAHandlerIsReportedNotThrown() {
    ScriptedPrompter prompter;
    Guard(prompter, [] { Fail(FailureKind::kOverflow); });
    Guard(prompter, [] { Fail(FailureKind::kCancel); });  // silent
    Guard(prompter, [] { throw std::runtime_error("odd"); });
    QCOMPARE(prompter.messages.size(), std::size_t{2});
    QCOMPARE(prompter.messages[0].text, QString("エラー番号 : 6\nオーバーフローしました"));
    QCOMPARE(prompter.messages[0].icon, Icon::kExclamation);
    QVERIFY(prompter.messages[1].text.startsWith("エラー番号 : 5\n"));
  }

  void WideLinesAskBeforeTheyReplaceTheText() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("L\r\nG00X0Y0\r\nG01X10Y0\r\n");
    MdiKovrel* view = OpenView(h);
    view->figure().LayerWidth[0] = 2;
    h.prompter.message_answers.push_back(kResultNo);
    view->close();
    QCOMPARE(h.prompter.messages.back().text, QString("線幅設定による描画形状をGコードへ置き換えますか"));
    QCOMPARE(h.Text(), std::string("L\r\nG00X0Y0\r\nG01X10Y0\r\n"));

    view = OpenView(h);
    view->figure().LayerWidth[0] = 2;
    view->close();  // Yes
    QCOMPARE(h.Text(), std::string("L\r\nG00X1.0Y0.0\r\nG02X1.0Y0.0I-1.0J0\r\nG00X11.0Y0.0\r\nG02X11.0Y0.0I-1.0J0\r\n"
                                   "G00X0.0Y-1.0\r\nG01X10.0Y-1.0\r\nG00X0.0Y1.0\r\nG01X10.0Y1.0\r\n"));
  }

  void ALargeFigureDrawsOffTheEventLoopAndKeysStayAnswered() {
    Harness h;
    h.Start();
    std::string program = "D10\r\n";
    for (int n = 0; n < 60000; ++n) program += "G01X" + std::to_string(n % 500) + "Y" + std::to_string(n % 300) + "\r\n";
    h.frm->editor()->LoadText(program);
    MdiKovrel* view = OpenView(h);
    QVERIFY(view->picture()->Drawing());  // the event loop has not shown it yet
    QCOMPARE(view->picture()->cursor().shape(), Qt::BusyCursor);
    const float width = view->box().ViewWidth;
    QTest::keyClick(view->picture(), Qt::Key_PageUp);  // answered at once; the newer drawing wins
    QCOMPARE(view->box().ViewWidth, width / 2);
    view->picture()->WaitForDrawing();
    QVERIFY(!view->picture()->Drawing());
    QCOMPARE(view->picture()->cursor().shape(), Qt::CrossCursor);
    QVERIFY(view->picks().PickCount() > 0);
    QVERIFY(!view->picture()->image().isNull());
    view->close();
  }

  void ReadingLikeAMachineDrawsModalLinesAndIsRemembered() {
    Harness h;
    h.Start();
    const std::string program = "G00X0Y0\r\nG1X10.Y0\r\nY20.\r\nG2X30.Y40.R20.\r\nX40.\r\nT02 M06\r\n";
    h.frm->editor()->LoadText(program);
    MdiKovrel* view = OpenView(h);
    QCOMPARE(view->figure().LastElem(), 5);  // the plain reading: one move, five layer names
    auto* bar = view->findChild<QStatusBar*>();
    QVERIFY(bar != nullptr && bar->currentMessage().contains("機械と同じに読む"));
    view->MenuItem("MnuMachineRead")->trigger();
    QCOMPARE(GetSetting(h.settings, "Grph", "MachineRead", ""), std::string("True"));
    const auto& elements = view->figure().FigElems;
    QCOMPARE(elements.size(), std::size_t{6});  // five moves and the layer T02 M06
    QCOMPARE(elements[2].g, 1.0f);  // "Y20." moves with G1
    QCOMPARE(elements[2].x, 10.0f);
    QCOMPARE(elements[3].g, 2.0f);  // the R arc has its centre
    QVERIFY(std::fabs(std::hypot(elements[3].i, elements[3].j) - 20) < 1e-3);
    QCOMPARE(elements[4].g, 2.0f);  // modal G2 without R or I, J
    QVERIFY(bar->isHidden());
    view->close();
    QCOMPARE(h.Text(), program);  // reading changes nothing
    view = OpenView(h);  // remembered
    QCOMPARE(view->figure().FigElems.size(), std::size_t{6});
    view->close();
  }

  void TheReadOutStaysVisibleInANarrowWindow() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G00X0Y0\r\nG01X10Y0\r\n");
    MdiKovrel* view = OpenView(h);
    view->resize(800, 600);
    QApplication::processEvents();
    auto* label = view->findChild<QLabel*>("Label1");
    QVERIFY(label->isVisible());
    QVERIFY(label->width() >= 180);
    QVERIFY(label->geometry().right() <= label->parentWidget()->width());
    for (int i = 0; i < 10; ++i) {
      QVERIFY(view->findChild<QPushButton*>(QString("Command4(%1)").arg(i))->width() >= 24);
    }
    view->close();
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::GraphicViewTest)
#include "graphic_view_test.moc"
