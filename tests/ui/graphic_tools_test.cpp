// The tools of the graphic view by objectName: the edit menu and panels,
// the layer and width windows, the coordinate window, the print placement
// with a printed page measured, and the image export.
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <filesystem>

#include "core/file_io.h"
#include "core/settings_store.h"
#include "ui/graphic/graphic_view.h"
#include "ui/platform/text_printing.h"
#include "ui_harness.h"

namespace kovrel {
namespace {

MdiKovrel* OpenView(Harness& h, const std::string& text) {
  h.frm->editor()->LoadText(text);
  h.Item("MnuGrph")->trigger();
  auto* view = qobject_cast<MdiKovrel*>(h.frm->GraphicWindow());
  if (view == nullptr) qFatal("the view did not open");
  return view;
}

template <typename T>
T* Find(QWidget* window, const char* name) {
  T* found = window->findChild<T*>(name);
  if (found == nullptr) qFatal("no control %s", name);
  return found;
}

void Press(QWidget* window, const char* name) { QTest::mouseClick(Find<QPushButton>(window, name), Qt::LeftButton); }

// A left click on the world point (x, y) of the drawing.
void ClickAt(MdiKovrel* view, double x, double y) {
  QTest::mouseClick(view->picture(), Qt::LeftButton, Qt::NoModifier, view->picture()->FromWorld(x, y).toPoint());
}

QString Label(QWidget* window, const char* name) { return Find<QLabel>(window, name)->text(); }

std::string LastStep(const Harness& h) { return h.module.MacroSteps[static_cast<std::size_t>(h.module.MacroCount - 1)].item; }

// The longest run of dark pixels along a row or a column of a grey image.
int LongestRun(const QImage& image, bool rows) {
  const int lines = rows ? image.height() : image.width();
  const int length = rows ? image.width() : image.height();
  int longest = 0;
  for (int a = 0; a < lines; ++a) {
    int run = 0;
    for (int b = 0; b < length; ++b) {
      const int grey = qGray(rows ? image.pixel(b, a) : image.pixel(a, b));
      run = grey < 160 ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

}  // namespace

class GraphicToolsTest : public QObject {
  Q_OBJECT

 private slots:
  void MirrorsAndPanelsRewriteTheDocumentInPlace() {
    Harness h;
    h.Start();
    const std::string program = "%\r\nN10G01X10.Y0Z-2.F100\r\nG02X20.Y10.I10.J0\r\nM30\r\n";
    MdiKovrel* view = OpenView(h, program);
    h.module.MacroCount = 0;
    view->MenuItem("MnuMirr(0)")->trigger();
    QCOMPARE(h.Text(), std::string("%\r\nN10G01X-10.0Y0Z-2.F100\r\nG03X-20.0Y10.I-10.0J0\r\nM30\r\n"));
    QCOMPARE(view->figure().FigElems[2].g, 3.0f);
    QCOMPARE(view->figure().FigElems[2].x, -20.0f);
    QCOMPARE(LastStep(h), std::string("5"));
    view->MenuItem("MnuMirr(0)")->trigger();  // twice: the same numbers, in the mirror's form
    QCOMPARE(h.Text(), std::string("%\r\nN10G01X10.0Y0Z-2.F100\r\nG02X20.0Y10.I10.0J0\r\nM30\r\n"));
    view->MenuItem("MnuMirr(2)")->trigger();
    QCOMPARE(h.Text(), std::string("%\r\nN10G01X0.0Y10.0Z-2.F100\r\nG03X10.0Y20.0I0.0J10.0\r\nM30\r\n"));
    QCOMPARE(LastStep(h), std::string("7"));

    // The scale panel refuses a factor that is no number and changes nothing.
    view->MenuItem("MnuRate")->trigger();
    QCOMPARE(LastStep(h), std::string("9"));
    QVERIFY(Find<QWidget>(view, "Picture3(4)")->isVisible());
    const std::string before = h.Text();
    Find<QLineEdit>(view, "XText(1)")->setText("");
    Press(view, "Command2");
    QCOMPARE(h.prompter.messages.back().text, QString("倍率を数値で入力してください"));
    QCOMPARE(h.Text(), before);
    QVERIFY(Find<QWidget>(view, "Picture3(4)")->isVisible());
    Find<QLineEdit>(view, "XText(1)")->setText("２");  // full-width digits read as digits
    Press(view, "Command2");
    QCOMPARE(h.Text(), std::string("%\r\nN10G01X0.0Y20.0Z-2.F100\r\nG03X20.0Y40.0I0.0J20.0\r\nM30\r\n"));
    QVERIFY(!Find<QWidget>(view, "Picture3(4)")->isVisible());
    view->MenuItem("MnuRate")->trigger();
    Find<QLineEdit>(view, "XText(1)")->setText("0");  // a typed 0 collapses the figure onto the origin
    Press(view, "Command2");
    for (const FigElem& element : view->figure().FigElems) QVERIFY(element.x == 0 && element.y == 0);

    // The move panel shows alone; any Cmdclose hides it and keeps the print
    // settings as they were stored.
    h.settings.Write("Grph", "Psiz", "2");
    view->close();
    view = OpenView(h, program);
    view->MenuItem("MnuRate")->trigger();
    view->MenuItem("MnuMove")->trigger();
    QVERIFY(Find<QWidget>(view, "Picture3(5)")->isVisible());
    QVERIFY(!Find<QWidget>(view, "Picture3(4)")->isVisible());
    Press(view, "Cmdclose(5)");
    QVERIFY(!Find<QWidget>(view, "Picture3(5)")->isVisible());
    QCOMPARE(GetSetting(h.settings, "Grph", "Psiz", ""), std::string("2"));
    view->close();
    QCOMPARE(h.Text(), program);  // nothing was edited this time
  }

  void AHoleFileMovesInPlaceAndComesBackAsTheEditsWroteIt() {
    Harness h;
    h.Start();
    MdiKovrel* view = OpenView(h, "T01φ0.8\r\nT01\r\nX10.Y5.\r\nX10.\r\n");
    view->MenuItem("MnuMove")->trigger();
    Find<QLineEdit>(view, "XText(2)")->setText("1");
    Find<QLineEdit>(view, "YText(2)")->setText("2");
    Press(view, "Command3");
    // The hole without Y stood at Y0: its moved Y is written, so the text
    // keeps the hole where the figure has it.
    QCOMPARE(h.Text(), std::string("T01φ0.8\r\nT01\r\nX11Y7\r\nX11 Y2\r\n"));
    QCOMPARE(view->figure().HolePoints[1].y, 2.0f);
    Find<QLineEdit>(view, "YText(2)")->setText("y");
    Press(view, "Command3");
    QCOMPARE(h.prompter.messages.back().text, QString("移動量を数値で入力してください"));
    view->close();
    QCOMPARE(h.Text(), std::string("T01φ0.8\r\nT01\r\nX11Y7\r\nX11 Y2\r\n"));  // every other word as it was
  }

  void TheLayerWindowSwitchesWidensAndColoursLayers() {
    Harness h;
    h.Start();
    h.settings.Write("Kovrel", "lairwidth", "3000");  // keys are read without regard to case
    h.settings.Write("Kovrel", "GRIDWIDTH0", "1500");
    MdiKovrel* view = OpenView(h, "A\r\nG00X0Y0\r\nG01X10Y0\r\nB\r\nG01X10Y10\r\n");
    h.module.MacroCount = 0;
    view->figure().LayerVisible[1] = 0;
    view->MenuItem("MnuLaiyr")->trigger();
    QCOMPARE(LastStep(h), std::string("15"));
    auto* grid = Find<QTableWidget>(view, "MSFlexGrid1");
    QCOMPARE(grid->columnWidth(0), 100);
    QCOMPARE(grid->item(1, 0)->text(), QString("B"));
    QCOMPARE(grid->item(1, 3)->text(), QString("ON"));
    QCOMPARE(view->figure().LayerVisible[1], kLayerShown);  // opening shows every named layer
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QString("線幅"));

    const int picks = view->picks().PickCount();
    emit grid->cellClicked(1, 3);
    QCOMPARE(grid->item(1, 3)->text(), QString("OFF"));
    QCOMPARE(view->figure().LayerVisible[1], 0);
    QVERIFY(view->picks().PickCount() < picks);  // redrawn without the layer
    emit grid->horizontalHeader()->sectionClicked(3);  // every row toggles
    QCOMPARE(grid->item(0, 3)->text(), QString("OFF"));
    QCOMPARE(grid->item(1, 3)->text(), QString("ON"));

    h.prompter.dialog_scripts.push_back([](QDialog& dialog) {
      QCOMPARE(dialog.windowTitle(), QString("入力ボックス"));
      QCOMPARE(Control<QLineEdit>(dialog, "Text1")->text(), QString("0.000"));
      Control<QLineEdit>(dialog, "Text1")->setText("-0.4");
      QTest::keyClick(Control<QLineEdit>(dialog, "Text1"), Qt::Key_Return);
    });
    emit grid->cellClicked(0, 1);
    QCOMPARE(view->figure().LayerWidth[0], 0.4f);
    QCOMPARE(grid->item(0, 1)->text(), QString("0.400"));
    QCOMPARE(grid->item(0, 1)->foreground().color(), QColor(Qt::red));
    QCOMPARE(h.module.LineBuf, std::string("-0.4"));
    h.prompter.color_answers.push_back(QColor(0, 0, 0));
    emit grid->cellClicked(1, 2);
    QCOMPARE(view->figure().LayerColor[2], 1.0);  // black is stored as 1
    h.prompter.color_answers.push_back(std::nullopt);
    emit grid->cellClicked(0, 2);  // cancelled: nothing changes
    QCOMPARE(view->figure().LayerColor[1], kDefaultLayerColor);

    // 保存: a name with a path is refused, a plain name is written to apt/.
    h.prompter.dialog_scripts.push_back([&h](QDialog& dialog) {
      QCOMPARE(dialog.objectName(), QString("AptFrm"));
      auto* table = Control<QTableWidget>(dialog, "MSFlexGrid1");
      QCOMPARE(table->item(0, 0)->text(), QString("A"));
      QCOMPARE(table->item(0, 1)->text(), QString("0.400"));
      QVERIFY(!Enabled(dialog, "Command2"));
      Control<QLineEdit>(dialog, "Text1")->setText("../escape");
      Click(dialog, "Command2");
      QVERIFY(h.prompter.messages.back().text.startsWith("ファイル名だけを入力してください"));
      QVERIFY(dialog.isVisible());
      Control<QLineEdit>(dialog, "Text1")->setText("mill");
      Click(dialog, "Command2");
    });
    Press(view, "Command1(1)");
    QCOMPARE(h.prompter.messages.back().text, QString("mill を登録しました。"));
    QCOMPARE(ReadFileBytes(h.home / "apt/mill"), std::string("\"A\",\"0.400\",16711680\r\n\"B\",\"0.000\",1\r\n"));
    QVERIFY(!std::filesystem::exists(h.home.path() + "escape"));

    // 読み込み: the widths and colours of the file come back.
    view->figure().LayerWidth[0] = 0;
    view->figure().LayerColor[2] = 255;
    h.prompter.dialog_scripts.push_back([](QDialog& dialog) {
      QCOMPARE(dialog.objectName(), QString("AptLoadFrm"));
      QVERIFY(!Enabled(dialog, "Command1(0)"));
      auto* files = Control<QListWidget>(dialog, "File1");
      files->setCurrentItem(files->findItems("mill", Qt::MatchExactly).front());
      Click(dialog, "Command1(0)");
    });
    Press(view, "Command1(0)");
    QCOMPARE(view->figure().LayerWidth[0], 0.4f);
    QCOMPARE(view->figure().LayerColor[2], 1.0);
    QCOMPARE(grid->item(0, 1)->text(), QString("0.400"));

    view->MenuItem("MnuLaiyr")->trigger();  // unchecked: the window goes and keeps its place
    QVERIFY(view->findChild<QWidget*>("LairFrm") == nullptr);
    QVERIFY(GetNumberSetting(h.settings, "Kovrel", "LairWidth", 0) > 0);
    QCOMPARE(GetNumberSetting(h.settings, "Kovrel", "Gridwidth0", 0), 1500.0);
    h.prompter.message_answers.push_back(kResultNo);  // widths: keep the text
    view->close();
  }

  void TheCoordinateWindowMeasuresTheLastTwoPoints() {
    Harness h;
    h.Start();
    MdiKovrel* view = OpenView(h, "G00X0Y0\r\nG01X10Y0\r\nG01X10Y20\r\nG01X16Y28\r\n");
    h.module.MacroCount = 0;
    view->MenuItem("MnuCheckWindow")->trigger();
    QCOMPARE(LastStep(h), std::string("14"));
    QWidget* check = Find<QWidget>(view, "CheckFrm");
    QCOMPARE(Label(check, "PLabel(4)"), QString("0.000"));
    ClickAt(view, 10.5, 0.5);  // snaps to (10, 0), measured from the origin
    QCOMPARE(Label(check, "XLabel(1)"), QString("10.0000"));
    QCOMPARE(Label(check, "PLabel(4)"), QString("10.0000"));
    ClickAt(view, 10, 19.5);  // straight up: the angle is 90
    QCOMPARE(Label(check, "XLabel(0)"), QString("10.0000"));
    QCOMPARE(Label(check, "YLabel(1)"), QString("20.0000"));
    QCOMPARE(Label(check, "PLabel(5)"), QString("90.000"));
    QCOMPARE(Label(check, "PLabel(1)"), QString("10.0000"));
    QCOMPARE(view->check().markers.size(), std::size_t{2});
    ClickAt(view, 40, -40);  // nothing near: nothing changes
    QCOMPARE(Label(check, "YLabel(1)"), QString("20.0000"));

    Press(check, "Command7(1)");  // the Y counter starts at point 1
    QCOMPARE(Label(check, "YLabel(2)"), QString("0.0000"));
    ClickAt(view, 16, 28);
    QCOMPARE(Label(check, "YLabel(2)"), QString("8.0000"));
    QCOMPARE(Label(check, "XLabel(2)"), QString("16.0000"));
    QCOMPARE(view->check().markers.back().size, 3.0f);

    QTest::keyClick(view->picture(), Qt::Key_PageUp);  // the tolerance and the cross shrink with the zoom
    ClickAt(view, 10, 20);
    QCOMPARE(view->check().markers.back().size, 1.5f);
    QCOMPARE(view->check().markers.front().x, 16.0f);

    view->MenuItem("MnuCheckWindow")->trigger();
    QVERIFY(view->findChild<QWidget*>("CheckFrm") == nullptr);
    QCOMPARE(h.Setting("CheckTop"), std::string("0"));
    view->close();
  }

  void PrintPlacementPrintsToScaleOnThePage() {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) QFAIL("pdftoppm (poppler-utils, see tools/install-deps) is needed to measure the page");
    Harness h;
    h.Start();
    h.settings.Write("Grph", "Dw", "2");  // 3 dots of 600 dpi
    // A line of 100 mm and one of 50 mm, at scale 1.
    MdiKovrel* view = OpenView(h, "G00X0Y0\r\nG01X100Y0\r\nG00X0Y10\r\nG01X0Y60\r\n");
    h.module.MacroCount = 0;
    view->MenuItem("MnuPrint")->trigger();
    QCOMPARE(LastStep(h), std::string("4"));
    QWidget* panel = Find<QWidget>(view, "Picture3(2)");
    QVERIFY(panel->isVisible());
    QVERIFY(!view->MenuItem("MnuFile")->isEnabled());
    QVERIFY(!Find<QPushButton>(view, "Command4(8)")->isEnabled());
    QCOMPARE(view->GraphMode(), 9000);
    QCOMPARE(Find<QComboBox>(panel, "Combo2")->currentIndex(), 2);
    QVERIFY(view->Options().white_paper);

    auto* scale = Find<QLineEdit>(panel, "TxtScale");
    scale->setText("0.05");
    emit scale->editingFinished();
    QCOMPARE(scale->text(), QString("1.000"));

    const QString pdf = QString::fromStdString(h.files / "page.pdf");
    PrintToPdf(view->printer(), pdf);
    const QPoint corner = view->picture()->FromWorld(-5, 65).toPoint();
    QTest::mouseMove(view->picture(), corner + QPoint(9, 9));
    QTest::mouseMove(view->picture(), corner);
    QCOMPARE(view->GraphMode(), 9001);
    QVERIFY(std::fabs(view->PageCorner().x() + 5) < 1);
    QTest::mouseClick(view->picture(), Qt::LeftButton, Qt::NoModifier, corner);
    QVERIFY(h.prompter.messages.empty());
    QVERIFY(!panel->isVisible());
    QCOMPARE(view->GraphMode(), 0);
    QCOMPARE(h.Setting("Dw"), std::string("<missing>"));  // the print settings are in section Grph
    QCOMPARE(GetSetting(h.settings, "Grph", "Dw", ""), std::string("2"));

    // 254 dots an inch: ten pixels a millimetre.
    const QString prefix = QString::fromStdString(h.files / "page");
    QProcess render;
    render.start(pdftoppm, {"-r", "254", "-gray", "-singlefile", pdf, prefix});
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    const QImage page(prefix + ".pgm");
    QVERIFY(!page.isNull());
    const int along_rows = LongestRun(page, true), along_columns = LongestRun(page, false);
    const int longest = std::max(along_rows, along_columns), shortest = std::min(along_rows, along_columns);
    qInfo("printed lines: %.1f mm and %.1f mm", longest / 10.0, shortest / 10.0);
    QVERIFY2(std::abs(longest - 1000) <= 2, qPrintable(QString("100 mm line: %1 px").arg(longest)));
    QVERIFY2(std::abs(shortest - 500) <= 2, qPrintable(QString("50 mm line: %1 px").arg(shortest)));
    view->close();
  }

  void PaperInkAndAFailedPrint() {
    Harness h;
    h.Start();
    MdiKovrel* view = OpenView(h, "T01φ1\r\nX0Y0\r\n");
    view->MenuItem("MnuPopPrint")->trigger();
    QWidget* panel = Find<QWidget>(view, "Picture3(2)");
    auto* paper = Find<QComboBox>(panel, "Combo3");
    QCOMPARE(paper->itemData(0).toInt(), 13);
    QCOMPARE(paper->itemData(1).toInt(), 12);
    QCOMPARE(view->printer().pageLayout().pageSize().id(), QPageSize::JisB5);
    QCOMPARE(view->printer().pageLayout().orientation(), QPageLayout::Landscape);
    paper->setCurrentIndex(1);
    emit paper->activated(1);
    QCOMPARE(view->printer().pageLayout().pageSize().id(), QPageSize::JisB4);
    Find<QRadioButton>(panel, "Option1(0)")->click();
    QCOMPARE(view->printer().pageLayout().orientation(), QPageLayout::Portrait);
    Find<QRadioButton>(panel, "Option2(1)")->click();
    QVERIFY(view->Options().monochrome);

    PrintToPdf(view->printer(), QString::fromStdString(h.files.path() + "no/such/folder/page.pdf"));
    const QPoint at = view->picture()->rect().center();
    QTest::mouseMove(view->picture(), at + QPoint(9, 9));
    QTest::mouseMove(view->picture(), at);
    QCOMPARE(view->GraphMode(), 9001);
    QTest::mouseClick(view->picture(), Qt::LeftButton, Qt::NoModifier, at);
    QVERIFY(!h.prompter.messages.empty());
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : "));
    QVERIFY(panel->isVisible());  // still placing
    Press(view, "Cmdclose(2)");
    QVERIFY(!panel->isVisible());
    QCOMPARE(GetSetting(h.settings, "Grph", "Psiz", ""), std::string("1"));
    QVERIFY(view->MenuItem("MnuFile")->isEnabled());
    view->close();
  }

  void ImagesAreSavedByTheBitmapRuleOrTheChosenFormat() {
    Harness h;
    h.Start();
    MdiKovrel* view = OpenView(h, "G00X0Y0\r\nG01X10Y5\r\n");
    h.module.MacroCount = 0;
    const std::string folder = h.files.path();
    const auto save = [&](const std::string& name, int filter) {
      h.prompter.save_answers.push_back(QString::fromStdString(folder + name));
      h.prompter.save_filter_answers.push_back(filter);
      view->MenuItem("MnuBmpSave")->trigger();
    };
    save("fig.png", 0);
    QCOMPARE(h.prompter.save_titles.back(), QString("グラフィックをビットマップ形式で保存"));
    QVERIFY(h.prompter.save_filters.back().contains("PNG (*.png)|*.png|SVG (*.svg)|*.svg"));
    QVERIFY(h.prompter.save_filters.back().startsWith("ビットマップ (*.bmp)|*.bmp"));
    QCOMPARE(LastStep(h), std::string("1"));
    QVERIFY(ReadFileBytes(folder + "fig.bmp").starts_with("BM"));
    QVERIFY(!FileExists(folder + "fig.png"));
    save("plain", 0);
    QVERIFY(FileExists(folder + "plain.bmp"));
    save("fig.png", 1);
    QVERIFY(ReadFileBytes(folder + "fig.png").starts_with("\x89PNG"));
    save("vector", 2);
    QVERIFY(ReadFileBytes(folder + "vector.svg").starts_with("<?xml"));
    QVERIFY(ReadFileBytes(folder + "vector.svg").find("<line") != std::string::npos);

    // part.v2.bmp names part.bmp, which exists: asked, and No keeps it.
    WriteFileBytes(folder + "part.bmp", "old");
    h.prompter.message_answers.push_back(kResultNo);
    save("part.v2.bmp", 0);
    QVERIFY(h.prompter.messages.back().text.contains("part.bmp は既にあります"));
    QCOMPARE(ReadFileBytes(folder + "part.bmp"), std::string("old"));
    save("part.v2.bmp", 0);  // Yes
    QVERIFY(ReadFileBytes(folder + "part.bmp").starts_with("BM"));

    // A folder that is not there: the standard error report.
    const std::size_t shown = h.prompter.messages.size();
    save("missing/fig.bmp", 0);
    QCOMPARE(h.prompter.messages.size(), shown + 1);
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 76"));
    h.prompter.save_answers.push_back(std::nullopt);  // cancelled: nothing at all
    view->MenuItem("MnuBmpSave")->trigger();
    QCOMPARE(h.prompter.messages.size(), shown + 1);

    QGuiApplication::clipboard()->clear();
    view->MenuItem("MnuClipSave")->trigger();
    QCOMPARE(LastStep(h), std::string("2"));
    QCOMPARE(QGuiApplication::clipboard()->image().size(), view->picture()->size());
    QVERIFY(h.launcher.started.empty());  // no clipboard viewer
    view->close();
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::GraphicToolsTest)
#include "graphic_tools_test.moc"
