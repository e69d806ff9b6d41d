// The print placement of the view: the print panel takes the left of the
// drawing, the page outline follows the mouse, and a click prints the
// figure to scale with the page's top-left corner at the point.
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QScopeGuard>

#include "core/settings_store.h"
#include "ui/editor/edit_frm.h"
#include "ui/graphic/graphic_view.h"
#include "ui/graphic/print_panel.h"
#include "ui/platform/prompter.h"
#include "ui/platform/text_printing.h"

namespace kovrel {

void MdiKovrel::EnterPrint() {
  for (const char* name : {"MnuFile", "MnuExchenge", "MnuEdit", "MnuTool", "MnuView"}) {
    MenuItem(name)->setEnabled(false);
  }
  command4_[8]->setEnabled(false);
  command4_[9]->setEnabled(false);
  scale_panel_->hide();
  move_panel_->hide();
  print_panel_->show();
  print_panel_->ShowPrinterName();
  picture_->SetModeCursor(Qt::PointingHandCursor);
  graph_mode_ = kModePrint;
  print_panel_->LoadSettings(frm_.services().settings);
  print_panel_->ApplyPaper();
  Command4Click(1);
  print_panel_->combo3()->setFocus();
}

void MdiKovrel::LeavePrint() {
  HidePanels();
  print_panel_->SaveSettings(frm_.services().settings);
}

void MdiKovrel::ApplyPaper() {
  print_panel_->ApplyPaper();
  graph_mode_ = kModePrint;
  picture_->update();
}

void MdiKovrel::ApplyScale() {
  print_panel_->ApplyScale();
  graph_mode_ = kModePrint;
  picture_->update();
}

void MdiKovrel::PrintAt(const QPointF& corner) {
  QPrinter& target = printer();
  bool asked = false;
  if (!HasPrintTarget(target)) {
    // No printer on this machine: the page goes to a PDF file.
    const auto pdf =
        frm_.services().prompter.SaveFileName("PDF ファイル(*.pdf)|*.pdf", frm_.DialogFolder() + "kovrel-graphic.pdf");
    if (!pdf || pdf->isEmpty()) return;
    PrintToPdf(target, *pdf);
    print_panel_->ShowPrinterName();
    asked = true;
  }
  // The next print asks for its own file rather than writing over this one.
  const auto forget = qScopeGuard([&target, asked] {
    if (asked) target.setOutputFileName(QString());
  });
  print_panel_->Print(figure(), corner, Options(), box_.ArcStep);
  LeavePrint();
  ComandCange();
}

}  // namespace kovrel
