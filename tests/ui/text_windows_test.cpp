// The text-tool windows that work on the document or on two files:
// HenkanFrm (find and replace), SeiGyoHenkan (control characters) and
// FileIsFrm (file comparison), driven by objectName through their menu items.
#include "ui/dialogs/text_windows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "texttools/file_compare.h"
#include "ui_harness.h"

namespace kovrel {
namespace {

HenkanFrm* OpenHenkan(Harness& h, const char* item) {
  h.Item(item)->trigger();
  auto* window = h.frm->findChild<HenkanFrm*>("HenkanFrm");
  if (window == nullptr) qFatal("no HenkanFrm");
  return window;
}

long SelectionStart(TextEditor* editor) { return editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART); }
long SelectionEnd(TextEditor* editor) { return editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND); }

TextEditor* Pane(QDialog& w, int side) {
  return Control<TextEditor>(w, side == 0 ? "RichTextBox1(0)" : "RichTextBox1(1)");
}

// The marked bytes of a pane.
std::vector<long> Marked(TextEditor* pane) {
  std::vector<long> marked;
  for (long pos = 0; pos < pane->DocumentLength(); ++pos) {
    if (pane->MarkedAt(pos)) marked.push_back(pos);
  }
  return marked;
}

}  // namespace

class TextWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void FindStartsOneCharacterAfterTheCaretAndMarksInDarkRed() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G01X1\r\nG01X2");
    h.module.MacroCount = 0;
    HenkanFrm* w = OpenHenkan(h, "MnuKensaku");
    QCOMPARE(h.module.MacroSteps[0].item, std::string("12"));
    QVERIFY(w->isVisible() && !w->isModal());  // the editor stays usable
    QCOMPARE(w->windowTitle(), QString("検索"));
    QVERIFY(Control<QPushButton>(*w, "Command2(1)")->isHidden());
    QVERIFY(!Enabled(*w, "Text2") && !Enabled(*w, "Label2(1)"));
    QCOMPARE(Control<QLabel>(*w, "Label2(0)")->text(), QString("検索する文字列"));

    // The caret at the start: the G01 at position 1 is not found first.
    Control<QLineEdit>(*w, "Text1")->setText("G01");
    Click(*w, "Command2(0)");
    TextEditor* editor = h.frm->editor();
    QCOMPARE(SelectionStart(editor), 7L);
    QCOMPARE(SelectionEnd(editor), 10L);
    QVERIFY(editor->MarkedAt(7) && editor->MarkedAt(9) && !editor->MarkedAt(10) && !editor->MarkedAt(0));
    QVERIFY(h.prompter.messages.empty());
    // No wrap round: the next find reports it.
    Click(*w, "Command2(0)");
    QCOMPARE(h.prompter.messages.back().text, QString("検索文字[ G01 ]が見つかりませんでした。"));
    QCOMPARE(h.prompter.messages.back().buttons, Buttons::kOk);
    QCOMPARE(SelectionStart(editor), 7L);
    // An empty search string finds nothing.
    Control<QLineEdit>(*w, "Text1")->clear();
    Click(*w, "Command2(0)");
    QCOMPARE(h.prompter.messages.back().text, QString("検索文字[  ]が見つかりませんでした。"));
    QCOMPARE(h.Text(), std::string("G01X1\r\nG01X2"));
  }

  void WindowIsReopenedFreshForEachCommand() {
    Harness h;
    h.Start();
    HenkanFrm* find = OpenHenkan(h, "MnuKensaku");
    Control<QLineEdit>(*find, "Text1")->setText("X");
    const QPointer<HenkanFrm> old = find;
    HenkanFrm* replace = OpenHenkan(h, "MnuHenkan");
    QVERIFY(old.isNull());
    QCOMPARE(h.frm->findChildren<HenkanFrm*>().size(), 1);
    QCOMPARE(replace->windowTitle(), QString("置換"));
    QVERIFY(Control<QLineEdit>(*replace, "Text1")->text().isEmpty());
    QVERIFY(Control<QPushButton>(*replace, "Command2(0)")->isHidden());
    QVERIFY(Enabled(*replace, "Text2") && Enabled(*replace, "Label2(1)"));
  }

  void MacroPlaybackGoesOnWhileTheReplaceWindowIsOpen() {
    Harness h;
    h.Start();
    // Load, replace, save: the open dialog, then the replace window, and at
    // once the save dialog with the replace window still open.
    WriteFileBytes(h.home / "MACRO.DAT", "\"Edit.Menu\",\"1\"\r\n\"Edit.Menu\",\"13\"\r\n\"Edit.Menu\",\"3\"\r\n");
    h.Item("MnuRunMacro")->trigger();
    QCOMPARE(h.prompter.open_presets.size(), std::size_t{1});
    QCOMPARE(h.prompter.save_presets.size(), std::size_t{1});
    auto* window = h.frm->findChild<HenkanFrm*>("HenkanFrm");
    QVERIFY(window != nullptr && window->isVisible() && window->windowTitle() == "置換");
  }

  void ReplaceAllRunsThroughItsWorkFilesAndCounts() {
    Harness h;
    h.Start();
    // A failed partial match hides AB in AAB; line ends of every kind,
    // Japanese text and a marked duplicate stay as they are.
    const std::string rest = "\r穴≒\xef\xb8\x80\n";
    h.frm->editor()->LoadText("AAB\r\nABAB" + rest);
    h.module.MacroCount = 0;
    HenkanFrm* w = OpenHenkan(h, "MnuHenkan");
    QCOMPARE(h.module.MacroSteps[0].item, std::string("13"));
    Control<QLineEdit>(*w, "Text1")->setText("AB");
    Control<QLineEdit>(*w, "Text2")->setText("X");
    Click(*w, "Command2(1)");
    QCOMPARE(h.Text(), "AAB\r\nXX" + rest);
    QCOMPARE(h.prompter.messages.back().text, QString("[ 2 ]個を変換しました。"));
    QVERIFY(!FileExists(h.home / "bak.$$$") && !FileExists(h.home / "bak1.$$$"));
    QVERIFY(w->isVisible());

    // The search string cut off by the end of the text is not replaced;
    // an empty search string replaces nothing.
    h.frm->editor()->LoadText("XAB");
    Control<QLineEdit>(*w, "Text1")->setText("ABC");
    Click(*w, "Command2(1)");
    QCOMPARE(h.Text(), std::string("XAB"));
    QCOMPARE(h.prompter.messages.back().text, QString("[ 0 ]個を変換しました。"));
    Control<QLineEdit>(*w, "Text1")->clear();
    Click(*w, "Command2(1)");
    QCOMPARE(h.prompter.messages.back().text, QString("[ 0 ]個を変換しました。"));
  }

  void ReplacementShiftJisCannotHoldStopsAndKeepsTheText() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("G01\r\nX1\r\n");
    HenkanFrm* w = OpenHenkan(h, "MnuHenkan");
    Control<QLineEdit>(*w, "Text1")->setText("X");
    Control<QLineEdit>(*w, "Text2")->setText("€");
    Click(*w, "Command2(1)");
    QCOMPARE(h.Text(), std::string("G01\r\nX1\r\n"));
    QCOMPARE(h.prompter.messages.size(), std::size_t{1});
    QCOMPARE(h.prompter.messages.back().text,
             QString("エラー番号 : 5\nShift-JIS で表せない文字があります: 2 行目の「€」(U+20AC)"));
    QCOMPARE(h.prompter.messages.back().icon, Icon::kExclamation);
  }

  void ControlCharactersReplaceAndDelete() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("A\r\nB\r\n");
    h.module.MacroCount = 0;
    bool ran = false;
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("制御文字変換"));
      for (const char* name : {"Combo1", "Combo2", "Combo3"}) {
        QCOMPARE(Control<QComboBox>(w, name)->currentText(), QString("CrLf"));
      }
      QCOMPARE(Control<QComboBox>(w, "Combo1")->count(), 4);
      QCOMPARE(Control<QComboBox>(w, "Combo1")->itemText(3), QString("*"));
      QCOMPARE(Control<QComboBox>(w, "Combo3")->count(), 3);
      QCOMPARE(Control<QLabel>(w, "Label4")->text(), QString("置換える文字列"));

      // CrLf to Cr: every line end becomes a lone CR; the window stays.
      Control<QComboBox>(w, "Combo2")->setCurrentText("Cr");
      Click(w, "Command1(1)");
      QCOMPARE(h.Text(), std::string("A\rB\r"));
      QCOMPARE(h.prompter.messages.back().text, QString("[ 2 ]個を変換しました。"));
      QVERIFY(w.isVisible());
      // Delete Cr joins the lines.
      Control<QComboBox>(w, "Combo3")->setCurrentText("Cr");
      Click(w, "Command1(2)");
      QCOMPARE(h.Text(), std::string("AB"));
      QCOMPARE(h.prompter.messages.back().text, QString("[ 2 ]個を削除しました。"));

      // CR A CR LF: the first CR starts the piece CR A, written unchanged.
      h.frm->editor()->LoadText("\rA\r\n");
      Control<QComboBox>(w, "Combo2")->setCurrentText("*");
      Click(w, "Command1(1)");
      QCOMPARE(h.Text(), std::string("\rA*"));
      QCOMPARE(h.prompter.messages.back().text, QString("[ 1 ]個を変換しました。"));
      // Typed text is taken in exact case: "cr" is two letters.
      h.frm->editor()->LoadText("cr\r");
      Control<QComboBox>(w, "Combo1")->setCurrentText("cr");
      Control<QComboBox>(w, "Combo2")->setCurrentText("Lf");
      Click(w, "Command1(1)");
      QCOMPARE(h.Text(), std::string("\n\r"));
      ran = true;
    });
    h.Item("MnuSeigyo")->trigger();
    QVERIFY(ran);
    QCOMPARE(h.module.MacroSteps[0].item, std::string("14"));
    QVERIFY(!FileExists(h.home / "bak.rtf") && !FileExists(h.home / "bak1.rtf"));
  }

  void ComparisonChoosesFilesAndShowsThemAsTextOrDump() {
    Harness h;
    h.Start();
    h.frm->editor()->LoadText("document");
    h.module.MacroCount = 0;
    const QString a = h.File("a.nc", "G01\r\n"), b = h.File("b.nc", "G02\r\n");
    h.prompter.open_answers = {a, b};
    bool ran = false;
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("ファイル比較"));
      QVERIFY(!Enabled(w, "Command2") && !Enabled(w, "Option1(0)") && !Enabled(w, "Option1(1)"));
      QVERIFY(Control<QRadioButton>(w, "Option1(0)")->isChecked());
      QVERIFY(Pane(w, 0)->isReadOnly() && Pane(w, 1)->isReadOnly());
      QVERIFY(Control<QLineEdit>(w, "Text1(0)")->isReadOnly());

      Click(w, "Command1(0)");
      QCOMPARE(Control<QLineEdit>(w, "Text1(0)")->text(), a);
      QCOMPARE(Pane(w, 0)->DocumentText(), std::string("G01\r\n"));
      QVERIFY(!Enabled(w, "Option1(0)"));  // one file only
      Click(w, "Command1(1)");
      QVERIFY(Enabled(w, "Option1(0)") && Enabled(w, "Option1(1)") && !Enabled(w, "Command2"));
      QCOMPARE(ReadFileBytes(h.home / "bak0"), std::string("G01\r\n"));
      QCOMPARE(ReadFileBytes(h.home / "bak1"), std::string("G02\r\n"));
      QCOMPARE(ReadFileBytes(h.home / "bak11"), std::string("47 30 32 0D 0A "));

      Click(w, "Option1(1)");
      QCOMPARE(Pane(w, 0)->DocumentText(), std::string("47 30 31 0D 0A "));
      QVERIFY(Enabled(w, "Command2"));
      Click(w, "Option1(0)");
      QCOMPARE(Pane(w, 1)->DocumentText(), std::string("G02\r\n"));
      QVERIFY(!Enabled(w, "Command2"));
      ran = true;
    });
    h.Item("MnuFileIs")->trigger();
    QVERIFY(ran);
    QCOMPARE(h.module.MacroSteps[0].item, std::string("11"));
    QCOMPARE(h.Text(), std::string("document"));
  }

  void ComparisonMarksTheFirstDifferenceInBothPanes() {
    const struct {
      const char* source;
      const char* target;
      const char* message;
      std::vector<long> marked0, marked1;
      long selection1;
    } cases[] = {
        {"AB", "AB", "比較を完了しました。", {}, {}, 0},
        {"AB", "AR", "ファイルに違いが確認されました。", {3}, {3}, 3},   // first digit of the 2nd byte
        {"AB", "AC", "ファイルに違いが確認されました。", {4}, {4}, 4},   // its second digit
        {"AB", "ABC", "ファイルに違いが確認されました。", {5}, {5}, 5},  // the source's last character
        {"ABC", "AB", "ファイルに違いが確認されました。", {6}, {}, 6},   // at the target's end
        {"", "AB", "ファイルに違いが確認されました。", {}, {}, 0},       // nothing to mark
    };
    for (const auto& c : cases) {
      Harness h;
      h.Start();
      h.prompter.open_answers = {h.File("s", c.source), h.File("t", c.target)};
      h.prompter.dialog_scripts.push_back([&](QDialog& w) {
        Click(w, "Command1(0)");
        Click(w, "Command1(1)");
        Click(w, "Option1(1)");
        Click(w, "Command2");
        QCOMPARE(h.prompter.messages.back().text, QString(c.message));
        QCOMPARE(Marked(Pane(w, 0)), c.marked0);
        QCOMPARE(Marked(Pane(w, 1)), c.marked1);
        QCOMPARE(SelectionStart(Pane(w, 1)), c.selection1);
        QCOMPARE(ReadFileBytes(h.home / "bak30"), HexDump(c.source));
      });
      h.Item("MnuFileIs")->trigger();
      QCOMPARE(h.prompter.messages.size(), std::size_t{1});
    }
  }

  void UnreadableFileLeavesTheSideAsItWas() {
    Harness h;
    h.Start();
    const QString a = h.File("a.nc", "AB"), b = h.File("b.nc", "AC");
    h.prompter.open_answers = {a, b, QString::fromStdString(h.files / "missing.nc")};
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      Click(w, "Command1(0)");
      Click(w, "Command1(1)");
      Click(w, "Command1(1)");  // the third answer cannot be read
      QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 53\n"));
      QCOMPARE(Control<QLineEdit>(w, "Text1(1)")->text(), b);
      QCOMPARE(Pane(w, 1)->DocumentText(), std::string("AC"));
      Click(w, "Option1(1)");
      Click(w, "Command2");
      QCOMPARE(h.prompter.messages.back().text, QString("ファイルに違いが確認されました。"));
      // A cancelled dialog changes nothing and says nothing.
      const std::size_t shown = h.prompter.messages.size();
      Click(w, "Command1(0)");
      QCOMPARE(h.prompter.messages.size(), shown);
      QCOMPARE(Control<QLineEdit>(w, "Text1(0)")->text(), a);
    });
    h.Item("MnuFileIs")->trigger();
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::TextWindowsTest)
#include "text_windows_test.moc"
