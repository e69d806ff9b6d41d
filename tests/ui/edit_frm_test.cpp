// The editor window, driven by its menu items and controls by objectName,
// with message boxes and file dialogs answered by a script.
#include <QAction>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "core/cp932.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "texttools/control_chars.h"
#include "texttools/replace_all.h"
#include "ui/platform/qt_settings_store.h"
#include "ui_harness.h"

namespace kovrel {

using testing_support::TempFolder;

class EditFrmTest : public QObject {
  Q_OBJECT

 private slots:
  void FirstStartWithNoSettings() {
    Harness h;
    h.Start();
    QCOMPARE(h.frm->windowTitle(), QString("エディタ"));
    QCOMPARE(h.frm->pos(), QPoint(0, 0));
    QCOMPARE(h.frm->size(), QSize(533, 467));  // 8000 x 7000 twips
    const QFont font = h.frm->editor()->DocumentFont();
    QCOMPARE(font.family(), QString("ＭＳ 明朝"));
    QCOMPARE(font.pointSizeF(), 12.0);
    QVERIFY(!font.bold());
    QVERIFY(!font.italic());
    QVERIFY(h.Item("MnuRead")->isVisible());
    QVERIFY(h.Item("MnuRunMacro")->isEnabled());
    QVERIFY(!h.frm->findChild<QMenu*>("MnuMacro")->menuAction()->isVisible());
    QVERIFY(h.Item("MnuApp(0)")->isVisible());
    QCOMPARE(h.Item("MnuApp(0)")->text(), QString("なし"));
    for (int i = 1; i < 10; ++i) QVERIFY(!h.Item(qPrintable(QString("MnuApp(%1)").arg(i)))->isVisible());
    for (int i = 0; i < 5; ++i) QVERIFY(!h.Item(qPrintable(QString("MnuLoadFile(%1)").arg(i)))->isVisible());
    QVERIFY(!h.Item("sep001")->isVisible());
    QCOMPARE(h.frm->GraphicTitle(), QString("Kovrel"));
    QCOMPARE(h.frm->BrowserPath(), QString("xdg-open"));
    QCOMPARE(h.module.MacroCount, -1);
    QCOMPARE(h.Setting("Apldir"), h.module.ProgDir);
    QVERIFY(h.prompter.messages.empty());
  }

  void StartUpFromStoredSettings() {
    Harness h;
    SaveSetting(h.settings, "kovrel", "left", "1500");
    SaveSetting(h.settings, "Kovrel", "Top", "750");
    SaveSetting(h.settings, "Kovrel", "Width", "9000");
    SaveSetting(h.settings, "Kovrel", "Height", "abc");  // unreadable: the default
    SaveSetting(h.settings, "Kovrel", "Help", "false");
    SaveSetting(h.settings, "Kovrel", "FontBold", "TRUE");
    SaveSetting(h.settings, "Kovrel", "Macro", "0");
    SaveSetting(h.settings, "Kovrel", "UsER", "山田");
    SaveSetting(h.settings, "Kovrel", "AppTitle3", "通信ソフト");
    SaveSetting(h.settings, "Kovrel", "File1", "/data/a.nc");
    SaveSetting(h.settings, "Kovrel", "Icon", "4");
    h.Start();
    QCOMPARE(h.frm->pos(), QPoint(100, 50));
    QCOMPARE(h.frm->size(), QSize(600, 467));
    QVERIFY(!h.Item("MnuRead")->isVisible());
    QVERIFY(h.frm->editor()->DocumentFont().bold());
    QVERIFY(!h.Item("MnuRunMacro")->isEnabled());
    QCOMPARE(h.frm->GraphicTitle(), QString("Kovrel【 山田 】"));
    QVERIFY(h.Item("MnuApp(3)")->isVisible());
    QCOMPARE(h.Item("MnuApp(3)")->text(), QString("通信ソフト"));
    QVERIFY(h.Item("sep001")->isVisible());
    QCOMPARE(h.Item("MnuLoadFile(0)")->text(), QString("&1 /data/a.nc"));
    QCOMPARE(h.module.IconCount, 4);
  }

  void EveryMenuItemIsPresentWithItsState() {
    Harness h;
    h.Start();
    const char* present[] = {"MnuFile", "MnuLoad", "MnuTuikaLoad", "MnuSave", "MnuFileSve", "MnuCRsave", "MnuLFsave",
                             "MnuPrintSet", "MnuPrint", "MnuCrear", "MnuEnd", "MnuEdit", "MnuCdHenkan", "MnuCv",
                             "MnuFileIs", "MnuCvED", "MnuKensaku", "MnuHenkan", "MnuSeigyo", "MnuFont",
                             "MnuKeishikiHenkan", "MnuFmt", "MnuHolFmt", "MnuGbrFmt", "MnuWirFmt", "MnuLuter",
                             "MnuAna", "MnuHolGcode", "MnuHolDxf", "MnuDlrExcel", "MnuGcode", "MnuNcDxf", "MnuNcGbr",
                             "MnuGHpgl", "MnuDxf", "MnuDxfNc", "MnuDxsDlir", "MnuHpg", "MnuHpgl", "MnuGrph",
                             "MnuOption", "MnuWWW", "MnuAppSet", "MnuApl", "MnuTavrin", "MnuHlp", "MnuRead",
                             "MnuLinkKovrel", "MnuVer"};
    for (const char* name : present) QVERIFY2(h.Item(name)->isVisible(), name);
    for (const char* name : {"MnuFUNACfmt", "MnuHolVeiw", "MnuGcodeView", "MnuGcodeSeiri", "MnuWcMc"}) {
      QVERIFY2(!h.Item(name)->isVisible(), name);
    }
    QCOMPARE(h.Item("MnuLoad")->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(h.Item("MnuSave")->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(h.Item("MnuPrint")->shortcut(), QKeySequence("Ctrl+P"));
    QCOMPARE(h.Item("MnuKensaku")->shortcut(), QKeySequence("Ctrl+F"));
    QCOMPARE(h.Item("MnuHenkan")->shortcut(), QKeySequence("Ctrl+H"));
    QCOMPARE(h.Item("MnuCRsave")->text(), QString("改行コードを ＣＲ で保存..."));
    QCOMPARE(h.Item("MnuGrph")->text(), QString("グラフィック(&G)"));
    QVERIFY(h.Item("MnuLoad")->isEnabled());
    QVERIFY(!h.Item("MnuHolVeiw")->isEnabled());  // an item without a command
    h.Item("MnuHolVeiw")->setVisible(true);       // (a hidden action cannot run)
    int calls = 0;
    h.frm->WireCommand("MnuHolVeiw", [&] { ++calls; });
    QVERIFY(h.Item("MnuHolVeiw")->isEnabled());
    h.Item("MnuHolVeiw")->trigger();
    QCOMPARE(calls, 1);
  }

  void CommandLineFileWithAndWithoutQuotes() {
    Harness h;
    const QString path = h.File("my prog.nc", "(\x8c\x8a)\r\nX1\r\n");  // (穴)
    h.Start({"\"" + path.toStdString() + "\""});
    QCOMPARE(h.Text(), std::string("(穴)\r\nX1\r\n"));
    QCOMPARE(h.frm->PanelText(1), QString("my prog.nc"));
    QCOMPARE(h.Setting("File1"), path.toStdString());

    Harness unquoted;
    const QString spaced = unquoted.File("a b.nc", "X2");
    const std::string text = spaced.toStdString();
    const std::size_t blank = text.rfind(' ');
    unquoted.Start({text.substr(0, blank), text.substr(blank + 1)});  // split by the shell
    QCOMPARE(unquoted.Text(), std::string("X2"));

    Harness missing;
    missing.Start({"/no/such/file.nc"});
    QCOMPARE(missing.Text(), std::string());
    QCOMPARE(missing.frm->PanelText(1), QString("file.nc"));
    QCOMPARE(missing.Setting("File1"), std::string("/no/such/file.nc"));
    QVERIFY(missing.prompter.messages.empty());
  }

  void RecentListMovesAndDropsEntries() {
    Harness h;
    for (int k = 1; k <= 5; ++k) SaveSetting(h.settings, "Kovrel", "File" + std::to_string(k), "/p/" + std::to_string(k));
    h.Start();
    const QString third = h.File("3", "C");  // a real file, listed as entry 2 below
    SaveSetting(h.settings, "Kovrel", "File3", third.toStdString());
    h.frm->StartUp({});  // read the list again
    h.prompter.open_answers.push_back(third);
    h.Item("MnuLoad")->trigger();
    QCOMPARE(h.Setting("File1"), third.toStdString());
    QCOMPARE(h.Setting("File2"), std::string("/p/1"));
    QCOMPARE(h.Setting("File3"), std::string("/p/2"));
    QCOMPARE(h.Setting("File4"), std::string("/p/4"));
    QCOMPARE(h.Setting("File5"), std::string("/p/5"));

    const QString sixth = h.File("sixth-file-with-a-long-name.nc", "F");
    h.prompter.open_answers.push_back(sixth);
    h.Item("MnuLoad")->trigger();
    QCOMPARE(h.Setting("File1"), sixth.toStdString());
    QCOMPARE(h.Setting("File5"), std::string("/p/4"));  // /p/5 fell off
    const std::string shown = sixth.toStdString().substr(sixth.size() - 30);
    QCOMPARE(h.Item("MnuLoadFile(0)")->text(), QString::fromStdString("&1 " + shown));
    QCOMPARE(h.Item("MnuLoadFile(1)")->text(), "&2 " + third.right(30));

    // A listed file that is gone: a message, the document stays.
    h.Item("MnuLoadFile(2)")->trigger();  // /p/1
    QCOMPARE(h.prompter.messages.back().text, QString("読み込み出来ませんでした。"));
    QCOMPARE(h.Text(), std::string("F"));
    h.Item("MnuLoadFile(1)")->trigger();
    QCOMPARE(h.Text(), std::string("C"));
    QCOMPARE(h.Setting("File1"), third.toStdString());
  }

  void SavesWriteEveryLineWithItsLineEnd() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("A\r\n\r\nB");
    const std::string cr = h.files / "cr.nc", lf = h.files / "lf.nc", crlf = h.files / "crlf.nc";
    h.prompter.save_answers = {QString::fromStdString(cr), QString::fromStdString(lf), QString::fromStdString(crlf)};
    h.Item("MnuCRsave")->trigger();
    h.Item("MnuLFsave")->trigger();
    h.Item("MnuSave")->trigger();
    QCOMPARE(ReadFileBytes(cr), std::string("A\rB\r"));
    QCOMPARE(ReadFileBytes(lf), std::string("A\nB\n"));
    QCOMPARE(ReadFileBytes(crlf), std::string("A\r\nB\r\n"));
    QVERIFY(!FileExists(h.home / "BAK.DAT"));

    h.frm->editor()->LoadText("\r\n\r\n\r\n");
    h.prompter.save_answers = {QString::fromStdString(crlf)};
    h.Item("MnuSave")->trigger();
    QCOMPARE(ReadFileBytes(crlf), std::string());

    // Japanese text goes out as Shift-JIS.
    h.frm->editor()->LoadText("(穴あけ)");
    h.prompter.save_answers = {QString::fromStdString(crlf)};
    h.Item("MnuSave")->trigger();
    QCOMPARE(ReadFileBytes(crlf), std::string("(\x8c\x8a\x82\xa0\x82\xaf)\r\n"));
  }

  void SaveRefusesTextShiftJisCannotHoldAndKeepsTheFile() {
    Harness h;
    h.Start();
    const QString target = h.File("keep.nc", "OLD\r\n");
    h.frm->editor()->LoadText("X1\r\nEUR €\r\n");
    h.prompter.save_answers = {target};
    h.Item("MnuSave")->trigger();
    QCOMPARE(ReadFileBytes(target.toStdString()), std::string("OLD\r\n"));
    QCOMPARE(h.prompter.messages.size(), std::size_t{1});
    QVERIFY(h.prompter.messages[0].text.startsWith("エラー番号 : 5\n"));
    QVERIFY(h.prompter.messages[0].text.contains("2 行目"));
    QCOMPARE(h.prompter.messages[0].icon, Icon::kExclamation);
  }

  void DialogsStartWhereTheFilesAreAndClearEmptiesIt() {
    Harness h;
    h.Start();
    const QString path = h.File("prog.nc", "X1");
    const QString folder = QString::fromStdString(h.files.path());
    h.Item("MnuLoad")->trigger();  // cancelled: nothing known yet
    QCOMPARE(h.prompter.open_presets.back(), QString());
    h.prompter.open_answers.push_back(path);
    h.Item("MnuLoad")->trigger();
    h.Item("MnuSave")->trigger();  // cancelled
    // The save proposes the file the document came from, with its folder.
    QCOMPARE(h.prompter.save_presets.back(), path);
    h.Item("MnuTuikaLoad")->trigger();  // cancelled
    QCOMPARE(h.prompter.open_presets.back(), folder);

    h.prompter.message_answers.push_back(kResultNo);
    h.Item("MnuCrear")->trigger();
    QCOMPARE(h.Text(), std::string("X1"));
    h.Item("MnuCrear")->trigger();  // answered Yes
    QCOMPARE(h.Text(), std::string());
    QCOMPARE(h.frm->PanelText(1), QString());
    QCOMPARE(h.frm->PanelText(2), QString());
    QCOMPARE(h.prompter.messages.back().text, QString("データを消去してよいですか"));
    h.Item("MnuSave")->trigger();
    QCOMPARE(h.prompter.save_presets.back(), folder);  // an empty name in the last folder
    QCOMPARE(h.Setting("File1"), path.toStdString());  // the recent list stays

    // A new start begins in the folder of the most recent file.
    Harness next;
    SaveSetting(next.settings, "Kovrel", "File1", path.toStdString());
    next.Start();
    next.Item("MnuLoad")->trigger();
    QCOMPARE(next.prompter.open_presets.back(), folder);
  }

  void AppendLoadAddsTheFileAsItIs() {
    Harness h;
    h.Start();
    const QString first = h.File("first.nc", "T01\r\nX1");
    h.prompter.open_answers.push_back(first);
    h.Item("MnuTuikaLoad")->trigger();
    QCOMPARE(h.Text(), std::string("T01\r\nX1"));  // to an empty document: exactly the file
    QCOMPARE(h.frm->PanelText(1), QString("first.nc"));
    const QString second = h.File("second.nc", "Y2\r\nM30\r\n");
    h.prompter.open_answers.push_back(second);
    h.Item("MnuTuikaLoad")->trigger();
    QCOMPARE(h.Text(), std::string("T01\r\nX1Y2\r\nM30\r\n"));  // continues the last line
    QVERIFY(!FileExists(h.home / "BAK.DAT"));
    QCOMPARE(h.Setting("File1"), second.toStdString());

    // A failed append changes neither the document nor the recent list.
    h.prompter.open_answers.push_back(QString::fromStdString(h.files / "gone.nc"));
    h.Item("MnuTuikaLoad")->trigger();
    QCOMPARE(h.Text(), std::string("T01\r\nX1Y2\r\nM30\r\n"));
    QCOMPARE(h.Setting("File1"), second.toStdString());
    QCOMPARE(h.frm->PanelText(1), QString("second.nc"));
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 53\n"));
  }

  void CancelledDialogsShowNothing() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("X1");
    for (const char* name : {"MnuLoad", "MnuTuikaLoad", "MnuSave", "MnuCRsave", "MnuLFsave", "MnuFont", "MnuPrintSet"}) {
      h.Item(name)->trigger();
    }
    QVERIFY(h.prompter.messages.empty());
    QCOMPARE(h.Text(), std::string("X1"));
    QCOMPARE(h.prompter.open_presets.size(), std::size_t{2});
    QCOMPARE(h.prompter.printer_setups, 1);
  }

  void LoadFailureShowsTheErrorReport() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("KEEP");
    h.prompter.open_answers.push_back(QString::fromStdString(h.files / "gone.nc"));
    h.Item("MnuLoad")->trigger();
    QCOMPARE(h.Text(), std::string("KEEP"));
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 53\nファイルが見つかりません"));
  }

  void FailingCommandKeepsTheTextAndReports() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("(穴)\r\nX1\r\n");
    h.module.MacroCount = 0;
    const CommandOutcome outcome = h.frm->RunHandOff(MacroStepRef{kEditMenu, 16}, [](std::string_view) -> ConversionResult {
      Fail(FailureKind::kIndexOutOfRange);
    });
    QCOMPARE(outcome.kind, CommandOutcome::Kind::kFailed);
    QCOMPARE(h.Text(), std::string("(穴)\r\nX1\r\n"));
    QCOMPARE(h.prompter.messages.back().text, QString("エラー番号 : 9\nインデックスが有効範囲にありません"));
    QCOMPARE(h.prompter.messages.back().title, QString("Kovrel"));
    QCOMPARE(h.module.MacroSteps[0].item, std::string("16"));
    QVERIFY(FileExists(h.home / "BAK.DAT"));  // left for inspection
    QVERIFY(QApplication::overrideCursor() == nullptr);  // the busy pointer is gone

    // A working command replaces the text and shows its message.
    h.frm->RunHandOff(std::nullopt, [](std::string_view input) {
      return ConversionResult(std::string(input) + "M30\r\n", "[ 1 ]個を変換しました。");
    });
    QCOMPARE(h.Text(), std::string("(穴)\r\nX1\r\nM30\r\n"));
    QCOMPARE(h.prompter.messages.back().text, QString("[ 1 ]個を変換しました。"));
    QVERIFY(!FileExists(h.home / "BAK.DAT"));
  }

  void FilesKeepEveryByteAndTheirLineEnds() {
    Harness h;
    h.Start();
    // Mixed line ends, NEC and IBM duplicate codes, a NUL and a stray byte.
    const std::string bytes = std::string("A\rB\nC\r\n\xed\xed \x87\x90 \xfa\x5b\n\0\xff\r", 19);
    const QString path = h.File("mixed.nc", bytes);
    h.prompter.open_answers.push_back(path);
    h.Item("MnuLoad")->trigger();
    QCOMPARE(h.frm->editor()->lines(), 6);  // CR, LF and CR LF all break lines
    QCOMPARE(EncodeCp932(h.Text()), bytes);

    // A search for the plain character finds its marked duplicate.
    ReplaceResult found = ReplaceAll(h.Text(), "≒", "=");
    QCOMPARE(found.count, std::size_t{1});

    // A conversion reads every line end as a line break ...
    std::string seen;
    h.frm->RunHandOff(std::nullopt, [&seen](std::string_view input) {
      seen = input;
      return ConversionResult::NothingToConvert();
    });
    QCOMPARE(seen.substr(0, 9), std::string("A\r\nB\r\nC\r\n"));
    QCOMPARE(EncodeCp932(h.Text()), bytes);  // ... and the document stays as it was

    // A CR LF to LF replacement stays as it is made, and the LF save keeps it.
    h.frm->RunHandOff(std::nullopt, [](std::string_view input) {
      return ConversionResult(ReplaceControl(input, "\r\n", "\n").text);
    }, WorkFiles{"bak.rtf", "bak1.rtf", InputLineEnds::kAsTheyStand});
    QCOMPARE(EncodeCp932(h.Text()), std::string("A\rB\nC\n\xed\xed \x87\x90 \xfa\x5b\n\0\xff\r", 18));
    const std::string lf = h.files / "lf.nc";
    h.prompter.save_answers = {QString::fromStdString(lf)};
    h.Item("MnuLFsave")->trigger();
    QCOMPARE(ReadFileBytes(lf), std::string("A\nB\nC\n\xed\xed \x87\x90 \xfa\x5b\n\0\xff\n", 18));

    h.frm->editor()->LoadText(std::string("N\0L", 3));
    QCOMPARE(h.Text(), std::string("N\0L", 3));
  }

  void FontCommandAppliesAndStoresTheFont() {
    Harness h;
    h.Start();
    h.Item("MnuFont")->trigger();
    QVERIFY(h.prompter.font_presets.back().bold());  // the dialog's preset is bold
    QFont chosen("IPAGothic");
    chosen.setPointSizeF(14);
    chosen.setItalic(true);
    h.prompter.font_answers.push_back(chosen);
    h.Item("MnuFont")->trigger();
    QCOMPARE(h.frm->editor()->DocumentFont().pointSizeF(), 14.0);
    QCOMPARE(h.Setting("FontName"), std::string("IPAGothic"));
    QCOMPARE(h.Setting("FontSize"), std::string("14"));
    QCOMPARE(h.Setting("FontItalic"), std::string("True"));
    QCOMPARE(h.Setting("FontBold"), std::string("False"));
  }

  void PrintGoesToAPdfWithoutPrinters() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("(穴あけ)\r\nX1Y2\r\n");
    const std::string pdf = h.files / "out.pdf";
    h.prompter.save_answers.push_back(QString::fromStdString(pdf));
    h.Item("MnuPrint")->trigger();
    QVERIFY(h.prompter.messages.empty());
    QVERIFY(ReadFileBytes(pdf).starts_with("%PDF"));
  }

  void ExitAsksAndNoKeepsTheProgramRunning() {
    Harness h;
    h.Start();
    h.frm->move(30, 40);
    h.frm->resize(600, 500);
    h.prompter.message_answers.push_back(kResultNo);
    QVERIFY(!h.frm->close());
    QVERIFY(h.frm->isVisible());
    QCOMPARE(h.prompter.messages.back().text, QString("Kovrelを終了しますか"));
    QCOMPARE(h.Setting("Help"), std::string("True"));  // written before the question
    QCOMPARE(h.Setting("Width"), std::string("<missing>"));

    h.module.IconCount = 3;
    QVERIFY(h.frm->close());  // Yes
    QCOMPARE(h.Setting("Left"), std::string("450"));
    QCOMPARE(h.Setting("Top"), std::string("600"));
    QCOMPARE(h.Setting("Width"), std::string("9000"));
    QCOMPARE(h.Setting("Height"), std::string("7500"));
    QCOMPARE(h.Setting("Icon"), std::string("3"));
  }

  void DroppedFileOpensLikeALoad() {
    Harness h;
    h.Start();
    const QString path = h.File("dropped.nc", "G01X1\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.frm->editor()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.frm->editor()->viewport(), &drop);
    QCOMPARE(h.Text(), std::string("G01X1\r\n"));
    QCOMPARE(h.frm->PanelText(1), QString("dropped.nc"));
    QCOMPARE(h.Setting("File1"), path.toStdString());
  }

  void QtSettingsStoreMatchesKeysWithoutRegardToCase() {
    TempFolder folder;
    const QString ini = QString::fromStdString(folder / "Kovrel.ini");
    {
      QtSettingsStore store(ini);
      SaveSetting(store, "Kovrel", "UsER", "山田");
      SaveSetting(store, "KOVREL", "user", "鈴木");  // the same key
      SaveSetting(store, "Nc", "FmtLeft", "1,5");
    }
    QtSettingsStore again(ini);
    QCOMPARE(GetSetting(again, "kovrel", "User", ""), std::string("鈴木"));
    QCOMPARE(GetSetting(again, "NC", "fmtleft", ""), std::string("1,5"));
    QCOMPARE(GetSetting(again, "Kovrel", "Missing", "default"), std::string("default"));
    QVERIFY(ReadFileBytes(ini.toStdString()).find("UsER") != std::string::npos);
  }

  void SidePanelOpensAndClosesAgain() {
    Harness h;
    WriteFileBytes(h.home / "KV001.JPG", ReadFileBytes(KOVREL_SOURCE_DATA_DIR "/KV001.JPG"));
    h.Start();
    h.frm->resize(900, 600);
    QApplication::processEvents();
    auto* image2 = h.frm->findChild<QLabel*>("Image2");
    QVERIFY(!h.frm->SidePanelShown());
    QVERIFY(image2->isVisible());
    QTest::mouseClick(image2, Qt::LeftButton);
    QVERIFY(h.frm->SidePanelShown());
    QVERIFY(h.frm->findChild<QWidget*>("Picture1")->isVisible());
    QVERIFY(!image2->isVisible());
    auto* picture = h.frm->findChild<QLabel*>("Image1(0)");
    QCOMPARE(picture->size(), QSize(156, 117));
    QVERIFY(!picture->pixmap().isNull());
    QVERIFY(h.frm->findChild<QLabel*>("Image1(1)")->pixmap().isNull());  // no file: empty
    QTest::mouseClick(h.frm->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(!h.frm->SidePanelShown());
    QTest::mouseClick(image2, Qt::LeftButton);
    h.frm->resize(800, 600);  // every resize closes the panel
    QApplication::processEvents();
    QVERIFY(!h.frm->SidePanelShown());
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::EditFrmTest)
#include "edit_frm_test.moc"
