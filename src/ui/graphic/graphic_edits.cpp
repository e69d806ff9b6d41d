// The edit menu of the view: the mirrors and the axis exchange, the scale
// panel Picture3(4) and the move panel Picture3(5). Each edit rewrites the
// document through the work files and changes the figure tables with it.
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/edit_module.h"
#include "core/settings_store.h"
#include "ui/editor/edit_frm.h"
#include "ui/graphic/graphic_view.h"
#include "ui/graphic/print_panel.h"
#include "ui/platform/prompter.h"

namespace kovrel {
namespace {

// The macro steps of the edit menu: the mirrors 5, 6, 7, then the panels.
constexpr int kStepMirror = 5;
constexpr int kStepMove = 8;
constexpr int kStepScale = 9;

QLineEdit* Box(const QString& name, const QString& text, QWidget* parent) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  box->setMaximumWidth(100);
  return box;
}

}  // namespace

QWidget* MdiKovrel::BuildEditPanel(int index) {
  const bool scale = index == 4;
  auto* panel = new QWidget(cv_grph_);
  panel->setObjectName(QString("Picture3(%1)").arg(index));
  auto* frame = new QGroupBox(scale ? "倍率変換" : "ﾃﾞｰﾀ移動", panel);
  auto* row = new QHBoxLayout(frame);
  if (scale) {
    row->addWidget(new QLabel("倍率=", frame));
    scale_text_ = Box("XText(1)", "1.0", frame);
    row->addWidget(scale_text_);
  } else {
    row->addWidget(new QLabel("X=", frame));
    move_x_ = Box("XText(2)", "0.0", frame);
    row->addWidget(move_x_);
    row->addWidget(new QLabel("Y=", frame));
    move_y_ = Box("YText(2)", "0.0", frame);
    row->addWidget(move_y_);
  }
  auto* run = new QPushButton("実行", frame);
  run->setObjectName(scale ? "Command2" : "Command3");
  auto* cancel = new QPushButton("ｷｬﾝｾﾙ", frame);
  cancel->setObjectName(QString("Cmdclose(%1)").arg(index));
  row->addWidget(run);
  row->addWidget(cancel);
  row->addStretch();
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(frame);
  OnSignal(run, &QPushButton::clicked, [this, scale] { scale ? RunScale() : RunMove(); });
  OnSignal(cancel, &QPushButton::clicked, [this] { CloseCommandPanels(); });
  panel->hide();
  return panel;
}

void MdiKovrel::Mirr(int index) {
  const auto axis = kMirrorAxes[static_cast<std::size_t>(index)].value;
  ApplyEdit(FigureEdit::Mirror(axis), MacroStepRef{kGraphicMenu, kStepMirror + index});
}

void MdiKovrel::ShowEditPanel(int index) {
  RecordStep(frm_.services().module, kGraphicMenu, index == 4 ? kStepScale : kStepMove);
  scale_panel_->setVisible(index == 4);
  move_panel_->setVisible(index == 5);
}

void MdiKovrel::RunScale() {
  const auto factor = ReadEditNumber(scale_text_->text().toStdString());
  if (!factor) {
    frm_.services().prompter.Message(QString::fromUtf8(kScaleFactorMessage.data(), kScaleFactorMessage.size()),
                                     Buttons::kOk, Icon::kExclamation);
    return;
  }
  if (ApplyEdit(FigureEdit::Scale(*factor), std::nullopt)) scale_panel_->hide();
}

void MdiKovrel::RunMove() {
  const auto dx = ReadEditNumber(move_x_->text().toStdString());
  const auto dy = ReadEditNumber(move_y_->text().toStdString());
  if (!dx || !dy) {
    frm_.services().prompter.Message(QString::fromUtf8(kMoveOffsetMessage.data(), kMoveOffsetMessage.size()),
                                     Buttons::kOk, Icon::kExclamation);
    return;
  }
  if (ApplyEdit(FigureEdit::Move(*dx, *dy), std::nullopt)) move_panel_->hide();
}

bool MdiKovrel::ApplyEdit(const FigureEdit& edit, std::optional<MacroStepRef> step) {
  FigureTables& tables = figure();
  const FigureKind kind = KindOf(tables);
  if (kind == FigureKind::kNone) {
    // Nothing to edit: the text stays as it is.
    if (step) RecordStep(frm_.services().module, step->kind, step->item);
    return true;
  }
  // The document first: when its rewrite fails the tables stay as they were.
  const CommandOutcome outcome = frm_.RunHandOff(
      step, [&edit, kind](std::string_view input) { return ConversionResult(EditDocument(input, edit, kind)); });
  if (outcome.kind != CommandOutcome::Kind::kConverted) return false;
  EditFigure(tables, edit);
  FigureChanged();
  check_.markers.clear();  // they marked points the edit has moved
  Command4Click(1);
  return true;
}

void MdiKovrel::HidePanels() {
  print_panel_->hide();
  scale_panel_->hide();
  move_panel_->hide();
}

void MdiKovrel::CloseCommandPanels() {
  if (!print_panel_->isHidden()) {
    LeavePrint();
  } else {
    HidePanels();
    print_panel_->SaveSettings(frm_.services().settings);
  }
  ComandCange();
}

}  // namespace kovrel
