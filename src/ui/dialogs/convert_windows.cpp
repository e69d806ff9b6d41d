// GB_FMT, GAI_FMT and Ruta_FMT, and the conversion menu commands.
#include "ui/dialogs/convert_windows.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "convert/gcode_gerber.h"
#include "convert/gcode_hpgl.h"
#include "convert/gcode_sort.h"
#include "convert/gerber_format.h"
#include "convert/hpgl_gcode.h"
#include "convert/router_format.h"
#include "core/edit_module.h"
#include "core/settings_store.h"
#include "ui/dialogs/detected_format.h"
#include "ui/editor/edit_frm.h"
#include "ui/platform/choice_captions.h"
#include "ui/platform/prompter.h"
#include "ui/platform/screen_busy.h"
#include "ui/platform/twips.h"

namespace kovrel {
namespace {

constexpr std::string_view kSection = "Nc";

}  // namespace

FormatWindow::FormatWindow(EditFrm& frm, const QString& name, const QString& caption)
    : QDialog(&frm), frm_(frm) {
  setObjectName(name);
  setWindowTitle(caption);
  setModal(true);
  new QVBoxLayout(this);
  const SettingsStore& settings = frm.services().settings;
  move(TwipsToPixels(GetNumberSetting(settings, kSection, "FmtLeft", 0)),
       TwipsToPixels(GetNumberSetting(settings, kSection, "FmtTop", 0)));
}

void FormatWindow::done(int result) {
  SettingsStore& settings = frm_.services().settings;
  SaveSingleSetting(settings, kSection, "FmtLeft", static_cast<float>(PixelsToTwips(x())));
  SaveSingleSetting(settings, kSection, "FmtTop", static_cast<float>(PixelsToTwips(y())));
  QDialog::done(result);
}

std::vector<QRadioButton*> FormatWindow::Options(const QString& frame, const QString& name,
                                                 const QStringList& captions, int checked) {
  auto* box = new QGroupBox(frame, this);
  auto* box_layout = new QVBoxLayout(box);
  std::vector<QRadioButton*> buttons;
  for (int i = 0; i < captions.size(); ++i) {
    auto* button = new QRadioButton(captions[i], box);
    button->setObjectName(QString("%1(%2)").arg(name).arg(i));
    button->setChecked(i == checked);
    box_layout->addWidget(button);
    buttons.push_back(button);
  }
  layout()->addWidget(box);
  return buttons;
}

int FormatWindow::Selected(const std::vector<QRadioButton*>& buttons) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i]->isChecked()) return static_cast<int>(i);
  }
  return 0;
}

void FormatWindow::ConvertSaved(const Conversion& conversion) {
  AdvanceIconCount(frm_.services().module);
  {
    ScreenBusy busy;
    frm_.FinishHandOff(conversion);
  }
  accept();
}

QPushButton* FormatWindow::AddButtons(const QString& run_name, const QString& cancel_name) {
  auto* run = new QPushButton("実行", this);
  run->setObjectName(run_name);
  run->setAutoDefault(false);
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
  cancel->setObjectName(cancel_name);
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout();
  row->addStretch();
  row->addWidget(run);
  row->addWidget(cancel);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
  return run;
}

// ------------------------------------------------------------------ GB_FMT

GbFmt::GbFmt(EditFrm& frm) : FormatWindow(frm, "GB_FMT", "Ｇコードをガーバー形式へ変換") {
  const GcodeToGerberOptions defaults;
  unit_ = Options("出力単位(1.2345mm)", "Option1", Captions(kGerberOutputUnits),
                  ChoiceIndex(kGerberOutputUnits, defaults.unit));
  unit_[0]->parentWidget()->setObjectName("Frame1");
  end_ = Options("改行ｺｰﾄﾞ", "Option5", Captions(kGerberTerminators),
                 ChoiceIndex(kGerberTerminators, std::string_view(defaults.terminator)));
  end_[0]->parentWidget()->setObjectName("Frame6");
  connect(AddButtons("Command3", "Command2"), &QPushButton::clicked, this, &GbFmt::Run);
}

void GbFmt::Run() {
  GcodeToGerberOptions options;
  options.unit = kGerberOutputUnits[static_cast<std::size_t>(Selected(unit_))].value;
  options.terminator = kGerberTerminators[static_cast<std::size_t>(Selected(end_))].value;
  AdvanceIconCount(frm_.services().module);
  {
    ScreenBusy busy;
    frm_.RunHandOff(std::nullopt, [&options](std::string_view input) { return GcodeToGerber(input, options); });
  }
  accept();
}

// ----------------------------------------------------------------- GAI_FMT

GaiFmt::GaiFmt(EditFrm& frm) : FormatWindow(frm, "GAI_FMT", " ガーバーフォーマット") {
  const FormatDetection found = DetectDocument(frm);
  mode_ = Options("座標形式", "Option2", {"ABS", "INC"}, GerberFormatOptions{}.incremental ? 1 : 0);
  mode_[0]->parentWidget()->setObjectName("Frame2");
  unit_ = Options("入力単位(1.23mm)", "Option1", Captions(kGerberUnits),
                  OpeningIndex(kGerberUnits, found.gerber_unit, found, GerberFormatOptions{}.unit));
  unit_[0]->parentWidget()->setObjectName("Frame1");
  detected_ = new DetectedFormatPanel(found, FormatWindowKind::kGaiFmt, this);
  layout()->addWidget(detected_);
  run_ = AddButtons("Command1", "Command2");
  connect(run_, &QPushButton::clicked, this, &GaiFmt::Run);
}

void GaiFmt::Run() {
  run_->setEnabled(false);
  GerberFormatOptions options;
  options.incremental = Selected(mode_) == 1;
  options.unit = kGerberUnits[static_cast<std::size_t>(Selected(unit_))].value;
  options.inch = detected_->Inch();
  ConvertSaved([&options](std::string_view input) { return FormatGerber(input, options); });
}

// ---------------------------------------------------------------- Ruta_FMT

RutaFmt::RutaFmt(EditFrm& frm) : FormatWindow(frm, "Ruta_FMT", " ルーターフォーマット") {
  const FormatDetection found = DetectDocument(frm);
  unit_ = Options("入力単位(1.23mm)", "Option1", Captions(kRouterUnits),
                  OpeningIndex(kRouterUnits, found.router_unit, found, RouterFormatOptions{}.unit));
  unit_[0]->parentWidget()->setObjectName("Frame1");
  detected_ = new DetectedFormatPanel(found, FormatWindowKind::kRutaFmt, this);
  layout()->addWidget(detected_);
  mode_ = Options("座標形式", "Option2", {"ABS", "INC"}, RouterFormatOptions{}.incremental ? 1 : 0);
  mode_[0]->parentWidget()->setObjectName("Frame2");
  run_ = AddButtons("Command3", "Command2");
  connect(run_, &QPushButton::clicked, this, &RutaFmt::Run);
}

void RutaFmt::Run() {
  run_->setEnabled(false);
  RouterFormatOptions options;
  options.unit = kRouterUnits[static_cast<std::size_t>(Selected(unit_))].value;
  options.incremental = Selected(mode_) == 1;
  options.inch = detected_->Inch();
  ConvertSaved([&options](std::string_view input) { return FormatRouter(input, options); });
}

// ----------------------------------------------------------- menu commands

void WireConvertCommands(EditFrm& frm) {
  frm.WireCommand("MnuGHpgl", [&frm] {
    frm.RunHandOff(MacroStepRef{kEditMenu, 26}, [](std::string_view input) { return GcodeToHpgl(input); });
  });
  frm.WireCommand("MnuHpgl", [&frm] {
    frm.RunHandOff(MacroStepRef{kEditMenu, 29}, [](std::string_view input) { return HpglToGcode(input); });
  });
  frm.WireCommand("MnuNcGbr", [&frm] {
    RecordStep(frm.services().module, kEditMenu, 25);
    GbFmt window(frm);
    frm.services().prompter.RunDialog(window);
  });
  frm.WireCommand("MnuGbrFmt", [&frm] {
    if (!frm.BeginHandOff(MacroStepRef{kEditMenu, 17})) return;
    GaiFmt window(frm);
    frm.services().prompter.RunDialog(window);
  });
  frm.WireCommand("MnuLuter", [&frm] {
    if (!frm.BeginHandOff(MacroStepRef{kEditMenu, 19})) return;
    RutaFmt window(frm);
    frm.services().prompter.RunDialog(window);
  });
  frm.WireCommand("MnuGcodeSeiri", [&frm] {
    frm.RunHandOff(std::nullopt, [](std::string_view input) { return GroupGcode(input); });
  });
}

}  // namespace kovrel
