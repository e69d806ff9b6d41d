// The detection panel of the parameter windows.
#include "ui/dialogs/detected_format.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/editor/edit_frm.h"
#include "ui/editor/text_editor.h"

namespace kovrel {

// The detector reads the start and a sample of the rest: no copy of a large
// document is made for it.
FormatDetection DetectDocument(EditFrm& frm) { return DetectFormat(frm.editor()->DocumentView()); }

DetectedFormatPanel::DetectedFormatPanel(const FormatDetection& found, FormatWindowKind window, QWidget* parent)
    : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* line = new QLabel(QString::fromStdString(WindowLine(found, window)), this);
  line->setObjectName("Label2");
  line->setWordWrap(true);
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  inch_ = new QCheckBox("インチ（座標を 25.4 倍して mm に）", this);
  inch_->setObjectName("Check1");
  const bool stated_inch = found.Inch() && found.unit_from.confidence == Confidence::kHeader;
  inch_->setChecked(stated_inch);
  auto* warning = new QLabel(this);
  warning->setObjectName("Label3");
  warning->setWordWrap(true);
  if (found.Inch()) {
    warning->setText(QString::fromStdString(UnitNotice(found)) +
                     (stated_inch ? "。「インチ」のチェックで 25.4 倍して mm に直します"
                                  : "。mm に直すには「インチ」にチェックしてください"));
    warning->setStyleSheet("color: #a00000");
  }
  warning->setVisible(found.Inch());
  layout->addWidget(line);
  layout->addWidget(inch_);
  layout->addWidget(warning);
}

bool DetectedFormatPanel::Inch() const { return inch_->isChecked(); }

}  // namespace kovrel
