// The print panel Picture3(2) of the view: point size (Combo1), line width
// (Combo2), paper (Combo3), scale (TxtScale), orientation (Option1), ink
// (Option2), the printer set-up (Command1) with the printer's name
// (Label3(1)) and Cmdclose(2); and the printing of the figure onto the
// panel's printer to scale.
#pragma once

#include <QPrinter>
#include <QWidget>

#include <array>

#include "graphic/print_layout.h"
#include "ui/graphic/graphic_view.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kovrel {

class SettingsStore;

class PrintPanel : public QWidget {
  Q_OBJECT

 public:
  explicit PrintPanel(QWidget* parent);

  /// The list indices of the point, line and paper boxes from the
  /// settings (Pw, Dw, Psiz), and back.
  void LoadSettings(const SettingsStore& settings);
  void SaveSettings(SettingsStore& settings) const;

  /// Gives the printer the paper and orientation chosen.
  void ApplyPaper();
  /// Reads the scale box (0.1 or less gives 1) and writes it back as shown.
  void ApplyScale();
  /// The page's printable area in world units at the scale.
  PageOutline Outline() const;
  bool BlackInk() const;
  /// Shows the printer's name in Label3(1).
  void ShowPrinterName();

  /// Prints the figure with the page's top-left corner at `corner` and ends
  /// the page. Throws Failure when the printer or file cannot be written.
  void Print(const FigureTables& figure, const QPointF& corner, DrawOptions options, float arc_step);

  QPrinter& printer() { return printer_; }
  QComboBox* combo1() const { return combo1_; }
  QComboBox* combo2() const { return combo2_; }
  QComboBox* combo3() const { return combo3_; }
  QLineEdit* scale_box() const { return txt_scale_; }
  QRadioButton* option1(int index) const { return option1_[static_cast<std::size_t>(index)]; }
  QRadioButton* option2(int index) const { return option2_[static_cast<std::size_t>(index)]; }
  QPushButton* command1() const { return command1_; }
  QPushButton* cmdclose() const { return cmdclose_; }

 private:
  QPrinter printer_{QPrinter::HighResolution};
  QComboBox* combo1_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QComboBox* combo3_ = nullptr;
  QLineEdit* txt_scale_ = nullptr;
  std::array<QRadioButton*, 2> option1_{};
  std::array<QRadioButton*, 2> option2_{};
  QPushButton* command1_ = nullptr;
  QLabel* label3_ = nullptr;
  QPushButton* cmdclose_ = nullptr;
  float scale_ = 1;
};

}  // namespace kovrel
