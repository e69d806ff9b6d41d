// HenkanFrm and SeiGyoHenkan, and the text-tool menu commands.
#include "ui/dialogs/text_windows.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/edit_module.h"
#include "texttools/control_chars.h"
#include "texttools/replace_all.h"
#include "ui/dialogs/compare_window.h"
#include "ui/dialogs/named_controls.h"
#include "ui/dialogs/tape_windows.h"
#include "ui/editor/edit_frm.h"
#include "ui/editor/text_editor.h"
#include "ui/platform/prompter.h"
#include "ui/platform/screen_busy.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

// The work files of each command; the text tools read line ends as they
// stand.
constexpr WorkFiles kReplaceFiles{"bak.$$$", "bak1.$$$", InputLineEnds::kAsTheyStand};
constexpr WorkFiles kControlFiles{"bak.rtf", "bak1.rtf", InputLineEnds::kAsTheyStand};

QLabel* Label(const QString& caption, const QString& name, QWidget* parent) {
  return Named(new QLabel(caption, parent), name);
}

// An editable combo box with its list, starting with the text "CrLf".
QComboBox* ControlCombo(const QString& name, const QStringList& items, QWidget* parent) {
  auto* combo = Named(new QComboBox(parent), name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  combo->setCurrentText("CrLf");
  return combo;
}

}  // namespace

// --------------------------------------------------------------- HenkanFrm

HenkanFrm::HenkanFrm(EditFrm& frm, Mode mode) : QDialog(&frm), frm_(frm) {
  setObjectName("HenkanFrm");
  setModal(false);
  const bool find = mode == Mode::kFind;
  setWindowTitle(find ? "検索" : "置換");
  auto* label0 = Label("検索する文字列", "Label2(0)", this);
  auto* label1 = Label("置換後の文字列", "Label2(1)", this);
  text1_ = Named(new QLineEdit(this), "Text1");
  text2_ = Named(new QLineEdit(this), "Text2");
  auto* find_button = CommandButton("検索", "Command2(0)", this);
  auto* replace_button = CommandButton("置換", "Command2(1)", this);
  auto* layout = new QGridLayout(this);
  layout->addWidget(label0, 0, 0);
  layout->addWidget(text1_, 0, 1);
  layout->addWidget(label1, 1, 0);
  layout->addWidget(text2_, 1, 1);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  buttons->addWidget(find_button);
  buttons->addWidget(replace_button);
  layout->addLayout(buttons, 2, 0, 1, 2);
  if (find) {
    replace_button->hide();
    text2_->setEnabled(false);
    label1->setEnabled(false);
  } else {
    find_button->hide();
  }
  Prompter& prompter = frm.services().prompter;
  ConnectGuarded(find_button, &QPushButton::clicked, this, prompter, [this] { FindNext(); });
  ConnectGuarded(replace_button, &QPushButton::clicked, this, prompter, [this] { ReplaceEverywhere(); });
  resize(420, sizeHint().height());
}

HenkanFrm* HenkanFrm::Open(EditFrm& frm, Mode mode) {
  RecordStep(frm.services().module, kEditMenu, mode == Mode::kFind ? 12 : 13);
  delete frm.findChild<HenkanFrm*>("HenkanFrm", Qt::FindDirectChildrenOnly);
  auto* window = new HenkanFrm(frm, mode);
  window->show();
  return window;
}

void HenkanFrm::FindNext() {
  const std::string find = text1_->text().toStdString();
  TextEditor* editor = frm_.editor();
  const long caret = editor->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  const auto found = FindAfterCaret(editor->DocumentText(), static_cast<std::size_t>(caret), find);
  if (!found) {
    frm_.services().prompter.Message(QString::fromStdString(NotFoundMessage(find)), Buttons::kOk, Icon::kNone);
    return;
  }
  editor->Mark(static_cast<long>(found->start), static_cast<long>(found->end));
  // The keyboard stays with this window for the next find.
  activateWindow();
  text1_->setFocus();
}

void HenkanFrm::ReplaceEverywhere() {
  ScreenBusy busy;
  frm_.RunHandOff(std::nullopt, ReplaceAllConversion(text1_->text().toStdString(), text2_->text().toStdString()),
                  kReplaceFiles);
}

// ------------------------------------------------------------ SeiGyoHenkan

SeiGyoHenkan::SeiGyoHenkan(EditFrm& frm) : QDialog(&frm), frm_(frm) {
  setObjectName("SeiGyoHenkan");
  setWindowTitle("制御文字変換");
  setModal(true);
  auto* replace_box = new QGroupBox("置き換え", this);
  combo1_ = ControlCombo("Combo1", {"CrLf", "Cr", "Lf", "*"}, replace_box);
  combo2_ = ControlCombo("Combo2", {"CrLf", "Cr", "Lf", "*"}, replace_box);
  auto* replace_button = CommandButton("置き換え", "Command1(1)", replace_box);
  auto* replace_layout = new QGridLayout(replace_box);
  replace_layout->addWidget(Label("検索する制御文字", "Label3", replace_box), 0, 0);
  replace_layout->addWidget(combo1_, 0, 1);
  replace_layout->addWidget(Label("置換える文字列", "Label4", replace_box), 1, 0);
  replace_layout->addWidget(combo2_, 1, 1);
  replace_layout->addWidget(replace_button, 1, 2);

  auto* delete_box = new QGroupBox("削除", this);
  combo3_ = ControlCombo("Combo3", {"CrLf", "Cr", "Lf"}, delete_box);
  auto* delete_button = CommandButton("削除", "Command1(2)", delete_box);
  auto* delete_layout = new QGridLayout(delete_box);
  delete_layout->addWidget(Label("削除する制御文字", "Label2", delete_box), 0, 0);
  delete_layout->addWidget(combo3_, 0, 1);
  delete_layout->addWidget(delete_button, 0, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(replace_box);
  layout->addWidget(delete_box);
  Prompter& prompter = frm.services().prompter;
  ConnectGuarded(replace_button, &QPushButton::clicked, this, prompter, [this] { Replace(); });
  ConnectGuarded(delete_button, &QPushButton::clicked, this, prompter, [this] { Delete(); });
}

void SeiGyoHenkan::Replace() {
  ScreenBusy busy;
  frm_.RunHandOff(std::nullopt,
                  ReplaceControlConversion(combo1_->currentText().toStdString(), combo2_->currentText().toStdString()),
                  kControlFiles);
}

void SeiGyoHenkan::Delete() {
  ScreenBusy busy;
  frm_.RunHandOff(std::nullopt, DeleteControlConversion(combo3_->currentText().toStdString()), kControlFiles);
}

// ----------------------------------------------------------- menu commands

namespace {

// A menu command that records its step and shows its window modally.
template <typename Window>
void WireWindow(EditFrm& frm, const char* item, int step) {
  frm.WireCommand(item, [&frm, step] {
    RecordStep(frm.services().module, kEditMenu, step);
    Window window(frm);
    frm.services().prompter.RunDialog(window);
  });
}

}  // namespace

void WireTextToolCommands(EditFrm& frm) {
  frm.WireCommand("MnuKensaku", [&frm] { HenkanFrm::Open(frm, HenkanFrm::Mode::kFind); });
  frm.WireCommand("MnuHenkan", [&frm] { HenkanFrm::Open(frm, HenkanFrm::Mode::kReplace); });
  WireWindow<SeiGyoHenkan>(frm, "MnuSeigyo", 14);
  // The code conversion saves the document before its window opens.
  frm.WireCommand("MnuCv", [&frm] {
    if (!frm.BeginHandOff(MacroStepRef{kEditMenu, 9}, kTapeFiles)) return;
    ConvFrm window(frm);
    frm.services().prompter.RunDialog(window);
  });
  WireWindow<CvFrm>(frm, "MnuCvED", 10);
  WireWindow<FileIsFrm>(frm, "MnuFileIs", 11);
}

}  // namespace kovrel
