// The window of the DXF commands: DxfOutFrm ("DXFの色設定"), where the
// user chooses the colour number of each layer before hole data or G-code
// is written as DXF; it remembers the common colour (DxfColor) and the mode
// (DxfOption). And the wiring of MnuHolDxf, MnuNcDxf, MnuDxfNc and
// MnuDxsDlir.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dxf/dxf_colours.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace kovrel {

class EditFrm;

/// Connects the DXF commands to their menu items.
void WireDxfCommands(EditFrm& frm);

/// Shows DxfOutFrm for `layers` (the first 99 are listed) without the busy
/// pointer; the colours chosen, or nothing when the window was cancelled or
/// closed.
std::optional<DxfColourOptions> AskDxfColours(EditFrm& frm, const std::vector<std::string>& layers);

class DxfOutFrm : public QDialog {
  Q_OBJECT

 public:
  DxfOutFrm(EditFrm& frm, const std::vector<std::string>& layers, QWidget* parent);

  /// The colours the controls describe.
  DxfColourOptions Colours() const;

  /// Saves DxfColor, whichever way the window closes.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Option1Clicked(int index);
  void Text1Changed();
  void GridClicked(int row, int column);
  void Text2Changed();
  void SetColourCell(int row, const QString& text);
  void Guarded(const std::function<void()>& body);

  EditFrm& frm_;
  int layer_rows_ = 0;
  QTableWidget* grid_ = nullptr;
  QRadioButton* option1_[2] = {};
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
};

}  // namespace kovrel
