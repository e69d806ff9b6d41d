// The windows of the G-code, Gerber and router conversions: GB_FMT
// ("Ｇコードをガーバー形式へ変換"), GAI_FMT (" ガーバーフォーマット") and
// Ruta_FMT (" ルーターフォーマット"), which share their window position
// (FmtLeft, FmtTop in section Nc), and the wiring of their menu items and of
// MnuGHpgl, MnuHpgl and MnuGcodeSeiri.
#pragma once

#include <QDialog>

#include <vector>

#include "core/hand_off.h"

class QRadioButton;
class QPushButton;

namespace kovrel {

class DetectedFormatPanel;
class EditFrm;

/// Connects the conversion commands to their menu items.
void WireConvertCommands(EditFrm& frm);

/// A conversion window placed at the shared position, which it stores again
/// when it closes.
class FormatWindow : public QDialog {
  Q_OBJECT

 public:
  FormatWindow(EditFrm& frm, const QString& name, const QString& caption);
  void done(int result) override;

 protected:
  /// A frame of option buttons; `checked` is selected at the start.
  std::vector<QRadioButton*> Options(const QString& frame, const QString& name, const QStringList& captions,
                                     int checked);
  /// Index of the selected button of a frame.
  static int Selected(const std::vector<QRadioButton*>& buttons);
  /// The run and cancel buttons.
  QPushButton* AddButtons(const QString& run_name, const QString& cancel_name);
  /// Runs `conversion` on the document saved before the window opened (the
  /// IconCount advances, the screen is busy meanwhile), then closes.
  void ConvertSaved(const Conversion& conversion);

  EditFrm& frm_;
};

class GbFmt : public FormatWindow {
  Q_OBJECT

 public:
  explicit GbFmt(EditFrm& frm);

 private:
  void Run();
  std::vector<QRadioButton*> unit_, end_;
};

/// Gerber formatting; opens with the unit the document's header states.
class GaiFmt : public FormatWindow {
  Q_OBJECT

 public:
  explicit GaiFmt(EditFrm& frm);

 private:
  void Run();
  std::vector<QRadioButton*> mode_, unit_;
  DetectedFormatPanel* detected_ = nullptr;
  QPushButton* run_ = nullptr;
};

/// Router formatting; opens with the unit the document's header states.
class RutaFmt : public FormatWindow {
  Q_OBJECT

 public:
  explicit RutaFmt(EditFrm& frm);

 private:
  void Run();
  std::vector<QRadioButton*> unit_, mode_;
  DetectedFormatPanel* detected_ = nullptr;
  QPushButton* run_ = nullptr;
};

}  // namespace kovrel
