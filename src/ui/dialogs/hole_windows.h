// The windows of the hole data commands: NC_FMT ("ＮＣフォーマット", hole
// data formatting) and HolOutExlFrm ("穴データをエクセルへ", export to a
// workbook), and the wiring of MnuHolFmt, MnuHolGcode and MnuDlrExcel.
#pragma once

#include <QDialog>

#include "holes/hole_format.h"
#include "holes/hole_sheet.h"

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace kovrel {

class DetectedFormatPanel;
class EditFrm;

/// Connects the hole data commands to their menu items.
void WireHoleCommands(EditFrm& frm);

/// The formatting window. Its controls start from the design defaults,
/// the unit from the document's header when it states it.
class NcFmt : public QDialog {
  Q_OBJECT

 public:
  NcFmt(EditFrm& frm, QWidget* parent);

  /// The options the controls describe.
  HoleFormatOptions Options() const;

 private:
  void Option3Clicked(int index);
  void Option4Clicked(int index);
  void Text1Changed();
  void Run();

  EditFrm& frm_;
  QRadioButton* option1_[kHoleUnits.size()] = {};
  QRadioButton* option2_[2] = {};
  QRadioButton* option3_[3] = {};
  QRadioButton* option4_[2] = {};
  QRadioButton* option5_[3] = {};
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* text3_[2] = {};
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  DetectedFormatPanel* detected_ = nullptr;
};

/// The export window.
class HolOutExlFrm : public QDialog {
  Q_OBJECT

 public:
  HolOutExlFrm(EditFrm& frm, QWidget* parent);

  SheetLayout Layout() const;

 private:
  void ShowPreview();
  void Run();

  EditFrm& frm_;
  QGroupBox* frame1_ = nullptr;
  QRadioButton* option1_[3] = {};
  QTableWidget* grid_ = nullptr;
};

/// The name of a new workbook in `folder`: "穴データ-YYYYMMDD-HHMMSS.xlsx",
/// with a number added when that file exists.
QString NewWorkbookPath(const QString& folder);

}  // namespace kovrel
