// What a user meets around the windows: Japanese standard dialogs and their
// file filters, the font dialog on the editor's font, undo of a command, a
// still caret on a huge line, printing without page numbers of its own, the
// workbook preview and the failed save.
#include <QAbstractButton>
#include <QProcess>
#include <QTableWidget>
#include <QTest>

#include <unistd.h>

#include "core/failure.h"
#include "ui/dialogs/hole_windows.h"
#include "ui/platform/fonts.h"
#include "ui/platform/translation.h"
#include "ui_harness.h"

namespace kovrel {

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void StandardDialogsSpeakJapaneseAndShowEachPatternOnce() {
    QVERIFY(InstallJapaneseTranslation());
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("キャンセル"));
    QCOMPARE(QtNameFilters("全てのﾌｧｲﾙ(*.*)|*.*"), QString("全てのﾌｧｲﾙ(*)"));
    QCOMPARE(QtNameFilters("PDF ファイル(*.pdf)|*.pdf"), QString("PDF ファイル(*.pdf)"));
    QCOMPARE(QtNameFilters("NC|*.nc;*.tap|全て|*.*"), QString("NC(*.nc *.tap);;全て(*)"));
  }

  void FontDialogOpensOnTheEditorsFontAndOkKeepsIt() {
    Harness h;
    h.Start();
    const QFont setting = ToQFont(EditorFont{std::string(kDefaultFontName), 12, true, false});
    const QString drawn_by = QFontInfo(setting).family();
    QFont unchanged(drawn_by);
    unchanged.setPointSizeF(12);
    unchanged.setBold(true);
    h.prompter.font_answers.push_back(unchanged);
    h.Item("MnuFont")->trigger();
    const QFont shown = h.prompter.font_presets.back();
    QCOMPARE(shown.family(), drawn_by);  // a family the dialog lists
    QCOMPARE(shown.pointSizeF(), 12.0);
    QVERIFY(shown.bold());
    QCOMPARE(h.Setting("FontName"), std::string(kDefaultFontName));  // OK without a change keeps it
    QCOMPARE(h.frm->editor()->DocumentFont().family(), QString::fromStdString(std::string(kDefaultFontName)));
  }

  void EveryCommandThatReplacesTheDocumentCanBeUndone() {
    Harness h;
    h.Start();
    const QString path = h.File("a.nc", "T01\r\nX1Y1\r\n");
    h.prompter.open_answers.push_back(path);
    h.Item("MnuLoad")->trigger();
    h.frm->RunHandOff(std::nullopt, [](std::string_view) { return ConversionResult("CONVERTED\r\n"); });
    QCOMPARE(h.Text(), std::string("CONVERTED\r\n"));
    QTest::keyClick(h.frm->editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.Text(), std::string("T01\r\nX1Y1\r\n"));  // one step back
    QTest::keyClick(h.frm->editor(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(h.Text(), std::string("CONVERTED\r\n"));
    h.Item("MnuCrear")->trigger();
    QCOMPARE(h.Text(), std::string());
    h.frm->editor()->undo();
    QCOMPARE(h.Text(), std::string("CONVERTED\r\n"));
    h.frm->editor()->undo();
    h.frm->editor()->undo();
    QCOMPARE(h.Text(), std::string());  // before the load
  }

  void TheCaretStandsStillOnlyOnAHugeLine() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G00X1\r\nG01X2\r\n");
    QVERIFY(h.frm->editor()->CaretBlinks());
    h.frm->editor()->LoadText(std::string(200'000, 'A') + "\r\nB");
    QVERIFY(!h.frm->editor()->CaretBlinks());
    h.frm->editor()->SendScintilla(QsciScintillaBase::SCI_GOTOLINE, 1L);
    QTRY_VERIFY(h.frm->editor()->CaretBlinks());  // the caret moved to the short line
  }

  void PrintingAddsNoPageNumberAndTheGridShowsEveryColumn() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G00X1Y2\r\nG01X3Y4\r\n");
    const std::string pdf = h.files / "text.pdf";
    h.prompter.save_answers.push_back(QString::fromStdString(pdf));
    h.Item("MnuPrint")->trigger();
    QVERIFY(h.prompter.messages.empty());
    QProcess text;
    text.start("pdftotext", {QString::fromStdString(pdf), "-"});
    if (!text.waitForFinished(20000) || text.exitCode() != 0) QSKIP("pdftotext is not installed");
    const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    QCOMPARE(printed, QString("G00X1Y2 G01X3Y4"));
    // A second print asks for its own file instead of writing over the first.
    h.Item("MnuPrint")->trigger();  // cancelled
    QCOMPARE(h.prompter.save_presets.size(), std::size_t{2});

    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      auto* grid = Control<QTableWidget>(w, "MSFlexGrid1");
      int total = 0;
      for (int column = 0; column < grid->columnCount(); ++column) total += grid->columnWidth(column);
      QVERIFY(grid->viewport()->width() >= total);
      w.reject();
    });
    h.frm->editor()->LoadText("T01φ1.0\r\nT01\r\nX1 Y2\r\n");
    h.Item("MnuDlrExcel")->trigger();
  }

  void AFailedSaveNamesTheChosenFile() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("X1\r\n");
    const std::string target = h.files / "missing folder/prog.nc";
    h.prompter.save_answers.push_back(QString::fromStdString(target));
    h.Item("MnuSave")->trigger();
    QCOMPARE(h.prompter.messages.back().text, QString::fromStdString("エラー番号 : 76\nパスが見つかりません: " + target));
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::DesktopTest)
#include "desktop_test.moc"
