// NC_FMT and HolOutExlFrm, and the hole data menu commands.
#include "ui/dialogs/hole_windows.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/edit_module.h"
#include "holes/hole_gcode.h"
#include "ui/dialogs/detected_format.h"
#include "ui/editor/edit_frm.h"
#include "ui/platform/choice_captions.h"
#include "ui/platform/launcher.h"
#include "ui/platform/prompter.h"
#include "ui/platform/screen_busy.h"

namespace kovrel {
namespace {

QRadioButton* Radio(const QString& name, const QString& caption, QWidget* parent) {
  auto* radio = new QRadioButton(caption, parent);
  radio->setObjectName(name);
  return radio;
}

QLineEdit* Edit(const QString& name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  return edit;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// A frame of option buttons in a column.
QGroupBox* Frame(const QString& caption, std::initializer_list<QWidget*> children, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  auto* layout = new QVBoxLayout(frame);
  for (QWidget* child : children) layout->addWidget(child);
  return frame;
}

}  // namespace

// ------------------------------------------------------------------ NC_FMT

NcFmt::NcFmt(EditFrm& frm, QWidget* parent) : QDialog(parent), frm_(frm) {
  setObjectName("NC_FMT");
  setWindowTitle("ＮＣフォーマット");
  setModal(true);

  const QStringList units = Captions(kHoleUnits);
  auto* unit_frame = new QGroupBox("単位(1.23㎜)", this);
  auto* unit_layout = new QGridLayout(unit_frame);
  for (int i = 0; i < units.size(); ++i) {
    option1_[i] = Radio(QString("Option1(%1)").arg(i), units[i], unit_frame);
    unit_layout->addWidget(option1_[i], i % 4, i / 4);
  }
  option2_[0] = Radio("Option2(0)", "ABS (G90)", this);
  option2_[1] = Radio("Option2(1)", "INC (G91)", this);
  auto* coordinate_frame = Frame("座標形式", {option2_[0], option2_[1]}, this);

  auto* hole_frame = new QGroupBox("座標変換方法", this);
  auto* hole_layout = new QGridLayout(hole_frame);
  const HoleFormatOptions defaults;
  const QStringList modes = Captions(kHoleModes);
  for (int i = 0; i < 3; ++i) option3_[i] = Radio(QString("Option3(%1)").arg(i), modes[i], hole_frame);
  text1_ = Edit("Text1", QString::fromStdString(defaults.hole_code), hole_frame);
  text3_[0] = Edit("Text3(0)", QString::fromStdString(defaults.cycle_code), hole_frame);
  text3_[1] = Edit("Text3(1)", QString::fromStdString(defaults.cancel_code), hole_frame);
  auto* label0 = new QLabel("ｻｲｸﾙｺｰﾄﾞ", hole_frame);
  label0->setObjectName("Label1(0)");
  auto* label1 = new QLabel("ｷｬﾝｾﾙｺｰﾄﾞ", hole_frame);
  label1->setObjectName("Label1(1)");
  hole_layout->addWidget(option3_[0], 0, 0, 1, 3);
  hole_layout->addWidget(option3_[1], 1, 0, 1, 2);
  hole_layout->addWidget(text1_, 1, 2);
  hole_layout->addWidget(option3_[2], 2, 0, 1, 3);
  hole_layout->addWidget(label0, 3, 1);
  hole_layout->addWidget(text3_[0], 3, 2);
  hole_layout->addWidget(label1, 4, 1);
  hole_layout->addWidget(text3_[1], 4, 2);

  auto* tool_frame = new QGroupBox("Ｔコード変換方法", this);
  auto* tool_layout = new QGridLayout(tool_frame);
  const QStringList tools = Captions(kToolModes);
  option4_[0] = Radio("Option4(0)", tools[0], tool_frame);
  option4_[1] = Radio("Option4(1)", tools[1], tool_frame);
  text2_ = Edit("Text2", QString::fromStdString(defaults.tool_text), tool_frame);
  tool_layout->addWidget(option4_[0], 0, 0, 1, 2);
  tool_layout->addWidget(option4_[1], 1, 0);
  tool_layout->addWidget(text2_, 1, 1);

  option5_[0] = Radio("Option5(0)", "*", this);
  option5_[1] = Radio("Option5(1)", "LF", this);
  option5_[2] = Radio("Option5(2)", "CR", this);
  auto* separator_frame = Frame("改行ｺｰﾄﾞ", {option5_[0], option5_[1], option5_[2]}, this);

  command1_ = Button("Command1", "実行", this);
  command2_ = Button("Command2", "ｷｬﾝｾﾙ", this);

  // Each frame is a group of its own.
  const auto group = [this](std::initializer_list<QRadioButton*> buttons) {
    auto* g = new QButtonGroup(this);
    for (QRadioButton* b : buttons) g->addButton(b);
  };
  auto* unit_group = new QButtonGroup(this);
  for (QRadioButton* b : option1_) unit_group->addButton(b);
  group({option2_[0], option2_[1]});
  group({option3_[0], option3_[1], option3_[2]});
  group({option4_[0], option4_[1]});
  group({option5_[0], option5_[1], option5_[2]});

  const FormatDetection found = DetectDocument(frm);
  detected_ = new DetectedFormatPanel(found, FormatWindowKind::kNcFmt, this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(unit_frame, 0, 0);
  layout->addWidget(coordinate_frame, 0, 1);
  layout->addWidget(separator_frame, 0, 2);
  layout->addWidget(detected_, 1, 0, 1, 3);
  layout->addWidget(hole_frame, 2, 0, 1, 3);
  layout->addWidget(tool_frame, 3, 0, 1, 3);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);
  layout->addLayout(buttons, 4, 0, 1, 3);

  // The design defaults, the unit as the header states it.
  option1_[OpeningIndex(kHoleUnits, found.hole_unit, found, defaults.unit)]->setChecked(true);
  option2_[defaults.incremental ? 1 : 0]->setChecked(true);
  option3_[ChoiceIndex(kHoleModes, defaults.hole_mode)]->setChecked(true);
  option4_[ChoiceIndex(kToolModes, defaults.tool_mode)]->setChecked(true);
  option5_[0]->setChecked(true);
  Option3Clicked(ChoiceIndex(kHoleModes, defaults.hole_mode));

  for (int i = 0; i < 3; ++i) connect(option3_[i], &QRadioButton::clicked, this, [this, i] { Option3Clicked(i); });
  for (int i = 0; i < 2; ++i) connect(option4_[i], &QRadioButton::clicked, this, [this, i] { Option4Clicked(i); });
  connect(text1_, &QLineEdit::textChanged, this, &NcFmt::Text1Changed);
  connect(command1_, &QPushButton::clicked, this, &NcFmt::Run);
  connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
}

void NcFmt::Option3Clicked(int index) {
  text1_->setEnabled(index == 1);
  text3_[0]->setEnabled(index == 2);
  text3_[1]->setEnabled(index == 2);
  if (index == 1) {
    Text1Changed();
    return;
  }
  option4_[0]->setEnabled(true);
  option4_[1]->setEnabled(true);
  text2_->setEnabled(true);
}

void NcFmt::Option4Clicked(int index) { text2_->setEnabled(index == 1); }

void NcFmt::Text1Changed() {
  // With D03 the D codes number the tools.
  const bool tools = text1_->text() != "D03";
  option4_[0]->setEnabled(tools);
  option4_[1]->setEnabled(tools);
  text2_->setEnabled(tools);
}

HoleFormatOptions NcFmt::Options() const {
  HoleFormatOptions options;
  for (std::size_t i = 0; i < kHoleUnits.size(); ++i) {
    if (option1_[i]->isChecked()) options.unit = kHoleUnits[i].value;
  }
  options.incremental = option2_[1]->isChecked();
  for (std::size_t i = 0; i < kHoleModes.size(); ++i) {
    if (option3_[i]->isChecked()) options.hole_mode = kHoleModes[i].value;
  }
  options.hole_code = text1_->text().toStdString();
  options.cycle_code = text3_[0]->text().toStdString();
  options.cancel_code = text3_[1]->text().toStdString();
  for (std::size_t i = 0; i < kToolModes.size(); ++i) {
    if (option4_[i]->isChecked()) options.tool_mode = kToolModes[i].value;
  }
  options.tool_text = text2_->text().toStdString();
  options.inch = detected_->Inch();
  return options;
}

void NcFmt::Run() {
  const HoleFormatOptions options = Options();
  // A refused option takes the focus; nothing runs.
  if (const auto problem = Validate(options)) {
    (problem->option == "hole-code" ? text1_ : text2_)->setFocus();
    return;
  }
  command1_->setEnabled(false);
  command2_->setEnabled(false);
  CommandOutcome outcome;
  {
    ScreenBusy busy;
    outcome = frm_.FinishHandOff(
        [&options](std::string_view input) { return ConversionResult(FormatHoleData(input, options)); }, {}, false);
  }
  if (outcome.failure_number == 9) {
    frm_.services().prompter.Message("ツール項目数が99を超えています。", Buttons::kOk, Icon::kExclamation,
                                     "エラーメッセージ");
  } else {
    frm_.ShowOutcome(outcome);
  }
  accept();
}

// ------------------------------------------------------------ HolOutExlFrm

HolOutExlFrm::HolOutExlFrm(EditFrm& frm, QWidget* parent) : QDialog(parent), frm_(frm) {
  setObjectName("HolOutExlFrm");
  setWindowTitle("穴データをエクセルへ");
  setModal(true);
  frame1_ = new QGroupBox(this);
  frame1_->setObjectName("Frame1");
  auto* frame_layout = new QHBoxLayout(frame1_);
  const QStringList captions = Captions(kSheetLayouts);
  auto* group = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    option1_[i] = Radio(QString("Option1(%1)").arg(i), captions[i], frame1_);
    group->addButton(option1_[i]);
    frame_layout->addWidget(option1_[i]);
    connect(option1_[i], &QRadioButton::clicked, this, &HolOutExlFrm::ShowPreview);
  }
  // The preview grid: row 0 holds the column headings A-F, column 0 the row
  // headings 1-4.
  grid_ = new QTableWidget(5, 7, this);
  grid_->setObjectName("MSFlexGrid1");
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setMinimumSize(560, 170);
  for (int column = 1; column <= 6; ++column) {
    grid_->setItem(0, column, new QTableWidgetItem(QString(QChar('A' + column - 1))));
  }
  for (int row = 1; row <= 4; ++row) grid_->setItem(row, 0, new QTableWidgetItem(QString::number(row)));
  auto* run = Button("Command1(0)", "実行", this);
  auto* cancel = Button("Command1(1)", "ｷｬﾝｾﾙ", this);
  connect(run, &QPushButton::clicked, this, &HolOutExlFrm::Run);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame1_);
  layout->addWidget(grid_);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  buttons->addWidget(run);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  option1_[0]->setChecked(true);
  ShowPreview();
  // Every column of the preview in view, without scrolling.
  grid_->resizeColumnsToContents();
  int width = 2 * grid_->frameWidth();
  for (int column = 0; column < grid_->columnCount(); ++column) width += grid_->columnWidth(column);
  grid_->setMinimumWidth(width);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

SheetLayout HolOutExlFrm::Layout() const {
  for (std::size_t i = 0; i < kSheetLayouts.size(); ++i) {
    if (option1_[i]->isChecked()) return kSheetLayouts[i].value;
  }
  return SheetLayout::kA;
}

void HolOutExlFrm::ShowPreview() {
  const auto set = [this](int row, int column, const QString& text) {
    grid_->setItem(row, column, new QTableWidgetItem(text));
  };
  for (int column = 1; column <= 6; ++column) set(2, column, QString());
  set(1, 1, "T01");
  set(1, 2, "φ1.0");
  switch (Layout()) {
    case SheetLayout::kA:
      set(2, 3, "X");
      set(2, 4, "123.456");
      set(2, 5, "Y");
      set(2, 6, "123.456");
      break;
    case SheetLayout::kB:
      set(2, 3, "X123.456");
      set(2, 4, "Y123.456");
      break;
    case SheetLayout::kC:
      set(2, 3, "X123.456Y123.456");
      break;
  }
}

void HolOutExlFrm::Run() {
  frame1_->setEnabled(false);
  const SheetLayout layout = Layout();
  EditFrm& frm = frm_;
  const QString path = NewWorkbookPath(QString::fromStdString(frm.services().module.SysDir));
  const CommandOutcome outcome = frm.FinishExport([&](std::string_view input) {
    ScreenBusy busy;
    WriteHoleWorkbook(input, layout, path.toStdString());
    return std::string();
  });
  if (outcome.kind == CommandOutcome::Kind::kConverted && !frm.services().launcher.Open(path)) {
    frm.services().prompter.Message("表計算ソフトで開けませんでした。ワークブックは次の場所にあります:\n" + path,
                                    Buttons::kOk, Icon::kInformation);
  }
  accept();
}

QString NewWorkbookPath(const QString& folder) {
  QDir().mkpath(folder);
  const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
  QString path = QDir(folder).filePath("穴データ-" + stamp + ".xlsx");
  for (int n = 2; QFileInfo::exists(path); ++n) path = QDir(folder).filePath(QString("穴データ-%1-%2.xlsx").arg(stamp).arg(n));
  return path;
}

// ----------------------------------------------------------- menu commands

void WireHoleCommands(EditFrm& frm) {
  frm.WireCommand("MnuHolFmt", [&frm] {
    if (!frm.BeginHandOff(MacroStepRef{kEditMenu, 16})) return;
    NcFmt window(frm, &frm);
    frm.services().prompter.RunDialog(window);
  });
  frm.WireCommand("MnuHolGcode", [&frm] {
    frm.RunHandOff(MacroStepRef{kEditMenu, 20}, [](std::string_view input) { return HoleDataToGcode(input); });
  });
  frm.WireCommand("MnuDlrExcel", [&frm] {
    if (!frm.BeginHandOff(MacroStepRef{kEditMenu, 22})) return;
    HolOutExlFrm window(frm, &frm);
    frm.services().prompter.RunDialog(window);
  });
}

}  // namespace kovrel
