// DxfOutFrm and the DXF menu commands.
#include "ui/dialogs/dxf_windows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>

#include "core/edit_module.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/settings_store.h"
#include "dxf/dxf_gcode.h"
#include "dxf/dxf_holes.h"
#include "dxf/gcode_dxf.h"
#include "dxf/hole_dxf.h"
#include "shell/startup.h"
#include "ui/editor/edit_frm.h"
#include "ui/editor/text_editor.h"
#include "ui/platform/choice_captions.h"
#include "ui/platform/prompter.h"
#include "ui/platform/window_guard.h"

namespace kovrel {
namespace {

constexpr int kGridLayers = 99;
constexpr int kColourColumn = 1;

// A colour box holds one digit 1 to 7, or nothing.
bool IsColourText(const QString& text) {
  return text.isEmpty() || (text.size() == 1 && text[0] >= QChar('1') && text[0] <= QChar('7'));
}

// Lifts the editor's busy pointer while a window waits for the user.
class NotBusy {
 public:
  explicit NotBusy(EditFrm& frm) : frm_(frm) { frm_.editor()->SetBusy(false); }
  ~NotBusy() { frm_.editor()->SetBusy(true); }
  NotBusy(const NotBusy&) = delete;
  NotBusy& operator=(const NotBusy&) = delete;

 private:
  EditFrm& frm_;
};

}  // namespace

DxfOutFrm::DxfOutFrm(EditFrm& frm, const std::vector<std::string>& layers, QWidget* parent)
    : QDialog(parent), frm_(frm) {
  setObjectName("DxfOutFrm");
  setWindowTitle("DXFの色設定");
  setModal(true);
  layer_rows_ = static_cast<int>(std::min<std::size_t>(layers.size(), kGridLayers));

  grid_ = new QTableWidget(layer_rows_ + 1, 2, this);
  grid_->setObjectName("MSFlexGrid1");
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setMinimumSize(260, 240);
  grid_->setItem(0, 0, new QTableWidgetItem("画層名"));
  grid_->setItem(0, kColourColumn, new QTableWidgetItem("色番号"));
  for (int row = 1; row <= layer_rows_; ++row) {
    grid_->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(layers[static_cast<std::size_t>(row - 1)])));
    grid_->setItem(row, kColourColumn, new QTableWidgetItem());
  }
  grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

  const QStringList modes = Captions(kDxfColourModes);
  for (int i = 0; i < 2; ++i) {
    option1_[i] = new QRadioButton(modes[i], this);
    option1_[i]->setObjectName(QString("Option1(%1)").arg(i));
  }
  auto* validator = new QRegularExpressionValidator(QRegularExpression("[1-7]?"), this);
  text1_ = new QLineEdit(this);
  text1_->setObjectName("Text1");
  text2_ = new QLineEdit(this);
  text2_->setObjectName("Text2");
  for (QLineEdit* box : {text1_, text2_}) {
    box->setValidator(validator);
    box->setMaximumWidth(60);
    box->installEventFilter(this);
  }
  auto* label0 = new QLabel("指定色", this);
  label0->setObjectName("Label1(0)");
  auto* label1 = new QLabel("色番号(1～7)", this);
  label1->setObjectName("Label1(1)");
  auto* run = new QPushButton("実行", this);
  run->setObjectName("Command1(0)");
  run->setAutoDefault(false);
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName("Command1(1)");
  cancel->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(grid_, 0, 0, 6, 1);
  layout->addWidget(option1_[0], 0, 1, 1, 2);
  layout->addWidget(option1_[1], 1, 1, 1, 2);
  layout->addWidget(label0, 2, 1);
  layout->addWidget(text1_, 2, 2);
  layout->addWidget(label1, 3, 1);
  layout->addWidget(text2_, 3, 2);
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(run);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 5, 1, 1, 2);

  // The load: the first layer's name is the current cell; the common
  // colour and the mode come from the settings.
  grid_->setCurrentCell(layer_rows_ > 0 ? 1 : 0, 0);
  const SettingsStore& settings = frm.services().settings;
  const QString colour = QString::fromStdString(GetSetting(settings, kShellSection, "DxfColor", "5")).trimmed();
  text1_->setText(IsColourText(colour) ? colour : QString("5"));
  const int option = GetNumberSetting(settings, kShellSection, "DxfOption", 0) == 1 ? 1 : 0;
  option1_[option]->setChecked(true);
  Option1Clicked(option);

  for (int i = 0; i < 2; ++i) {
    connect(option1_[i], &QRadioButton::clicked, this, [this, i] { Guarded([this, i] { Option1Clicked(i); }); });
  }
  connect(text1_, &QLineEdit::textChanged, this, [this] { Guarded([this] { Text1Changed(); }); });
  connect(text2_, &QLineEdit::textChanged, this, [this] { Guarded([this] { Text2Changed(); }); });
  connect(grid_, &QTableWidget::cellClicked, this,
          [this](int row, int column) { Guarded([=, this] { GridClicked(row, column); }); });
  connect(run, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DxfOutFrm::Guarded(const std::function<void()>& body) { Guard(frm_.services().prompter, body); }

void DxfOutFrm::SetColourCell(int row, const QString& text) {
  grid_->item(row, kColourColumn)->setText(text.isEmpty() ? text : " " + text);
}

void DxfOutFrm::Option1Clicked(int index) {
  text2_->clear();
  text2_->setEnabled(false);
  const bool same = index == 1;
  text1_->setEnabled(same);
  DxfColourOptions each;
  for (int row = 1; row <= layer_rows_; ++row) {
    SetColourCell(row, same ? text1_->text() : QString::number(ModeColour(each, row)));
  }
  SaveSetting(frm_.services().settings, kShellSection, "DxfOption", same ? "1" : "0");
}

void DxfOutFrm::Text1Changed() {
  // The common colour goes to every layer while it is the one chosen.
  if (!option1_[1]->isChecked()) return;
  for (int row = 1; row <= layer_rows_; ++row) SetColourCell(row, text1_->text());
}

void DxfOutFrm::GridClicked(int row, int column) {
  if (column != kColourColumn || row < 1 || row > layer_rows_) return;
  grid_->setCurrentCell(row, column);
  text2_->setEnabled(true);
  text2_->setText(grid_->item(row, column)->text().trimmed());
}

void DxfOutFrm::Text2Changed() {
  const int row = grid_->currentRow();
  if (grid_->currentColumn() != kColourColumn || row < 1 || row > layer_rows_) return;
  SetColourCell(row, text2_->text());
}

bool DxfOutFrm::eventFilter(QObject* watched, QEvent* event) {
  if ((watched != text1_ && watched != text2_) || event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  // Only the keys 1 to 7 are taken, and the digit is the box's whole text;
  // every other character key, backspace included, is dropped. Keys that
  // type nothing (Delete, arrows) work as usual.
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString typed = key->text();
  if (key->key() == Qt::Key_Backspace) return true;
  if (typed.isEmpty() || !typed[0].isPrint()) return QDialog::eventFilter(watched, event);
  if (typed.size() == 1 && typed[0] >= QChar('1') && typed[0] <= QChar('7')) {
    static_cast<QLineEdit*>(watched)->setText(typed);
  }
  return true;
}

DxfColourOptions DxfOutFrm::Colours() const {
  DxfColourOptions colours;
  colours.mode = option1_[1]->isChecked() ? DxfColourMode::kSame : DxfColourMode::kEachLayer;
  colours.colour = SaturatedInt(ReadNumber(text1_->text().toStdString()));
  for (int row = 1; row <= layer_rows_; ++row) {
    colours.chosen.push_back(SaturatedInt(ReadNumber(grid_->item(row, kColourColumn)->text().toStdString())));
  }
  return colours;
}

void DxfOutFrm::done(int result) {
  Guarded([this] { SaveSetting(frm_.services().settings, kShellSection, "DxfColor", text1_->text().toStdString()); });
  QDialog::done(result);
}

std::optional<DxfColourOptions> AskDxfColours(EditFrm& frm, const std::vector<std::string>& layers) {
  NotBusy waiting(frm);
  DxfOutFrm window(frm, layers, &frm);
  if (frm.services().prompter.RunDialog(window) != QDialog::Accepted) return std::nullopt;
  return window.Colours();
}

// ----------------------------------------------------------- menu commands

void WireDxfCommands(EditFrm& frm) {
  // The window opens once the document is read, for its layers.
  const auto ask = [&frm](const std::vector<std::string>& layers) { return AskDxfColours(frm, layers); };
  frm.WireCommand("MnuHolDxf", [&frm, ask] {
    frm.RunHandOff(MacroStepRef{kEditMenu, 21}, [ask](std::string_view input) { return HoleDataToDxf(input, ask); });
  });
  frm.WireCommand("MnuNcDxf", [&frm, ask] {
    frm.RunHandOff(MacroStepRef{kEditMenu, 24}, [ask](std::string_view input) { return GcodeToDxf(input, ask); });
  });
  // The drawing is handed over in BAK1.DAT, the G-code comes back in BAK.DAT.
  frm.WireCommand("MnuDxfNc", [&frm] {
    frm.RunHandOff(MacroStepRef{kEditMenu, 27}, DxfToGcode, WorkFiles{"BAK1.DAT", "BAK.DAT"});
  });
  frm.WireCommand("MnuDxsDlir", [&frm] { frm.RunHandOff(MacroStepRef{kEditMenu, 28}, DxfToHoleData); });
}

}  // namespace kovrel
