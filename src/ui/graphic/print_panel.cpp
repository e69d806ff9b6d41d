// The print panel and printing to scale.
#include "ui/graphic/print_panel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

#include "core/failure.h"
#include "core/settings_store.h"
#include "ui/platform/painter_canvas.h"

namespace kovrel {
namespace {

// The papers of the paper box, in its order, with the printer's paper
// size codes the box keeps as item data: 13 JIS B5, 12 JIS B4, 9 A4, 8 A3.
struct Paper {
  const char* caption;
  int code;
  QPageSize::PageSizeId size;
};
constexpr Paper kPapers[] = {
    {"B5", 13, QPageSize::JisB5},
    {"B4", 12, QPageSize::JisB4},
    {"A4", 9, QPageSize::A4},
    {"A3", 8, QPageSize::A3},
};

// Point sizes and line widths count dots of a 600 dpi printer.
constexpr double kDotsPerInch = 600;

QGroupBox* Frame(const QString& caption, QWidget* child, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(child);
  return frame;
}

QComboBox* Combo(const QString& name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  return combo;
}

// Two option buttons in a frame of their own.
QGroupBox* Options(const QString& caption, const QString& name, const QString& first, const QString& second,
                   std::array<QRadioButton*, 2>& buttons, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* group = new QButtonGroup(frame);
  for (int i = 0; i < 2; ++i) {
    auto* button = new QRadioButton(i == 0 ? first : second, frame);
    button->setObjectName(QString("%1(%2)").arg(name).arg(i));
    group->addButton(button);
    layout->addWidget(button);
    buttons[static_cast<std::size_t>(i)] = button;
  }
  return frame;
}

}  // namespace

PrintPanel::PrintPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("Picture3(2)");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);

  combo1_ = Combo("Combo1", this);
  combo1_->addItem("なし", 0);
  for (int n = 1; n <= 10; ++n) combo1_->addItem(QString::number(n), n);
  combo2_ = Combo("Combo2", this);
  for (int n = 1; n <= 10; ++n) combo2_->addItem(QString::number(n), n);
  combo3_ = Combo("Combo3", this);
  for (const Paper& paper : kPapers) combo3_->addItem(paper.caption, paper.code);
  txt_scale_ = new QLineEdit("1.0000", this);
  txt_scale_->setObjectName("TxtScale");
  layout->addWidget(Frame("点の大きさ", combo1_, this));
  layout->addWidget(Frame("線の太さ", combo2_, this));
  layout->addWidget(Frame("用紙", combo3_, this));
  layout->addWidget(Frame("倍率", txt_scale_, this));
  layout->addWidget(Options("印刷方向", "Option1", "縦向き", "横向き", option1_, this));
  layout->addWidget(Options("ｲﾝｸ", "Option2", "カラー", "黒", option2_, this));
  option1_[1]->setChecked(true);
  option2_[0]->setChecked(true);
  command1_ = new QPushButton("ﾌﾟﾘﾝﾀ設定", this);
  command1_->setObjectName("Command1");
  label3_ = new QLabel(this);
  label3_->setObjectName("Label3(1)");
  label3_->setWordWrap(true);
  cmdclose_ = new QPushButton("ｷｬﾝｾﾙ", this);
  cmdclose_->setObjectName("Cmdclose(2)");
  for (QPushButton* button : {command1_, cmdclose_}) button->setAutoDefault(false);
  layout->addWidget(command1_);
  layout->addWidget(label3_);
  layout->addStretch();
  layout->addWidget(cmdclose_);
  setFixedWidth(120);
  LoadSettings(MemorySettingsStore{});
}

void PrintPanel::LoadSettings(const SettingsStore& settings) {
  const auto index = [&settings](const char* key, int fallback, const QComboBox* combo) {
    const double stored = GetNumberSetting(settings, kGraphicSection, key, fallback);
    const bool valid = stored >= 0 && stored < combo->count() && stored == std::floor(stored);
    return valid ? static_cast<int>(stored) : fallback;
  };
  combo1_->setCurrentIndex(index("Pw", 1, combo1_));
  combo2_->setCurrentIndex(index("Dw", 1, combo2_));
  combo3_->setCurrentIndex(index("Psiz", 0, combo3_));
}

void PrintPanel::SaveSettings(SettingsStore& settings) const {
  SaveNumberSetting(settings, kGraphicSection, "Pw", combo1_->currentIndex());
  SaveNumberSetting(settings, kGraphicSection, "Dw", combo2_->currentIndex());
  SaveNumberSetting(settings, kGraphicSection, "Psiz", combo3_->currentIndex());
}

void PrintPanel::ApplyPaper() {
  const Paper& paper = kPapers[static_cast<std::size_t>(std::max(0, combo3_->currentIndex()))];
  printer_.setPageSize(QPageSize(paper.size));
  printer_.setPageOrientation(option1_[0]->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape);
}

void PrintPanel::ApplyScale() {
  scale_ = PrintScale(txt_scale_->text().toStdString());
  txt_scale_->setText(QString::fromStdString(PrintScaleText(scale_)));
}

PageOutline PrintPanel::Outline() const {
  const QRectF area = printer_.pageLayout().paintRect(QPageLayout::Millimeter);
  return PageOutlineFor(area.width(), area.height(), scale_);
}

bool PrintPanel::BlackInk() const { return option2_[1]->isChecked(); }

void PrintPanel::ShowPrinterName() {
  const QString name = printer_.outputFormat() == QPrinter::PdfFormat || printer_.printerName().isEmpty()
                           ? QStringLiteral("PDF ファイル")
                           : printer_.printerName();
  label3_->setText(name);
}

void PrintPanel::Print(const FigureTables& figure, const QPointF& corner, DrawOptions options, float arc_step) {
  ApplyPaper();
  const QString target = printer_.outputFileName().isEmpty() ? printer_.printerName() : printer_.outputFileName();
  QPainter painter;
  if (!painter.begin(&printer_)) Fail(FailureKind::kPermissionDenied, target.toStdString());
  const QRect area = printer_.pageLayout().paintRectPixels(printer_.resolution());
  const double dot = printer_.resolution() / kDotsPerInch;
  {
    PainterCanvas canvas(painter, area.width(), area.height());
    canvas.SetLineWidth(combo2_->currentData().toInt() * dot);
    canvas.SetPointSize(combo1_->currentData().toInt() * dot);
    options.monochrome = BlackInk();
    PrintFigure(figure, PageBox(static_cast<float>(corner.x()), static_cast<float>(corner.y()), Outline(), arc_step),
                options, canvas);
  }
  if (!painter.end() || printer_.printerState() == QPrinter::Error) {
    Fail(FailureKind::kPermissionDenied, target.toStdString());
  }
}

}  // namespace kovrel
