// The Apps, Macro and Help menus: AppSetFrm, the launch of registered
// programs and of the communication program, operation macros recorded and
// played back, the read-me and the version window.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/cp932.h"
#include "shell/macro_file.h"
#include "ui/editor/shell_windows.h"
#include "ui/graphic/graphic_view.h"
#include "ui/platform/qt_prompter.h"
#include "ui_harness.h"

namespace kovrel {

namespace {

QPushButton* Button(QDialog& w, const char* name) { return Control<QPushButton>(w, name); }

}  // namespace

class ShellWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void AppSetFrmAddsDeletesAndRefreshesTheMenuHoweverItCloses() {
    Harness h;
    for (int row = 0; row < 5; ++row) {
      SaveSetting(h.settings, "Kovrel", "AppTitle" + std::to_string(row), "app" + std::to_string(row));
      SaveSetting(h.settings, "Kovrel", "AppName" + std::to_string(row), "/bin/app" + std::to_string(row));
    }
    h.Start();
    h.module.MacroCount = 0;
    h.prompter.dialog_scripts.push_back([&h](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("外部アプリケーションの設定"));
      auto* list = Control<QListWidget>(w, "List1");
      QCOMPARE(list->count(), 5);
      QVERIFY(!Button(w, "Command1(1)")->isEnabled());
      list->setCurrentRow(2);
      QVERIFY(Button(w, "Command1(1)")->isEnabled());
      h.prompter.message_answers.push_back(kResultYes);
      Button(w, "Command1(1)")->click();  // delete the third of five
      QCOMPARE(list->count(), 4);
      QCOMPARE(list->item(2)->text(), QString("app3"));
      h.prompter.open_answers.push_back(QString("/opt/cam/送信"));
      Button(w, "Command1(0)")->click();
      QCOMPARE(list->item(4)->text(), QString("送信"));
      w.close();  // the close box, not 閉じる
    });
    h.Item("MnuAppSet")->trigger();
    QCOMPARE(h.module.MacroSteps[0].item, std::string("32"));
    QCOMPARE(h.prompter.messages.back().text, QString("外部アプリケーション: app2 をメニューから削除しますか"));
    QCOMPARE(h.Setting("AppTitle2"), std::string("app3"));
    QCOMPARE(h.Setting("AppName4"), std::string("/opt/cam/送信"));
    QCOMPARE(h.Item("MnuApp(4)")->text(), QString("送信"));
    QVERIFY(h.Item("MnuApp(4)")->isVisible());
    QVERIFY(!h.Item("MnuApp(5)")->isVisible());
    QCOMPARE(h.prompter.open_presets.back(), QString());

    // With no program left, even item 0 is hidden after 閉じる.
    h.prompter.dialog_scripts.push_back([&h](QDialog& w) {
      auto* list = Control<QListWidget>(w, "List1");
      while (list->count() > 0) {
        list->setCurrentRow(0);
        Button(w, "Command1(1)")->click();  // unscripted questions answer Yes
      }
      Button(w, "Command1(2)")->click();
    });
    h.Item("MnuAppSet")->trigger();
    QVERIFY(!h.Item("MnuApp(0)")->isVisible());
    QCOMPARE(h.Setting("AppTitle0"), std::string());
  }

  void ProgramsGetTheExportAndAFailureNamesTheProgram() {
    Harness h;
    SaveSetting(h.settings, "Kovrel", "AppTitle2", "viewer");
    SaveSetting(h.settings, "Kovrel", "AppName2", "/opt/viewer");
    h.Start();
    h.module.MacroCount = 0;
    h.frm->editor()->LoadText("G00X1\r\n\r\nG01X2\n");
    h.Item("MnuApp(2)")->trigger();
    QCOMPARE(h.module.MacroSteps[0].item, std::string("36"));
    const std::string exported = h.module.SysDir + "BAK.DAT";
    QCOMPARE(ReadFileBytes(exported), std::string("G00X1\r\nG01X2\r\n"));
    QCOMPARE(ReadFileBytes(h.home / "BAK1.DAT"), std::string("G00X1\r\n\r\nG01X2\n"));
    QCOMPARE(h.launcher.started.back(), (QStringList{"/opt/viewer", QString::fromStdString(exported)}));

    h.frm->editor()->LoadText("  0\r\nSECTION\r\n  8\r\n\r\n  0\r\nLAYER\r\n  0\r\nENDSEC\r\n");
    h.launcher.succeed = false;
    h.Item("MnuApp(2)")->trigger();
    QCOMPARE(ReadFileBytes(h.module.SysDir + "BAK.DXF"), h.Text());  // a drawing keeps its empty value line
    QCOMPARE(h.prompter.messages.back().text, QString("/opt/viewerへ接続出来ませんでした"));

    // The communication program gets a copy of its own in the export folder.
    h.launcher.succeed = true;
    h.frm->editor()->LoadText("X1\r\n\r\nX2");
    h.Item("MnuTavrin")->trigger();
    QCOMPARE(h.module.MacroSteps[2].item, std::string("33"));
    QCOMPARE(ReadFileBytes(h.module.SysDir + "Tavrin.DAT"), std::string("X1\r\nX2\r\n"));
    QCOMPARE(h.launcher.started.back().front(), QString::fromStdString(h.home / "Tavrin"));
    QVERIFY(!FileExists(h.home / "BAK.DAT"));
  }

  void ARealProgramGetsThePathAsOneArgument() {
    Harness h;
    // An export folder whose path holds a blank and a quote.
    h.module.SysDir = h.files / "export dir 'q\"/";
    QVERIFY(QDir().mkpath(QString::fromStdString(h.module.SysDir)));
    const std::string script = h.files / "show args.sh";
    const std::string seen = h.files / "seen.txt";
    WriteFileBytes(script, "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" + seen + ".part' && mv '" + seen + ".part' '" + seen + "'\n");
    QFile::setPermissions(QString::fromStdString(script), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SaveSetting(h.settings, "Kovrel", "AppTitle0", "show args.sh");
    SaveSetting(h.settings, "Kovrel", "AppName0", script);
    QtLauncher real;
    EditFrm frm(EditServices{h.module, h.settings, h.prompter, real});
    frm.StartUp({});
    frm.editor()->LoadText("G00X1\r\n");
    frm.MenuItem("MnuApp(0)")->trigger();
    QElapsedTimer timer;
    timer.start();
    while (!FileExists(seen) && timer.elapsed() < 10000) QTest::qWait(20);
    QCOMPARE(ReadFileBytes(seen), "1|" + h.module.SysDir + "BAK.DAT|");
    QVERIFY(h.prompter.messages.empty());
  }

  void BrowserChoiceAndTheUpdatePage() {
    Harness h;
    h.Start();
    h.prompter.open_answers.push_back(QString("/usr/bin/firefox-esr"));
    h.Item("MnuWWW")->trigger();
    QCOMPARE(h.prompter.messages.back().text, QString("ブラウザを[ firefox-esr ]に設定しました。"));
    QCOMPARE(h.Setting("WebApl"), std::string("/usr/bin/firefox-esr"));
    h.Item("MnuLinkKovrel")->trigger();
    QCOMPARE(h.launcher.started.back().front(), QString("/usr/bin/firefox-esr"));
    h.Item("MnuWWW")->trigger();  // cancelled: silent, nothing changes
    QCOMPARE(h.frm->BrowserPath(), QString("/usr/bin/firefox-esr"));
    QCOMPARE(h.prompter.messages.size(), std::size_t{1});
  }

  void AMacroRecordedInTheWindowPlaysBackTheSameDocument() {
    Harness h;
    h.Start();
    const QString holes = QString(KOVREL_TEST_DATA_DIR) + "/../app/golden/cam-c-holes-expected.nc";
    const std::string saved = h.files / "saved.nc";
    h.Item("MnuSetMacro")->trigger();       // OK: recording starts
    QVERIFY(h.frm->windowTitle().contains("マクロ記録中"));
    h.Item("MnuSetMacro")->trigger();  // nothing recorded yet: recording goes on
    QCOMPARE(h.module.MacroCount, 0);
    h.prompter.open_answers.push_back(holes);
    h.Item("MnuLoad")->trigger();
    h.Item("MnuHolGcode")->trigger();
    h.prompter.save_answers.push_back(QString::fromStdString(saved));
    h.Item("MnuSave")->trigger();
    h.Item("MnuSetMacro")->trigger();  // saved
    QCOMPARE(h.frm->windowTitle(), QString(" エディタ"));
    QCOMPARE(h.module.MacroCount, -1);
    QCOMPARE(ReadFileBytes(h.home / "MACRO.DAT"),
             std::string("\"Edit.Menu\",\"1\"\r\n\"Edit.Menu\",\"20\"\r\n\"Edit.Menu\",\"3\"\r\n"));
    const std::string expected = ReadFileBytes(saved);
    QCOMPARE(expected, ReadFileBytes(std::string(KOVREL_TEST_DATA_DIR) + "/../app/golden/cam-c-gcode-expected.nc"));

    // Playback: the same dialogs in the same order, the same document.
    h.frm->editor()->LoadText("");
    RemoveFile(saved);
    h.prompter.open_answers.push_back(holes);
    h.prompter.save_answers.push_back(QString::fromStdString(saved));
    h.Item("MnuRunMacro")->trigger();
    QCOMPARE(ReadFileBytes(saved), expected);
    QCOMPARE(h.module.MacroCount, -1);
  }

  void EveryCommandRecordsTheStepThePlaybackTableGivesIt() {
    Harness h;
    for (int i = 0; i < 10; ++i) SaveSetting(h.settings, "Kovrel", "AppTitle" + std::to_string(i), "app");
    h.Start();
    h.launcher.succeed = true;
    int checked = 0;
    for (int item = 1; item <= 43; ++item) {
      const auto command = MacroCommandOf(item);
      if (!command) continue;
      QAction* action = h.frm->MenuItem(QString::fromUtf8(command->menu.data(), command->menu.size()));
      QVERIFY2(action != nullptr, command->menu.data());
      if (!action->isEnabled()) continue;  // a command not built yet
      h.module.MacroCount = 0;
      action->trigger();  // every dialog cancelled, every question answered OK
      if (QMainWindow* view = h.frm->GraphicWindow()) view->close();
      QVERIFY2(h.module.MacroCount >= 1, command->menu.data());
      QCOMPARE(h.module.MacroSteps[0].kind, std::string("Edit.Menu"));
      QCOMPARE(h.module.MacroSteps[0].item, std::to_string(item));
      ++checked;
    }
    QVERIFY(checked >= 25);
    h.module.MacroCount = -1;
  }

  void PlaybackWhileRecordingPlaysEveryRecordAndRecordsItAgain() {
    Harness h;
    h.Start();
    WriteFileBytes(h.home / "MACRO.DAT", "\"Edit.Menu\",\"8\"\r\n\"Edit.Menu\",\"20\"\r\n\"Edit.Menu\",\"26\"\r\n");
    h.module.MacroCount = 0;  // a recording runs meanwhile
    h.Item("MnuRunMacro")->trigger();
    QCOMPARE(h.module.MacroCount, 3);
    QCOMPARE(h.module.MacroSteps[0].item, std::string("8"));
    QCOMPARE(h.module.MacroSteps[1].item, std::string("20"));
    QCOMPARE(h.module.MacroSteps[2].item, std::string("26"));
  }

  void PlaybackSkipsWhatItCannotPlayAndWaitsForTheView() {
    Harness h;
    h.Start();
    WriteFileBytes(h.home / "MACRO.DAT",
                   "\"Edit.Menu\",\"23\"\r\n\"Edit.Menu\",\"90\"\r\n\"Edit.Menu\",\"91\"\r\n\"Graphic.Menu\",\"5\"\r\n"
                   "broken\r\n\"Edit.Menu\",\"30\"\r\n\"Edit.Menu\",\"8\"\r\n");
    h.frm->editor()->LoadText("G00X0Y0\r\nG01X10Y0\r\n");
    // The view opened by step 30 is closed a moment later; the clear (8)
    // must run only after that.
    bool cleared_while_open = false;
    QTimer::singleShot(200, [&] {
      cleared_while_open = h.Text().empty();
      if (h.frm->GraphicWindow()) h.frm->GraphicWindow()->close();
    });
    h.Item("MnuRunMacro")->trigger();
    QVERIFY(!cleared_while_open);
    QCOMPARE(h.Text(), std::string());  // the clear ran after the view
    QCOMPARE(h.prompter.dialogs.size(), std::size_t{0});  // 90 and 91 played as nothing
    QVERIFY(h.prompter.messages.back().text.contains("5 行目"));
    QVERIFY(!h.prompter.messages.back().text.contains("4 行目"));

    RemoveFile(h.home / "MACRO.DAT");
    h.Item("MnuRunMacro")->trigger();
    QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 53\n"));
  }

  void ReadMeAndVersionWindows() {
    Harness h;
    SaveSetting(h.settings, "Kovrel", "UsER", "山田");
    h.Start();
    h.module.MacroCount = 0;
    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString(" Kovrel"));
      w.close();
    });
    h.Item("MnuRead")->trigger();
    QVERIFY(DecodeCp932(ReadFileBytes(h.home / "readme.txt")).find("グラフィック") != std::string::npos);
    QVERIFY(ReadFileBytes(h.home / "readme.txt").find("\r\n") != std::string::npos);

    h.prompter.dialog_scripts.push_back([](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("Kovrelのﾊﾞｰｼﾞｮﾝ情報"));
      QVERIFY(Control<QLabel>(w, "lblVersion")->text().startsWith("VER "));
      auto* name = Control<QLineEdit>(w, "Text1");
      QVERIFY(!name->isVisible());
      QCOMPARE(name->text(), QString("山田"));
      QTest::mouseClick(Control<QLabel>(w, "Picture1"), Qt::LeftButton);
      QVERIFY(name->isVisible());
      name->clear();
      Control<QPushButton>(w, "Command1")->click();
    });
    h.Item("MnuVer")->trigger();
    QCOMPARE(h.frm->GraphicTitle(), QString("Kovrel"));
    QCOMPARE(h.Setting("UsER"), std::string());
    QCOMPARE(h.module.MacroSteps[0].item, std::string("90"));
    QCOMPARE(h.module.MacroSteps[1].item, std::string("91"));
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::ShellWindowsTest)
#include "shell_windows_test.moc"
