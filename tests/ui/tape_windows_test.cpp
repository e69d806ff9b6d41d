// The tape code windows ConvFrm and CvFrm, driven by objectName through
// their menu items, with tables in the test's own CVTBL folder.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

#include "texttools/tape_code.h"
#include "ui_harness.h"

namespace kovrel {
namespace {

// A table that maps every byte through `map`.
template <typename Map>
std::string TableOf(Map map) {
  TableCells cells;
  for (int k = 0; k < kTableSize; ++k) cells[static_cast<std::size_t>(k)] = QString::number(map(k), 16).toStdString();
  return TapeTableText(cells);
}

// Fills CVTBL: the shipped identity and ISO tables, a table that swaps CR
// and LF, and a table with a bad field.
void InstallTables(Harness& h) {
  std::filesystem::create_directory(h.home / "CVTBL");
  for (const char* name : {"IDENTITY", "TEXT-TO-ISO"}) {
    WriteFileBytes(h.home / "CVTBL/" + name, ReadFileBytes(std::string(KOVREL_SOURCE_DATA_DIR "/CVTBL/") + name));
  }
  WriteFileBytes(h.home / "CVTBL/SWAP", TableOf([](int k) { return k == '\r' ? '\n' : k == '\n' ? '\r' : k; }));
  std::string bad = TableOf([](int k) { return k; });
  bad.replace(bad.find("42"), 2, "G1");  // line 3, column 5
  WriteFileBytes(h.home / "CVTBL/BAD", bad);
}

// Clicks the table `name` in List1.
void ClickTable(QDialog& w, const char* name) {
  auto* list = Control<QListWidget>(w, "List1");
  const auto items = list->findItems(name, Qt::MatchExactly);
  if (items.isEmpty()) qFatal("no table %s", name);
  list->scrollToItem(items[0]);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(items[0]).center());
}

TextEditor* Preview(QDialog& w) { return Control<TextEditor>(w, "RichTextBox1"); }

// Runs `script` in ConvFrm opened on a document `text`.
void InConvFrm(Harness& h, const std::string& text, std::function<void(QDialog&)> script) {
  h.frm->editor()->LoadText(text);
  bool ran = false;
  h.prompter.dialog_scripts.push_back([&](QDialog& w) {
    script(w);
    ran = true;
  });
  h.Item("MnuCv")->trigger();
  if (!ran) qFatal("ConvFrm did not open");
}

std::vector<QString> Entries(QDialog& w) {
  auto* combo = Control<QComboBox>(w, "Combo1");
  std::vector<QString> entries;
  for (int i = 0; i < combo->count(); ++i) entries.push_back(combo->itemText(i));
  return entries;
}

QLineEdit* Cell(QDialog& w, int k) { return Control<QLineEdit>(w, QString("Text1(%1)").arg(k).toUtf8().constData()); }

}  // namespace

class TapeWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void ConversionWindowOpensOnTheSavedDocument() {
    Harness h;
    h.Start();
    InstallTables(h);
    h.module.MacroCount = 0;
    WriteFileBytes(h.home / "bak1.dat", "an earlier session's result");
    InConvFrm(h, "G01\r\n", [&](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("コード変換"));
      auto* list = Control<QListWidget>(w, "List1");
      QCOMPARE(list->count(), 4);
      QCOMPARE(list->item(0)->text(), QString("BAD"));
      QCOMPARE(list->item(3)->text(), QString("TEXT-TO-ISO"));
      QVERIFY(Control<QRadioButton>(w, "Option1(0)")->isChecked());
      QVERIFY(!Enabled(w, "Command1") && !Enabled(w, "Text1"));
      QVERIFY(Control<QWidget>(w, "Picture1")->isHidden());
      QCOMPARE(Control<QLabel>(w, "Label1")->text(),
               QString("WINDOWSでサポートされていないコードが含まれている時は\nファイルへ出力する事をお勧めします"));
      QCOMPARE(ReadFileBytes(h.home / "bak.rtf"), std::string("G01\r\n"));
      // "実行" straight after opening delivers nothing.
      QVERIFY(!Enabled(w, "Command2(0)"));
      Click(w, "Command2(0)");
      QVERIFY(Control<QWidget>(w, "Picture1")->isHidden());
      // Choosing the source.
      Click(w, "Option1(1)");
      QVERIFY(Enabled(w, "Command1") && Enabled(w, "Text1"));
      ClickTable(w, "IDENTITY");  // no file named yet: nothing happens
      QVERIFY(h.prompter.messages.empty());
      QVERIFY(!Enabled(w, "Command2(0)"));
      h.prompter.open_answers = {QString("/some/file.nc")};
      Click(w, "Command1");
      QCOMPARE(Control<QLineEdit>(w, "Text1")->text(), QString("/some/file.nc"));
      Click(w, "Option1(0)");
      QVERIFY(Control<QLineEdit>(w, "Text1")->text().isEmpty() && !Enabled(w, "Text1"));
      Click(w, "Command2(1)");
    });
    QCOMPARE(h.module.MacroSteps[0].item, std::string("9"));
    QCOMPARE(h.Text(), std::string("G01\r\n"));
    QCOMPARE(ReadFileBytes(h.home / "bak1.dat"), std::string("an earlier session's result"));
    QVERIFY(!FileExists(h.home / "bak.rtf"));
  }

  void IdentityTableGivesTheSameTextToTheEditor() {
    Harness h;
    h.Start();
    InstallTables(h);
    const std::string text = "(穴あけ)\r\nG01X1\r\n";
    InConvFrm(h, text, [&](QDialog& w) {
      ClickTable(w, "IDENTITY");
      QCOMPARE(Preview(w)->DocumentText(), text);
      QCOMPARE(ReadFileBytes(h.home / "bak1.dat"), ReadFileBytes(h.home / "bak.rtf"));
      Click(w, "Command2(0)");
      QVERIFY(Control<QWidget>(w, "Picture1")->isVisible());
      Click(w, "Command3(2)");  // back
      QVERIFY(Control<QWidget>(w, "Picture1")->isHidden());
      h.frm->editor()->LoadText("changed meanwhile");
      Click(w, "Command2(0)");
      Click(w, "Command3(0)");
      QVERIFY(!w.isVisible());
    });
    QCOMPARE(h.Text(), text);
    QVERIFY(FileExists(h.home / "bak1.dat"));  // kept until the next conversion
    QVERIFY(!FileExists(h.home / "bak.rtf") && !FileExists(h.home / "bak1.rtf"));
  }

  void LineEndsGoThroughTheTableAndTheResultIsKeptByteForByte() {
    Harness h;
    h.Start();
    InstallTables(h);
    InConvFrm(h, "A\r\nB\r\n", [&](QDialog& w) {
      ClickTable(w, "SWAP");
      QCOMPARE(ReadFileBytes(h.home / "bak1.dat"), std::string("A\n\rB\n\r"));
      Click(w, "Command2(0)");
      Click(w, "Command3(0)");
    });
    QCOMPARE(h.Text(), std::string("A\n\rB\n\r"));

    // A named file with duplicate codes, bytes CP932 never uses and lone
    // LF line ends, through ISO (bytes with parity bits): the editor holds
    // the bytes exactly, so the LF save writes bak1.dat back.
    const std::string bytes = "\x87\x90\x80\xfd\n(\x8c\x8a)G01X1.0\nM30\n";
    const QString source = h.File("prog.nc", bytes);
    const QString saved = QString::fromStdString(h.files / "saved.nc");
    for (const char* table : {"IDENTITY", "TEXT-TO-ISO"}) {
      InConvFrm(h, "", [&](QDialog& w) {
        Click(w, "Option1(1)");
        Control<QLineEdit>(w, "Text1")->setText(source);
        ClickTable(w, table);
        Click(w, "Command2(0)");
        Click(w, "Command3(0)");
      });
      h.prompter.save_answers = {saved};
      h.Item("MnuLFsave")->trigger();
      QCOMPARE(ReadFileBytes(saved.toStdString()), ReadFileBytes(h.home / "bak1.dat"));
      if (std::string(table) == "IDENTITY") QCOMPARE(ReadFileBytes(saved.toStdString()), bytes);
    }
  }

  void BadTableIsRefusedAndWritesNothing() {
    Harness h;
    h.Start();
    InstallTables(h);
    WriteFileBytes(h.home / "bak1.dat", "earlier");
    InConvFrm(h, "G01\r\n", [&](QDialog& w) {
      ClickTable(w, "BAD");
      QCOMPARE(h.prompter.messages.back().text,
               QString("エラー番号 : 380\n変換テーブル「BAD」の 3 行目 5 列目（入力 42）: "
                       "「G1」は 0 から FF までの 16 進数ではありません"));
      QCOMPARE(ReadFileBytes(h.home / "bak1.dat"), std::string("earlier"));
      QVERIFY(Preview(w)->DocumentText().empty());
      QVERIFY(!Enabled(w, "Command2(0)"));
      // After a success, a failed conversion keeps the preview and the
      // result it shows.
      ClickTable(w, "SWAP");
      ClickTable(w, "BAD");
      QCOMPARE(Preview(w)->DocumentText(), std::string("G01\n\r"));
      QCOMPARE(ReadFileBytes(h.home / "bak1.dat"), std::string("G01\n\r"));
      // A missing source file is reported too.
      Click(w, "Option1(1)");
      Control<QLineEdit>(w, "Text1")->setText(QString::fromStdString(h.files / "missing.nc"));
      ClickTable(w, "IDENTITY");
      QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 53\n"));
      QCOMPARE(ReadFileBytes(h.home / "bak1.dat"), std::string("G01\n\r"));
      Click(w, "Command2(0)");
      Click(w, "Command3(0)");
    });
    QCOMPARE(h.Text(), std::string("G01\n\r"));
  }

  void EmptySourceAndOutputToAFile() {
    Harness h;
    h.Start();
    InstallTables(h);
    InConvFrm(h, "", [&](QDialog& w) {
      ClickTable(w, "TEXT-TO-ISO");
      QCOMPARE(ReadFileBytes(h.home / "bak1.dat"), std::string());
      QVERIFY(Preview(w)->DocumentText().empty());
      QVERIFY(Enabled(w, "Command2(0)"));
    });

    // Output to a new file through the save dialog; its cancel is silent.
    const std::string target = h.files / "new-tape.iso";
    InConvFrm(h, "G01\r\n", [&](QDialog& w) {
      ClickTable(w, "TEXT-TO-ISO");
      Click(w, "Command2(0)");
      h.prompter.save_answers = {std::nullopt};
      Click(w, "Command3(1)");
      QVERIFY(w.isVisible());
      QVERIFY(h.prompter.messages.empty());
      h.prompter.save_answers = {QString::fromStdString(target)};
      Click(w, "Command3(1)");
      QVERIFY(!w.isVisible());
    });
    QVERIFY(h.prompter.open_presets.empty());
    QCOMPARE(ReadFileBytes(target), std::string("\x47\x30\xb1\x8d\x0a"));
    QCOMPARE(h.prompter.messages.back().text, "ファイルを保存しました。\r\n" + QString::fromStdString(target));
    QCOMPARE(h.Text(), std::string("G01\r\n"));
  }

  void PreviewDiscardsKeysWithCtrl() {
    Harness h;
    h.Start();
    InstallTables(h);
    InConvFrm(h, "G01\r\n", [&](QDialog& w) {
      ClickTable(w, "IDENTITY");
      TextEditor* preview = Preview(w);
      QVERIFY(preview->isReadOnly());
      QTest::keyClick(preview, Qt::Key_A, Qt::ControlModifier);  // select all
      QVERIFY(!preview->hasSelectedText());
    });
  }

  void TableEditorShowsEditsAndSavesTables() {
    Harness h;
    h.Start();
    InstallTables(h);
    h.module.MacroCount = 0;
    bool ran = false;
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      QCOMPARE(w.windowTitle(), QString("コードエディタ"));
      QCOMPARE(Entries(w), (std::vector<QString>{"BAD", "IDENTITY", "SWAP", "TEXT-TO-ISO"}));
      // The first table is refused whole: every cell stays "0".
      QVERIFY(h.prompter.messages.back().text.startsWith("エラー番号 : 380\n変換テーブル「BAD」"));
      QCOMPARE(Cell(w, 0x42)->text(), QString("0"));
      QCOMPARE(Cell(w, 0x43)->text(), QString("0"));
      QCOMPARE(Control<QLabel>(w, "Label2(10)")->text(), QString("A"));
      QCOMPARE(Control<QLabel>(w, "Label3(15)")->text(), QString("F"));
      QCOMPARE(Cell(w, 17)->pos(), QPoint(48, 66));  // (1 * 375 + 350, 1 * 285 + 700) twips

      Control<QComboBox>(w, "Combo1")->setCurrentIndex(2);  // SWAP
      QCOMPARE(Cell(w, 0x0D)->text(), QString("a"));
      QCOMPARE(Cell(w, 0x41)->text(), QString("41"));
      QVERIFY(!Enabled(w, "Text1(0)") && !Control<QCheckBox>(w, "Check1")->isChecked());

      // Only hexadecimal digits are typed; the backspace is dropped too.
      Click(w, "Check1");
      QVERIFY(Enabled(w, "Text1(255)"));
      QLineEdit* cell = Cell(w, 0x41);
      cell->setFocus();
      cell->end(false);
      QTest::keyClick(cell, Qt::Key_G);
      QTest::keyClick(cell, Qt::Key_Backspace);
      QCOMPARE(cell->text(), QString("41"));
      QTest::keyClick(cell, Qt::Key_Delete);  // at the end: nothing to delete
      cell->home(false);
      QTest::keyClick(cell, Qt::Key_Delete);
      QTest::keyClick(cell, Qt::Key_Delete);
      QTest::keyClicks(cell, "7e");
      QCOMPARE(cell->text(), QString("7e"));

      // Save under a new name, twice: listed once.
      Control<QComboBox>(w, "Combo1")->setCurrentText("MINE");
      Click(w, "Command1(0)");
      QCOMPARE(h.prompter.messages.back().text, QString("MINE を登録しました。"));
      Click(w, "Command1(0)");
      QCOMPARE(Entries(w).size(), std::size_t{5});
      const TapeTable mine = LoadTapeTable(h.home / "CVTBL/MINE", "MINE");
      QCOMPARE(mine.map[0x41], std::uint8_t{0x7E});
      QCOMPARE(mine.map[0x0D], std::uint8_t{0x0A});
      QVERIFY(Enabled(w, "Text1(0)"));  // the cells stay as they were

      // An emptied first cell of a row saves a row of 15 fields; the editor
      // then refuses to load that table.
      Cell(w, 0x01)->clear();
      Click(w, "Command1(0)");
      const std::string saved = ReadFileBytes(h.home / "CVTBL/MINE");
      QCOMPARE(saved.substr(saved.find("\r\n") + 2, 4), std::string("11,2"));
      Control<QComboBox>(w, "Combo1")->setCurrentIndex(1);
      Control<QComboBox>(w, "Combo1")->setCurrentIndex(4);
      QVERIFY(h.prompter.messages.back().text.contains("2 行目 16 列目"));
      QCOMPARE(Cell(w, 0x11)->text(), QString("0"));
      ran = true;
    });
    h.Item("MnuCvED")->trigger();
    QVERIFY(ran);
    QCOMPARE(h.module.MacroSteps[0].item, std::string("10"));
  }

  void TableNamesAreFileNamesAndDeletingAsksFirst() {
    Harness h;
    h.Start();
    InstallTables(h);
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      auto* combo = Control<QComboBox>(w, "Combo1");
      for (const char* name : {"../evil", "sub/evil", "..", ""}) {
        combo->setCurrentText(name);
        const std::size_t shown = h.prompter.messages.size();
        Click(w, "Command1(0)");
        QCOMPARE(h.prompter.messages.size(), shown + 1);
        QVERIFY(h.prompter.messages.back().text.contains(name[0] == '\0' ? "入力" : "使えません"));
        Click(w, "Command1(1)");
        QCOMPARE(h.prompter.messages.size(), shown + 2);  // refused before the question
      }
      QVERIFY(!FileExists(h.home / "evil"));
      QVERIFY(!std::filesystem::exists(h.home / "CVTBL/sub"));

      // No keeps the table; Yes deletes the file and its entry.
      combo->setCurrentIndex(2);  // SWAP
      h.prompter.message_answers = {kResultNo};
      Click(w, "Command1(1)");
      QCOMPARE(h.prompter.messages.back().text, QString("SWAP を削除してよいですか。"));
      QCOMPARE(h.prompter.messages.back().buttons, Buttons::kYesNo);
      QVERIFY(FileExists(h.home / "CVTBL/SWAP"));
      Click(w, "Command1(1)");
      QVERIFY(!FileExists(h.home / "CVTBL/SWAP"));
      QCOMPARE(Entries(w), (std::vector<QString>{"BAD", "IDENTITY", "TEXT-TO-ISO"}));
      // A name without a file.
      combo->setCurrentText("GONE");
      Click(w, "Command1(1)");
      QVERIFY(h.prompter.messages.back().text.startsWith("ERrNumbER=53\r\n"));
    });
    h.Item("MnuCvED")->trigger();
  }

  void EmptyTableFolderListsNothing() {
    Harness h;
    h.Start();
    h.prompter.dialog_scripts.push_back([&](QDialog& w) {
      QVERIFY(Entries(w).empty());
      QCOMPARE(Cell(w, 0)->text(), QString("0"));
    });
    h.Item("MnuCvED")->trigger();
    InConvFrm(h, "X", [](QDialog& w) { QCOMPARE(Control<QListWidget>(w, "List1")->count(), 0); });
    QVERIFY(h.prompter.messages.empty());
  }
};

}  // namespace kovrel

QTEST_MAIN(kovrel::TapeWindowsTest)
#include "tape_windows_test.moc"
